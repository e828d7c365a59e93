// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the calibration file reader and the catalogue merge,
// and stops at the first block or list that breaks what the program relies on.

#include "calibrationfile.h"
#include "calibrationlist.h"
#include "cataloguemerge.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkBlock(const CalibrationBlock &b)
{
    require(b.calName[kCalNameSize - 1] == '\0');
    const float numbers[] = {b.absIntensityCal, b.xCal[0], b.xCal[1], b.xCal[2], b.yCal[0],
                             b.yCal[1], b.yCal[2], b.zCal[0], b.zCal[1], b.zCal[2]};
    for (float v : numbers)
        require(std::isfinite(v));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const CalibrationFileContents contents = readCalibrationFile(reinterpret_cast<const char *>(data), size);
    require(contents.result == CalibrationFileContents::EndOfFile
            || contents.result == CalibrationFileContents::Malformed);
    require(contents.result == CalibrationFileContents::EndOfFile || contents.malformedOffset < size);
    for (const CalibrationBlock &b : contents.blocks)
        checkBlock(b);
    for (std::size_t i = 0; i < contents.cutNames.size(); ++i) {
        require(contents.cutNames[i] < contents.blocks.size());
        require(i == 0 || contents.cutNames[i] > contents.cutNames[i - 1]);
    }
    require(contents.wholeNames.size() == contents.cutNames.size());

    // Whatever the names hold, the catalogue keeps one record per name and only offers what it holds.
    CalibrationList instrument;
    if (!contents.blocks.empty())
        instrument.append(CalibrationRecord(contents.blocks.front()));
    CalibrationList catalogue;
    CalibrationList addable;
    mergeCatalogueBlocks(contents, {instrument, true, true}, catalogue, addable);
    require(catalogue.size() <= int(contents.blocks.size()));
    for (const CalibrationRecord &r : catalogue)
        require(catalogue.find(calibrationName(r.block)) == &r);
    for (const CalibrationRecord &r : addable) {
        require(catalogue.contains(calibrationName(r.block)));
        require(!instrument.contains(calibrationName(r.block)));
    }
    return 0;
}
