// SPDX-License-Identifier: MIT
#ifndef DURABLEFILE_H
#define DURABLEFILE_H

#include <QByteArray>
#include <QString>

// Writes bytes to path so that they are known to be on disk when it returns: every write
// checked (a buffered write that fails is not always reported by the final commit), the file
// and its folder synced, then the file read back and compared. Returns why it failed, in
// the system's words, or an empty string when the bytes are safely there.
QString saveDurably(const QString &path, const QByteArray &bytes);

#endif
