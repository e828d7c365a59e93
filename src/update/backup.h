#ifndef BACKUP_H
#define BACKUP_H

#include "calibrationblock.h"
#include "calibrationfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// The blocks in the calibration text format the catalogue reader accepts, for reading by
// people and other tools. Blocks with numbers the text cannot carry (NaN, infinities) are
// left out, and line breaks in names become blanks; the block backup keeps them exactly.
QByteArray formatCalibrationFile(const QVector<CalibrationBlock> &blocks);

// The block backup: a header line, then the 64-byte blocks exactly as the instrument gave
// them. Picked as the local catalogue, it brings the saved set back bit for bit.
QByteArray formatBlockBackup(const QVector<CalibrationBlock> &blocks);
bool isBlockBackup(const QByteArray &bytes);
// A damaged block backup (a torn last block) reads as Malformed, with the whole blocks before it.
CalibrationFileContents readBlockBackup(const QByteArray &bytes);

// Where backups go: the user's application data directory.
QString backupDirectory();

// Writes the blocks to "<dir>/TARVIK-<serial>-<time>.txt" and ".blocks", each atomically.
// Returns the block backup's path, or an empty string when either could not be written.
QString writeBackup(const QString &directory, const QString &serial, const QDateTime &when,
                    const QVector<CalibrationBlock> &blocks);

#endif
