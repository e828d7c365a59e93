#include "dialog.h"

#include "calibrationfile.h"
#include "cataloguemerge.h"

#include <QDebug>
#include <QFile>

namespace {

// Far beyond any real catalogue (a record takes about 150 bytes); a bigger file is
// refused rather than taken into memory.
constexpr qint64 kLargestCatalogueBytes = qint64(256) * 1024 * 1024;

} // namespace

int dialog::getCalFromFile()
{
    // QFile converts the name to the file system's encoding, UTF-8 here.
    QFile file(tmpCalFile.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const qint64 size = file.size();
    if (size > kLargestCatalogueBytes) {
        qDebug().noquote() << "Calibration file" << file.fileName() << "refused:" << size
                           << "bytes is too large for a catalogue";
        return 1;
    }

    // Mapped where the system allows it; read otherwise, within the same limit.
    const uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray copy = size > 0 && !mapped ? file.read(size) : QByteArray();
    const CalibrationFileContents contents = mapped
        ? readCalibrationFile(reinterpret_cast<const char *>(mapped), std::size_t(size))
        : readCalibrationFile(copy.constData(), std::size_t(copy.size()));

    for (std::size_t i : contents.cutNames) {
        qDebug().noquote() << "Calibration name longer than 19 bytes cut to"
                           << calibrationName(contents.blocks[i]);
    }
    mergeCatalogueBlocks(contents, {instrumentCalibrations, rgbbluFound, gbrledFound},
                         catalogueCalibrations, addableCalibrations);
    return contents.result;
}
