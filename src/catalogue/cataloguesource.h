// SPDX-License-Identifier: MIT
#ifndef CATALOGUESOURCE_H
#define CATALOGUESOURCE_H

#include "listing.h"

#include <QString>

// Where the catalogue lives: the server fixed when the program is built, or the one
// TARVIK_CATALOGUE_SERVER names ("http://127.0.0.1:47180", say).
QString catalogueBaseAddress();

// The minisign public keys one of which must have signed the catalogue: those the program was
// built with, or those TARVIK_CATALOGUE_KEYS names when it is set (empty: none, unsigned).
QString catalogueKeys();

// The address of the signed manifest, beside the catalogue directory at baseAddress.
QString catalogueManifestAddress(const QString &baseAddress);

// How long a request may go without progress before it counts as failed.
int catalogueTransferTimeoutMs();

// How long a request may take at all, however steadily it progresses.
int catalogueDeadlineMs();

// How long the whole catalogue, listing and every file, may take.
int catalogueFetchDeadlineMs();

// How long a fetch runs before a window with its progress and a Cancel button appears.
int catalogueProgressDelayMs();

// Tests point a window at their own server and shorten the time limits; the program never
// calls this. A limit of 0 keeps the program's own.
void overrideCatalogueSourceForTesting(const QString &baseAddress, int transferTimeoutMs, int deadlineMs = 0,
                                       int fetchDeadlineMs = 0, int progressDelayMs = 0);

#endif
