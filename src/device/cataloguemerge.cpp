#include "cataloguemerge.h"

#include "calibrationrecord.h"

#include <QByteArray>

namespace {

struct Families
{
    bool v10;
    bool v11;
};

// Names stay UTF-8 bytes here: the suffixes are ASCII, so removing them from the bytes
// never splits a character, and bytes that are not valid UTF-8 are kept as they are.
QByteArray nameBytes(const CalibrationBlock &block)
{
    return QByteArray(block.calName, static_cast<int>(calNameLength(block)));
}

Families familiesOf(const CalibrationBlock &block)
{
    const QByteArray name = nameBytes(block);
    const std::uint8_t index = baseCalibrationIndex(block);
    return {index == 6 || name.endsWith(" V1.0"), index == 2 || name.endsWith(" V1.1")};
}

// Every " V1.0", then every " V1.1", wherever it stands; the shorter name always fits.
void removeVersionSuffixes(CalibrationBlock &block)
{
    QByteArray name = nameBytes(block);
    name.replace(" V1.0", "");
    name.replace(" V1.1", "");
    setCalibrationName(block, name);
}

} // namespace

void mergeCatalogueBlocks(const std::vector<CalibrationBlock> &blocks, const InstrumentModel &instrument,
                          CalibrationList &catalogue, CalibrationList &addable)
{
    for (CalibrationBlock block : blocks) {
        if (isEmptyBlock(block))
            continue;
        const Families families = familiesOf(block);
        if ((families.v10 && !instrument.rgbbluFound) || (families.v11 && !instrument.gbrledFound))
            continue;
        if (families.v10 || families.v11)
            removeVersionSuffixes(block);

        // Looked up, shown and later written under the same UTF-8 decoding of calName.
        const CalibrationRecord record(block);
        const QString name = calibrationName(block);
        if (families.v11 && catalogue.replaceAll(name, record) > 0) {
            // Keep what the selection window shows in step with the block that will be written.
            addable.replaceAll(name, record);
            continue;
        }
        if (catalogue.contains(name))
            continue;
        catalogue.append(record);
        if (!instrument.calibrations.contains(name))
            addable.append(record);
    }
}
