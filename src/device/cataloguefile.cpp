#include "dialog.h"

#include "backup.h"
#include "calibrationfile.h"
#include "cataloguemerge.h"

#include <QFile>

namespace {

// A backup is a set, not a catalogue: each saved block passes the family rules on its own,
// and blocks that share a name are all kept, so a set with two calibrations of one name
// comes back whole.
void mergeBackupBlocks(const std::vector<CalibrationBlock> &blocks, const InstrumentModel &instrument,
                       CalibrationList &catalogue, CalibrationList &addable)
{
    for (const CalibrationBlock &block : blocks) {
        CalibrationFileContents one;
        one.blocks.push_back(block);
        CalibrationList accepted, accessible;
        mergeCatalogueBlocks(one, instrument, accepted, accessible);
        for (const CalibrationRecord &record : accepted)
            catalogue.append(record);
        for (const CalibrationRecord &record : accessible)
            addable.append(record);
    }
}

} // namespace

int dialog::getCalFromFile()
{
    // QFile converts the name to the file system's encoding, UTF-8 here.
    QFile file(tmpCalFile.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const qint64 size = file.size();
    if (size > maxCalibrationFileBytes)
        return 1;
    // Read into memory, never mapped: a mapped file cut short by someone else kills the program.
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return 1;

    const InstrumentModel instrument {instrumentCalibrations, rgbbluFound, gbrledFound};
    if (isBlockBackup(bytes)) {
        const CalibrationFileContents contents = readBlockBackup(bytes);
        mergeBackupBlocks(contents.blocks, instrument, catalogueCalibrations, addableCalibrations);
        return contents.result;
    }
    const CalibrationFileContents contents = readCalibrationFile(bytes.constData(), std::size_t(bytes.size()));
    mergeCatalogueBlocks(contents, instrument, catalogueCalibrations, addableCalibrations);
    return contents.result;
}
