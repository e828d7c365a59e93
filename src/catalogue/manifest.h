// SPDX-License-Identifier: MIT
#ifndef MANIFEST_H
#define MANIFEST_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// The signed manifest lies beside the catalogue directory: its address is the directory's
// without the trailing slash, followed by this; the signature's adds kSignatureSuffix.
constexpr char kManifestSuffix[] = ".manifest";
constexpr char kSignatureSuffix[] = ".minisig";
// A manifest lists a few hundred files; one of maxListedFiles long names stays well below.
constexpr qint64 maxManifestBytes = 4 * 1024 * 1024;
constexpr qint64 maxSignatureBytes = 4096;
constexpr int kManifestFormat = 1;

struct ManifestFile
{
    QString name; // as stored in the catalogue directory, not percent-escaped
    qint64 length = 0;
    QByteArray sha256; // 32 bytes
};

// "TARVIK catalogue manifest 1", then "version N", "expires YYYY-MM-DDTHH:MM:SSZ" and one
// "file LENGTH SHA256 NAME" line per file, NAME being the rest of the line.
struct CatalogueManifest
{
    quint64 version = 0;
    QDateTime expires;
    QVector<ManifestFile> files;
    QString failure; // why the manifest cannot be used; then nothing else is set
};

CatalogueManifest parseManifest(const QByteArray &text);

// Why a manifest that is well signed must still not be used: a version lower than the one
// accepted last from the same server (a genuine older catalogue replayed), or an expiry before
// now (an old one served for ever). Empty when it may be used.
QString manifestRefusal(const CatalogueManifest &manifest, quint64 lastAcceptedVersion, const QDateTime &now);

// The manifest's files in the order of the listing's names (percent-escaped, as the listing
// has them), or why the listing does not name exactly the manifest's files.
struct SignedListing
{
    QVector<ManifestFile> files;
    QString failure;
};
SignedListing matchListing(const CatalogueManifest &manifest, const QStringList &listedNames);

// Empty when body is the file the manifest describes; otherwise why not.
QString bodyMismatch(const ManifestFile &file, const QByteArray &body);

#endif
