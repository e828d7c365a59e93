// SPDX-License-Identifier: MIT
#ifndef BACKUP_H
#define BACKUP_H

#include "calibrationblock.h"
#include "calibrationfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

struct SavedSlot
{
    int slot = 0;
    CalibrationBlock block {};
};

// What an instrument held before it was written: its serial number, when it was read, and
// every slot 9 to 37 with its 64 bytes exactly as read. A backup of the first format
// records neither serial nor time; its blocks are slots 9 on, in order.
struct Backup
{
    QString serial;
    QDateTime time;
    QVector<SavedSlot> savedSlots;
};

struct BackupReading
{
    Backup backup;
    QString failure; // why the bytes are no backup, empty when they are one
    bool checked = false; // its checksum matched; backups of earlier versions carry none
    QString sha256; // of the file's bytes as read, for the record of the restore that uses them
    bool ok() const { return failure.isEmpty(); }
};

// The blocks in the calibration text format the catalogue reader accepts, for reading by
// people and other tools. Blocks with numbers the text cannot carry (NaN, infinities) are
// left out, and line breaks in names become blanks; the block backup keeps them exactly.
QByteArray formatCalibrationFile(const QVector<CalibrationBlock> &blocks);

// The block backup, one line per slot with its number and its bytes in hexadecimal, then
// the SHA-256 of all that, so that a changed byte is found before it reaches an instrument.
QByteArray formatBlockBackup(const Backup &backup);
BackupReading readBackup(const QByteArray &bytes);
// The same from a file, read only when it is a regular file of a backup's size.
BackupReading readBackupFile(const QString &path);
// Either format, for the local catalogue fallback.
bool isBlockBackup(const QByteArray &bytes);

// The names a backup holds, in slot order, its empty slots left out.
QStringList backupNames(const Backup &backup);
// A backup's time as the windows show it.
QString backupTimeText(const QDateTime &time);

// The application data folder and what the program keeps in it for each instrument.
QString backupDirectory();
QString instrumentLockPath(const QString &serial);

struct BackupFile
{
    QString path;
    Backup backup;
    QString failure; // why it cannot be restored, empty when it can
    bool checked = false;
};

// The backups in directory whose names are of this serial number, newest first, those that
// cannot be restored among them with the reason.
QVector<BackupFile> backupsOf(const QString &directory, const QString &serial);

struct SavedBackup
{
    QString path;    // of the block backup
    QString failure; // why it is not known to be on disk, empty when it is
};

// Writes "<dir>/TARVIK-<serial>-<time>.txt" and ".blocks", each known to be on disk.
SavedBackup writeBackup(const QString &directory, const Backup &backup);

#endif
