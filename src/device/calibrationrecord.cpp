// SPDX-License-Identifier: MIT
#include "calibrationrecord.h"

#include <QCoreApplication>

#include <cstring>

CalibrationRecord::CalibrationRecord()
{
    std::memset(&block, 0, sizeof block);
}

CalibrationRecord::CalibrationRecord(const CalibrationBlock &b)
    : block(b)
    , description(baseCalibrationDescription(b))
{
}

CalibrationRecord::CalibrationRecord(const CalibrationBlock &b, const QString &text)
    : block(b)
    , description(text)
{
}

QString calibrationName(const CalibrationBlock &block)
{
    return boundedName(block.calName, kCalNameSize);
}

QString boundedName(const char *bytes, std::size_t size)
{
    return QString::fromUtf8(bytes, static_cast<int>(qstrnlen(bytes, static_cast<uint>(size))));
}

bool setCalibrationName(CalibrationBlock &block, const QByteArray &utf8Name)
{
    return storeCalibrationName(block, utf8Name.constData(), std::size_t(utf8Name.size()));
}

QString baseCalibrationDescription(const CalibrationBlock &block)
{
    return QCoreApplication::translate("dialog", "Using Base Calibration #")
        + QString::number(baseCalibrationIndex(block));
}
