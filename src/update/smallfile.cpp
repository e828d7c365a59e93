// SPDX-License-Identifier: MIT
#include "smallfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
QString notRegular()
{
    return QCoreApplication::translate("dialog", "no regular file: not read");
}

QString tooLarge(qint64 maxBytes)
{
    return QCoreApplication::translate("dialog", "larger than %1: not read").arg(QLocale().formattedDataSize(maxBytes));
}

#ifdef Q_OS_UNIX
QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
#endif
}

SmallFile readSmallRegularFile(const QString &path, qint64 maxBytes)
{
    SmallFile file;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat target {};
    if (::stat(name.constData(), &target) != 0) {
        file.failure = systemError();
        return file;
    }
    if (!S_ISREG(target.st_mode)) {
        file.failure = notRegular();
        return file;
    }
    // Between the look and the opening the name may come to mean something else: without
    // O_NONBLOCK a FIFO put there would hold the opening, so what was opened is looked at again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        file.failure = systemError();
        return file;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0)
        file.failure = systemError();
    else if (!S_ISREG(opened.st_mode))
        file.failure = notRegular();
    else if (opened.st_size > maxBytes)
        file.failure = tooLarge(maxBytes);
    // One byte more than allowed tells a file that grew since.
    for (qint64 got = 0; file.ok() && got <= maxBytes;) {
        char chunk[4096];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            file.failure = systemError();
        if (n <= 0)
            break;
        file.bytes.append(chunk, int(n));
        got += n;
    }
    if (file.ok() && file.bytes.size() > maxBytes)
        file.failure = tooLarge(maxBytes);
    ::close(fd);
#else
    const QFileInfo info(path);
    QFile opened(path);
    if (!info.isFile()) // of what a link points to
        file.failure = notRegular();
    else if (info.size() > maxBytes)
        file.failure = tooLarge(maxBytes);
    else if (!opened.open(QIODevice::ReadOnly))
        file.failure = opened.errorString();
    else
        file.bytes = opened.read(maxBytes + 1);
    if (file.ok() && file.bytes.size() > maxBytes)
        file.failure = tooLarge(maxBytes);
#endif
    if (!file.ok())
        file.bytes.clear();
    return file;
}
