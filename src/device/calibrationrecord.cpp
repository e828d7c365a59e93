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
    int length = utf8Name.size();
    const int room = static_cast<int>(kCalNameSize) - 1;
    const bool fits = length <= room;
    if (!fits) {
        length = room;
        // Step back over continuation bytes so no character is split.
        while (length > 0 && (static_cast<unsigned char>(utf8Name[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(block.calName, 0, kCalNameSize);
    std::memcpy(block.calName, utf8Name.constData(), static_cast<std::size_t>(length));
    return fits;
}

QString baseCalibrationDescription(const CalibrationBlock &block)
{
    return QCoreApplication::translate("dialog", "Using Base Calibration #")
        + QString::number(baseCalibrationIndex(block));
}
