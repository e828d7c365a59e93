// SPDX-License-Identifier: MIT
#ifndef SIGNEDMANIFEST_H
#define SIGNEDMANIFEST_H

#include "manifest.h"
#include "minisign.h"

// A manifest as fetched with its signature, checked before anything of the catalogue is
// used: signed by one of keys, in a format this program knows, no older than the version
// accepted last from the same server, and not expired at now. Otherwise why not (then the
// manifest is empty).
struct SignedManifest
{
    CatalogueManifest manifest;
    QString keyId;
    QString failure;
};
SignedManifest acceptSignedManifest(const QByteArray &manifest, const QByteArray &signature, const QVector<MinisignKey> &keys,
                                    quint64 lastAcceptedVersion, const QDateTime &now);

#endif
