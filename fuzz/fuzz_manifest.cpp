// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the signed manifest's parser and to the signature check: the bytes
// before the first "untrusted comment:" as the message, the rest as its signature file. Besides
// crashes and memory errors it checks what the fetch relies on.
#include "manifest.h"
#include "minisign.h"

#include <QSet>
#include <QUrl>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const CatalogueManifest manifest = parseManifest(input);
    if (!manifest.failure.isEmpty() && (manifest.version != 0 || !manifest.files.isEmpty()))
        std::abort(); // a refused manifest must leave nothing to use
    QSet<QString> names;
    QStringList listed;
    for (const ManifestFile &file : manifest.files) {
        if (file.sha256.size() != 32 || file.length < 0 || file.name.isEmpty() || file.name.contains(QLatin1Char('/')))
            std::abort();
        names.insert(file.name);
        listed.append(QString::fromLatin1(QUrl::toPercentEncoding(file.name)));
    }
    if (names.size() != manifest.files.size())
        std::abort(); // every name once, so each listed file has one length and hash
    const SignedListing matched = matchListing(manifest, listed);
    if (!matched.failure.isEmpty() || matched.files.size() != manifest.files.size())
        std::abort(); // a listing of exactly the manifest's names matches it
    static const QVector<MinisignKey> keys = parseMinisignKeys(QStringLiteral("RWSUJgZXTkd5+qdZSTKmOfMo3gMoHLlXV3XZuO/8Gwe/+UWI2RLepwKT")).keys;
    const int split = input.indexOf("untrusted comment:");
    const MinisignVerdict verdict = verifyMinisign(input.left(split), split < 0 ? QByteArray() : input.mid(split), keys);
    if (verdict.keyId.isEmpty() == verdict.failure.isEmpty())
        std::abort(); // either signed by the key, or refused with a reason
    return 0;
}
