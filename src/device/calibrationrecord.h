// SPDX-License-Identifier: MIT
#ifndef CALIBRATIONRECORD_H
#define CALIBRATIONRECORD_H

#include "calibrationblock.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// A calibration as the program keeps it: the block and the text shown beside its name.
struct CalibrationRecord
{
    CalibrationRecord();
    explicit CalibrationRecord(const CalibrationBlock &block);
    // For callers that already hold the block's description.
    CalibrationRecord(const CalibrationBlock &block, const QString &description);

    CalibrationBlock block;
    QString description;
};

// (name, description) pairs exchanged with the selection window.
using CalibrationPairList = QList<std::pair<QString, QString> >;

// Names are UTF-8 throughout: in calName, on screen and when looked up for writing.
// Reading is bounded by the 20 bytes of calName, whether or not a zero ends them.
QString calibrationName(const CalibrationBlock &block);
// The same reading for a name buffer the instrument filled: up to its zero, never past its size.
QString boundedName(const char *bytes, std::size_t size);

// storeCalibrationName for a byte array.
bool setCalibrationName(CalibrationBlock &block, const QByteArray &utf8Name);

// "Using Base Calibration #" and the interpreted base index, in the "dialog" context.
QString baseCalibrationDescription(const CalibrationBlock &block);

#endif
