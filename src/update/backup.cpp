#include "backup.h"

#include "calibrationrecord.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

namespace {
QByteArray number(float value)
{
    // Nine significant digits read back to the same float.
    return QByteArray::number(double(value), 'g', 9);
}

QByteArray row(const char *tag, const float (&values)[3])
{
    return QByteArray(tag) + ' ' + number(values[0]) + ' ' + number(values[1]) + ' ' + number(values[2]) + '\n';
}

QByteArray recordName(const CalibrationBlock &block)
{
    QByteArray name(block.calName, static_cast<int>(calNameLength(block)));
    // The reader takes a name up to the line end and skips blanks before it, so
    // a line break inside would split the record and an empty name would swallow the next tag.
    name.replace('\n', ' ').replace('\r', ' ');
    if (name.trimmed().isEmpty())
        name = "unnamed";
    return name;
}

constexpr char kBlockBackupHeader[] = "TARVIK calibration blocks 1\n";

bool saveAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString fileSafe(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return text.isEmpty() ? QStringLiteral("unknown") : text;
}
}

QByteArray formatCalibrationFile(const QVector<CalibrationBlock> &blocks)
{
    QByteArray text;
    for (const CalibrationBlock &b : blocks) {
        if (!allFinite(b))
            continue;
        text += "[CAL_NAME] " + recordName(b) + '\n';
        text += "[ABS_INTENSITY_CAL] " + number(b.absIntensityCal) + '\n';
        text += row("[XCAL]", b.xCal);
        text += row("[YCAL]", b.yCal);
        text += row("[ZCAL]", b.zCal);
        text += "[BASCAL_INDEX] " + QByteArray::number(b.basCalIndex) + '\n';
    }
    return text;
}

QByteArray formatBlockBackup(const QVector<CalibrationBlock> &blocks)
{
    QByteArray bytes(kBlockBackupHeader);
    bytes.append(reinterpret_cast<const char *>(blocks.constData()), int(blocks.size() * sizeof(CalibrationBlock)));
    return bytes;
}

bool isBlockBackup(const QByteArray &bytes)
{
    return bytes.startsWith(kBlockBackupHeader);
}

CalibrationFileContents readBlockBackup(const QByteArray &bytes)
{
    CalibrationFileContents contents;
    const qsizetype header = qsizetype(sizeof kBlockBackupHeader - 1);
    const std::size_t payload = std::size_t(bytes.size() > header ? bytes.size() - header : 0);
    contents.blocks.resize(payload / sizeof(CalibrationBlock));
    if (!contents.blocks.empty())
        std::memcpy(contents.blocks.data(), bytes.constData() + header, contents.blocks.size() * sizeof(CalibrationBlock));
    if (!isBlockBackup(bytes) || payload % sizeof(CalibrationBlock) != 0)
        contents.result = CalibrationFileContents::Malformed;
    return contents;
}

QString backupDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString writeBackup(const QString &directory, const QString &serial, const QDateTime &when,
                    const QVector<CalibrationBlock> &blocks)
{
    if (!QDir().mkpath(directory))
        return QString();
    const QString base = directory + QStringLiteral("/TARVIK-%1-%2")
                                         .arg(fileSafe(serial), when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    if (!saveAtomically(base + ".txt", formatCalibrationFile(blocks))
        || !saveAtomically(base + ".blocks", formatBlockBackup(blocks)))
        return QString();
    return base + ".blocks";
}
