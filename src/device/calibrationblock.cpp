// SPDX-License-Identifier: MIT
#include "calibrationblock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

CalibrationBlock emptyCalibrationBlock()
{
    CalibrationBlock block;
    std::memset(&block, 0, sizeof block);
    std::memcpy(block.calName, "empty", 6);
    block.absIntensityCal = 1.0f;
    block.xCal[0] = 1.0f;
    block.yCal[1] = 1.0f;
    block.zCal[2] = 1.0f;
    return block;
}

bool isEmptyBlock(const CalibrationBlock &b)
{
    // Exact comparisons on purpose: only the untouched placeholder counts, and NaN never does.
    return b.absIntensityCal == 1.0f
        && b.xCal[0] == 1.0f && b.xCal[1] == 0.0f && b.xCal[2] == 0.0f
        && b.yCal[0] == 0.0f && b.yCal[1] == 1.0f && b.yCal[2] == 0.0f
        && b.zCal[0] == 0.0f && b.zCal[1] == 0.0f && b.zCal[2] == 1.0f
        && baseCalibrationIndex(b) == 0;
}

std::uint8_t baseCalibrationIndex(const CalibrationBlock &block)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(&block.basCalIndex);
    return bytes[0];
}

std::size_t calNameLength(const CalibrationBlock &block)
{
    const void *zero = std::memchr(block.calName, '\0', kCalNameSize);
    return zero ? static_cast<std::size_t>(static_cast<const char *>(zero) - block.calName)
                : kCalNameSize;
}

bool storeCalibrationName(CalibrationBlock &block, const char *utf8Name, std::size_t size)
{
    constexpr std::size_t room = kCalNameSize - 1;
    const bool fits = size <= room;
    std::size_t length = fits ? size : room;
    // Step back over continuation bytes so no character is split.
    while (!fits && length > 0 && (static_cast<unsigned char>(utf8Name[length]) & 0xC0) == 0x80)
        --length;
    std::memset(block.calName, 0, kCalNameSize);
    std::memcpy(block.calName, utf8Name, length);
    return fits;
}

CalibrationBlock interpretedBytes(const CalibrationBlock &block)
{
    CalibrationBlock kept;
    std::memset(&kept, 0, sizeof kept);
    std::memcpy(kept.calName, block.calName, calNameLength(block));
    std::memcpy(&kept.absIntensityCal, &block.absIntensityCal, 10 * sizeof(float));
    kept.basCalIndex = baseCalibrationIndex(block);
    return kept;
}

bool sameAsInterpreted(const CalibrationBlock &a, const CalibrationBlock &b)
{
    const CalibrationBlock keptA = interpretedBytes(a), keptB = interpretedBytes(b);
    return std::memcmp(&keptA, &keptB, sizeof keptA) == 0;
}

bool allFinite(const CalibrationBlock &b)
{
    float numbers[10]; // the intensity and the matrix, one after another in the block
    std::memcpy(numbers, &b.absIntensityCal, sizeof numbers);
    return std::all_of(std::begin(numbers), std::end(numbers), [](float v) { return std::isfinite(v); });
}
