// SPDX-License-Identifier: MIT
#include "catalogueversion.h"

#include "durablefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// One small file per server, named by a hash of its address (which holds characters no
// file name may).
QString versionFile(const QString &baseAddress)
{
    const QByteArray hash = QCryptographicHash::hash(baseAddress.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/catalogue-versions/"
        + QString::fromLatin1(hash);
}
}

quint64 lastAcceptedCatalogueVersion(const QString &baseAddress)
{
    QFile file(versionFile(baseAddress));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().split('\n').value(0).toULongLong();
}

QString rememberCatalogueVersion(const QString &baseAddress, quint64 version)
{
    const QString path = versionFile(baseAddress);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return "cannot make the folder " + QFileInfo(path).path();
    return saveDurably(path, QByteArray::number(version) + '\n' + baseAddress.toUtf8() + '\n');
}
