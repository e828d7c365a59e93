// SPDX-License-Identifier: MIT
#ifndef CATALOGUEVERSION_H
#define CATALOGUEVERSION_H

#include <QString>
#include <QtGlobal>

// The version of the signed catalogue last accepted whole from the server at baseAddress,
// kept in the application data folder; 0 when none was.
quint64 lastAcceptedCatalogueVersion(const QString &baseAddress);

// Keeps version as the one last accepted from baseAddress. Empty when it is kept, otherwise
// why not (for the debug output: the catalogue is used all the same).
QString rememberCatalogueVersion(const QString &baseAddress, quint64 version);

#endif
