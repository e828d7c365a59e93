// SPDX-License-Identifier: MIT
#ifndef CALIBRATIONBLOCK_H
#define CALIBRATIONBLOCK_H

// The 64-byte calibration exactly as the instrument library exchanges it.
// Kept free of Qt so that the instrument library stand-in and the fuzzers
// can share it with the program.

#include <cstddef>
#include <cstdint>

struct CalibrationBlock
{
    char calName[20];        // zero-terminated when it comes from us; never trust that
    float absIntensityCal;
    float xCal[3];
    float yCal[3];
    float zCal[3];
    std::int32_t basCalIndex; // only the low byte is meaningful
};

static_assert(sizeof(CalibrationBlock) == 64, "the instrument expects 64-byte blocks");
static_assert(offsetof(CalibrationBlock, calName) == 0, "calName at 0");
static_assert(offsetof(CalibrationBlock, absIntensityCal) == 20, "absIntensityCal at 20");
static_assert(offsetof(CalibrationBlock, xCal) == 24, "xCal at 24");
static_assert(offsetof(CalibrationBlock, yCal) == 36, "yCal at 36");
static_assert(offsetof(CalibrationBlock, zCal) == 48, "zCal at 48");
static_assert(offsetof(CalibrationBlock, basCalIndex) == 60, "basCalIndex at 60");
static_assert(sizeof(float) == 4, "IEEE single precision floats");

constexpr std::size_t kCalNameSize = sizeof(CalibrationBlock::calName);

// The name of the ambient calibration the instrument keeps among the user slots.
constexpr char kAmbientName[] = "JUST w. Diffuser";

// Placeholder written into slots that hold no calibration.
CalibrationBlock emptyCalibrationBlock();

// A block is a placeholder when its numbers are neutral; the name plays no part.
bool isEmptyBlock(const CalibrationBlock &block);

// The byte of basCalIndex that the instrument interprets (byte 60, little-endian).
std::uint8_t baseCalibrationIndex(const CalibrationBlock &block);

// What the instrument interprets of a block: the name up to its zero within its 20 bytes,
// the ten numbers bit for bit and the low byte of the base index; zeros elsewhere.
CalibrationBlock interpretedBytes(const CalibrationBlock &block);
// Equal in what the instrument interprets. The rest need not come back.
bool sameAsInterpreted(const CalibrationBlock &a, const CalibrationBlock &b);

// The intensity and the nine matrix numbers are all finite: only such a block can be
// written as text, or taken from it.
bool allFinite(const CalibrationBlock &block);

// Length of calName up to its terminating zero, never more than its 20 bytes.
std::size_t calNameLength(const CalibrationBlock &block);

// Stores a UTF-8 name into calName, cut to 19 bytes at a character boundary
// and zero-filled. Returns false when the name had to be cut.
bool storeCalibrationName(CalibrationBlock &block, const char *utf8Name, std::size_t size);

#endif
