#include "unfinishedupdate.h"

#include <QList>

namespace {
constexpr char kHeader[] = "TARVIK unfinished update 1";
}

QByteArray formatUnfinishedUpdate(const UnfinishedUpdate &record)
{
    return QByteArray(kHeader) + "\nbegan " + record.began.toUTC().toString(Qt::ISODateWithMs).toLatin1()
        + "\nbackup-time " + record.backupTime.toUTC().toString(Qt::ISODateWithMs).toLatin1()
        + "\nbackup " + record.backupPath.toUtf8().toPercentEncoding() + '\n';
}

UnfinishedUpdate readUnfinishedUpdate(const QByteArray &bytes)
{
    UnfinishedUpdate record;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() != 5 || lines[0] != kHeader || !lines[4].isEmpty())
        return record;
    const auto value = [&lines](int line, const QByteArray &key) {
        return lines[line].startsWith(key + ' ') ? lines[line].mid(key.size() + 1) : QByteArray();
    };
    record.began = QDateTime::fromString(QString::fromLatin1(value(1, "began")), Qt::ISODateWithMs);
    record.backupTime = QDateTime::fromString(QString::fromLatin1(value(2, "backup-time")), Qt::ISODateWithMs);
    record.backupPath = QString::fromUtf8(QByteArray::fromPercentEncoding(value(3, "backup")));
    return record;
}
