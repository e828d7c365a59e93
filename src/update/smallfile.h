// SPDX-License-Identifier: MIT
#ifndef SMALLFILE_H
#define SMALLFILE_H

#include <QByteArray>
#include <QString>

struct SmallFile
{
    QByteArray bytes;
    QString failure; // why it was not read, empty when it was
    bool ok() const { return failure.isEmpty(); }
};

// Reads a regular file of at most maxBytes, a link judged by what it points to. Anything else
// (a FIFO, a device, a folder) is refused before it is opened, and the opening itself cannot
// wait: a FIFO without a writer or a device would stop the program for good, and a device
// reports a size of 0, so only the file's type tells.
SmallFile readSmallRegularFile(const QString &path, qint64 maxBytes);

#endif
