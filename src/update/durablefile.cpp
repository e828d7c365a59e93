// SPDX-License-Identifier: MIT
#include "durablefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// A rename is durable only once the folder holding it is synced.
QString syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const QString error = synced ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    if (fd >= 0)
        ::close(fd);
    return error;
#else
    Q_UNUSED(folder)
    return QString();
#endif
}
}

QString saveDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a full disk fails the write itself and is seen here.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || !file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        return file.errorString();
    const QString folderError = syncFolder(QFileInfo(path).absolutePath());
    if (!folderError.isEmpty())
        return folderError;
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        return written.errorString();
    if (written.readAll() != bytes)
        return QCoreApplication::translate("dialog", "what was read back differs from what was written");
    return QString();
}
