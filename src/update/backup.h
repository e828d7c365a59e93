#ifndef BACKUP_H
#define BACKUP_H

#include "calibrationblock.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// The blocks in the calibration text format the catalogue reader accepts, so a backup
// can be picked as the local catalogue to bring a calibration set back.
QByteArray formatCalibrationFile(const QVector<CalibrationBlock> &blocks);

// Where backups go: the user's application data directory.
QString backupDirectory();

// Writes the blocks to "<dir>/TARVIK-<serial>-<time>.txt" atomically.
// Returns the file's path, or an empty string when it could not be written.
QString writeBackup(const QString &directory, const QString &serial, const QDateTime &when,
                    const QVector<CalibrationBlock> &blocks);

#endif
