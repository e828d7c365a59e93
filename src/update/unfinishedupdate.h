#ifndef UNFINISHEDUPDATE_H
#define UNFINISHEDUPDATE_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Kept on disk from before an update's first write until its verdict is "Ok", so that an
// update cut short, by a crash or a failed write, is noticed at the instrument's next start.
struct UnfinishedUpdate
{
    QDateTime began;
    QString backupPath; // what the instrument held before
    QDateTime backupTime;

    bool isValid() const { return began.isValid() && !backupPath.isEmpty(); }
};

QByteArray formatUnfinishedUpdate(const UnfinishedUpdate &record);
// Not isValid() when the bytes are no such record.
UnfinishedUpdate readUnfinishedUpdate(const QByteArray &bytes);

#endif
