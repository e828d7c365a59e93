// SPDX-License-Identifier: MIT
#include "signedmanifest.h"

SignedManifest acceptSignedManifest(const QByteArray &manifest, const QByteArray &signature, const QVector<MinisignKey> &keys,
                                    quint64 lastAcceptedVersion, const QDateTime &now)
{
    SignedManifest result;
    const MinisignVerdict verdict = verifyMinisign(manifest, signature, keys);
    result.failure = verdict.failure;
    if (result.failure.isEmpty())
        result.manifest = parseManifest(manifest);
    if (result.failure.isEmpty())
        result.failure = result.manifest.failure;
    if (result.failure.isEmpty())
        result.failure = manifestRefusal(result.manifest, lastAcceptedVersion, now);
    if (result.failure.isEmpty())
        result.keyId = verdict.keyId;
    else
        result.manifest = CatalogueManifest();
    return result;
}
