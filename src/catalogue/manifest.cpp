// SPDX-License-Identifier: MIT
#include "manifest.h"

#include "bodylimit.h"
#include "listing.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

bool allDigits(const QByteArray &text, int maxDigits)
{
    return !text.isEmpty() && text.size() <= maxDigits
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isLowerHex(const QByteArray &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// "file LENGTH SHA256 NAME"; false when the line is not one.
bool parseFileLine(const QByteArray &line, ManifestFile &file)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 4 || parts[0] != "file" || !allDigits(parts[1], 9) || parts[2].size() != 64 || !isLowerHex(parts[2]))
        return false;
    file.length = parts[1].toLongLong();
    file.sha256 = QByteArray::fromHex(parts[2]);
    const QByteArray name = line.mid(parts[0].size() + parts[1].size() + parts[2].size() + 3);
    file.name = QString::fromUtf8(name);
    return file.length <= maxCatalogueBodyBytes && !name.isEmpty() && file.name.toUtf8() == name && !name.contains('/')
        && !name.contains('\r');
}
}

CatalogueManifest parseManifest(const QByteArray &text)
{
    CatalogueManifest manifest;
    const auto fail = [&manifest](const QString &why) {
        manifest = CatalogueManifest();
        manifest.failure = why;
        return manifest;
    };
    if (text.size() > maxManifestBytes)
        return fail(translated("the signed catalogue is larger than %1 MiB").arg(maxManifestBytes >> 20));
    QList<QByteArray> lines = text.split('\n');
    const QByteArray format = "TARVIK catalogue manifest ";
    if (!lines[0].startsWith(format))
        return fail(translated("the signed catalogue is not a catalogue manifest"));
    if (lines[0] != format + QByteArray::number(kManifestFormat))
        return fail(translated("the signed catalogue is in a format this program does not know (%1)")
                        .arg(QString::fromUtf8(lines[0].mid(format.size()).left(20))));
    const auto unreadable = [&fail](int line) { return fail(translated("the signed catalogue cannot be read at line %1").arg(line)); };
    // Every line ends with a line end: a manifest without the last one may have been cut.
    if (lines.size() < 4 || !lines.last().isEmpty())
        return unreadable(lines.size());
    lines.removeLast();
    const QByteArray version = lines[1].mid(8), expires = lines[2].mid(8);
    if (!lines[1].startsWith("version ") || !allDigits(version, 19))
        return unreadable(2);
    manifest.version = version.toULongLong();
    manifest.expires = QDateTime::fromString(QString::fromLatin1(expires), Qt::ISODate);
    if (!lines[2].startsWith("expires ") || expires.size() != 20 || !expires.endsWith('Z') || !manifest.expires.isValid())
        return unreadable(3);
    manifest.expires = manifest.expires.toUTC();
    QSet<QString> seen;
    for (int i = 3; i < lines.size(); ++i) {
        ManifestFile file;
        if (!parseFileLine(lines[i], file))
            return unreadable(i + 1);
        if (seen.contains(file.name))
            return fail(translated("the signed catalogue names %1 twice").arg(file.name));
        if (seen.size() == maxListedFiles)
            return fail(translated("the listing names more than %1 files").arg(maxListedFiles));
        seen.insert(file.name);
        manifest.files.append(file);
    }
    return manifest;
}

QString manifestRefusal(const CatalogueManifest &manifest, quint64 lastAcceptedVersion, const QDateTime &now)
{
    if (manifest.version < lastAcceptedVersion)
        return translated("this catalogue is older than one already used (version %1, %2 used before)")
            .arg(manifest.version)
            .arg(lastAcceptedVersion);
    if (manifest.expires < now)
        return translated("the catalogue expired on %1").arg(manifest.expires.toString("yyyy-MM-dd HH:mm 'UTC'"));
    return QString();
}

SignedListing matchListing(const CatalogueManifest &manifest, const QStringList &listedNames)
{
    QHash<QString, int> unlisted; // manifest files by name, until the listing names them
    for (int i = 0; i < manifest.files.size(); ++i)
        unlisted.insert(manifest.files[i].name, i);
    SignedListing result;
    const auto fail = [&result](const QString &why) {
        result.files.clear();
        result.failure = why;
        return result;
    };
    for (const QString &listed : listedNames) {
        const QString name = QUrl::fromPercentEncoding(listed.toUtf8());
        const auto it = unlisted.constFind(name);
        if (it == unlisted.cend())
            return fail(std::any_of(result.files.cbegin(), result.files.cend(), [&](const ManifestFile &f) { return f.name == name; })
                            ? translated("the listing names %1 twice").arg(name)
                            : translated("the listing names %1, which the signed catalogue does not").arg(name));
        result.files.append(manifest.files[*it]);
        unlisted.erase(it);
    }
    if (!unlisted.isEmpty())
        return fail(translated("the listing does not name %1 of the signed catalogue")
                        .arg(manifest.files[*std::min_element(unlisted.cbegin(), unlisted.cend())].name));
    return result;
}

QString bodyMismatch(const ManifestFile &file, const QByteArray &body)
{
    if (body.size() == file.length && QCryptographicHash::hash(body, QCryptographicHash::Sha256) == file.sha256)
        return QString();
    return translated("%1 differs from the signed catalogue").arg(file.name);
}
