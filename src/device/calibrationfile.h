// SPDX-License-Identifier: MIT
#ifndef CALIBRATIONFILE_H
#define CALIBRATIONFILE_H

// Reading a calibration text file: bytes in, blocks out. No windows, no files,
// no lists, so that it can be tested, fuzzed and measured on its own.
//
// A record is the 18 items of the scanf format
//   "%s %[^\n] %s %f %s %f %f %f %s %f %f %f %s %f %f %f %s %d"
// with the six tags [CAL_NAME], [ABS_INTENSITY_CAL], [XCAL], [YCAL], [ZCAL] and
// [BASCAL_INDEX]. The reader accepts and refuses what that format accepts and
// refuses with the C library's white-space and number rules (C locale), but
// reads every item as a bounded view of the input, and differs on purpose where
// the plain format loses or corrupts data:
// - a name longer than 19 bytes is cut to 19 on a UTF-8 character boundary and
//   reported in cutNames instead of overrunning calName, with the whole name kept
//   beside it for the version suffixes;
// - the CR of a CR LF line end is not part of the name;
// - a complete record counts even when no line end follows it;
// - a record with a number that is not finite (nan, inf, beyond the float range)
//   is left out, never to reach the instrument, and reading goes on;
// - a tag must equal its text byte for byte, so a zero byte joined to a tag is
//   refused; a zero byte inside a name ends the name, as it would in calName.

#include "calibrationblock.h"

#include <cstddef>
#include <string>
#include <vector>

struct CalibrationFileContents
{
    enum Result { EndOfFile = 0, Malformed = 1 };

    // Every complete record in file order, empty placeholders included.
    std::vector<CalibrationBlock> blocks;
    // Indices into blocks of the records whose names had to be cut.
    std::vector<std::size_t> cutNames;
    // Their whole names as read, in the same order.
    std::vector<std::string> wholeNames;
    // The whole names of the records left out for a number that is not finite, in file order.
    std::vector<std::string> nonFiniteNames;
    int result = EndOfFile;
    // Where the malformed record begins (its first non-white byte), when result is Malformed.
    std::size_t malformedOffset = 0;
};

// Far beyond any real catalogue (a record takes about 150 bytes): a larger file is refused
// rather than taken into memory, and retrieval stores no more than this.
constexpr long long maxCalibrationFileBytes = 256LL * 1024 * 1024;

// Reads records until the end of the data or the first malformed record. A record
// cut short by the end of the data is ignored and the result is EndOfFile.
CalibrationFileContents readCalibrationFile(const char *data, std::size_t size);

#endif
