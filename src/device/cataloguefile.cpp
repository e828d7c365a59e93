// SPDX-License-Identifier: MIT
#include "dialog.h"

#include "backup.h"
#include "calibrationfile.h"
#include "cataloguemerge.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// A backup is a set, not a catalogue: each saved block passes the family rules on its own,
// and blocks that share a name are all kept, so a set with two calibrations of one name
// comes back whole.
void mergeBackupBlocks(const QVector<SavedSlot> &savedSlots, const InstrumentModel &instrument,
                       CalibrationList &catalogue, CalibrationList &addable)
{
    for (const SavedSlot &saved : savedSlots) {
        CalibrationFileContents one;
        one.blocks.push_back(saved.block);
        CalibrationList accepted, accessible;
        mergeCatalogueBlocks(one, instrument, accepted, accessible);
        for (const CalibrationRecord &record : accepted)
            catalogue.append(record);
        for (const CalibrationRecord &record : accessible)
            addable.append(record);
    }
}

// Where the reader stopped, for the user: the record's number within the file it came from.
QString malformedPlace(const QVector<CataloguePart> &parts, const QByteArray &bytes, std::size_t offset)
{
    qint64 start = 0;
    for (const CataloguePart &part : parts) {
        if (qint64(offset) < part.end) {
            const CalibrationFileContents before = readCalibrationFile(bytes.constData() + start, offset - std::size_t(start));
            const std::size_t record = before.blocks.size() + before.nonFiniteNames.size() + 1;
            return QCoreApplication::translate("dialog", "record %1 of %2").arg(record).arg(part.name);
        }
        start = part.end;
    }
    return QCoreApplication::translate("dialog", "the record at byte %1").arg(offset);
}

} // namespace

int dialog::getCalFromFile()
{
    // Each failure here lies in the catalogue, so the next Connect fetches it anew.
    const auto failed = [this](const QString &reason) {
        showReason(reason);
        m_catalogueFailed = true;
        return 1;
    };
    // QFile converts the name to the file system's encoding, UTF-8 here.
    QFile file(tmpCalFile.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return failed(tr("The calibration catalogue cannot be opened: %1").arg(file.errorString()));
    const qint64 size = file.size();
    if (size > maxCalibrationFileBytes)
        return failed(tr("The calibration catalogue is larger than %1 MiB.").arg(maxCalibrationFileBytes >> 20));
    // Read into memory, never mapped: a mapped file cut short by someone else kills the program.
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return failed(tr("The calibration catalogue cannot be read: %1").arg(file.errorString()));

    const InstrumentModel instrument {instrumentCalibrations, rgbbluFound, gbrledFound};
    if (isBlockBackup(bytes)) {
        const BackupReading reading = readBackup(bytes);
        if (!reading.ok())
            return failed(tr("The block backup is damaged: %1.").arg(reading.failure));
        mergeBackupBlocks(reading.backup.savedSlots, instrument, catalogueCalibrations, addableCalibrations);
        return 0;
    }
    const CalibrationFileContents contents = readCalibrationFile(bytes.constData(), std::size_t(bytes.size()));
    m_leftOut = mergeCatalogueBlocks(contents, instrument, catalogueCalibrations, addableCalibrations);
    return contents.result == 0 ? 0
        : failed(tr("The calibration catalogue cannot be read: %1 is malformed.")
                     .arg(malformedPlace(m_catalogueParts, bytes, contents.malformedOffset)));
}
