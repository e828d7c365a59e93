// SPDX-License-Identifier: MIT
#include "minisign.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

#include <sodium.h>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

// Strict base64 of exactly size bytes, or nothing.
QByteArray decoded(const QByteArray &text, int size)
{
    const auto result = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    return result && result.decoded.size() == size ? result.decoded : QByteArray();
}

bool signatureHolds(const QByteArray &signature, const QByteArray &message, const QByteArray &key)
{
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                       reinterpret_cast<const unsigned char *>(message.constData()),
                                       static_cast<unsigned long long>(message.size()),
                                       reinterpret_cast<const unsigned char *>(key.constData())) == 0;
}

QByteArray blake2b512(const QByteArray &message)
{
    QByteArray hash(crypto_generichash_BYTES_MAX, '\0');
    crypto_generichash(reinterpret_cast<unsigned char *>(hash.data()), size_t(hash.size()),
                       reinterpret_cast<const unsigned char *>(message.constData()), size_t(message.size()), nullptr, 0);
    return hash;
}
}

MinisignKeys parseMinisignKeys(const QString &text)
{
    MinisignKeys result;
    for (const QString &item : text.split(QRegularExpression("[\\s,]+"), Qt::SkipEmptyParts)) {
        const QByteArray raw = decoded(item.toLatin1(), 42);
        if (!raw.startsWith("Ed")) {
            result.keys.clear();
            result.failure = translated("the catalogue key %1 the program was given cannot be read").arg(item.left(60));
            return result;
        }
        result.keys.append({raw.mid(2, 8), raw.mid(10)});
    }
    return result;
}

QString minisignKeyId(const QByteArray &id)
{
    QByteArray reversed(id);
    std::reverse(reversed.begin(), reversed.end());
    return QString::fromLatin1(reversed.toHex().toUpper());
}

MinisignVerdict verifyMinisign(const QByteArray &message, const QByteArray &signatureFile, const QVector<MinisignKey> &keys)
{
    MinisignVerdict verdict;
    QList<QByteArray> lines = signatureFile.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    const QByteArray trustedPrefix = "trusted comment: ";
    const QByteArray signature = decoded(lines.value(1), 74), global = decoded(lines.value(3), 64);
    const QByteArray algorithm = signature.left(2);
    if (lines.size() < 4 || !lines[0].startsWith("untrusted comment: ") || !lines[2].startsWith(trustedPrefix)
        || signature.isEmpty() || global.isEmpty() || (algorithm != "Ed" && algorithm != "ED")) {
        verdict.failure = translated("the catalogue's signature cannot be read");
        return verdict;
    }
    const QByteArray id = signature.mid(2, 8);
    const auto key = std::find_if(keys.cbegin(), keys.cend(), [&id](const MinisignKey &k) { return k.id == id; });
    if (key == keys.cend()) {
        verdict.failure = translated("the catalogue is signed with key %1, which this program does not trust").arg(minisignKeyId(id));
        return verdict;
    }
    if (sodium_init() < 0) {
        verdict.failure = translated("the catalogue's signature cannot be checked");
        return verdict;
    }
    const QByteArray sig = signature.mid(10);
    if (!signatureHolds(sig, algorithm == "ED" ? blake2b512(message) : message, key->key)
        || !signatureHolds(global, sig + lines[2].mid(trustedPrefix.size()), key->key)) {
        verdict.failure = translated("the catalogue's signature does not match");
        return verdict;
    }
    verdict.keyId = minisignKeyId(id);
    return verdict;
}
