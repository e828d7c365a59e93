#include "backup.h"

#include "calibrationrecord.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

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
        text += "[CAL_NAME] " + recordName(b) + '\n';
        text += "[ABS_INTENSITY_CAL] " + number(b.absIntensityCal) + '\n';
        text += row("[XCAL]", b.xCal);
        text += row("[YCAL]", b.yCal);
        text += row("[ZCAL]", b.zCal);
        text += "[BASCAL_INDEX] " + QByteArray::number(b.basCalIndex) + '\n';
    }
    return text;
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
    const QString path = directory + QStringLiteral("/TARVIK-%1-%2.txt")
                                         .arg(fileSafe(serial), when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    const QByteArray text = formatCalibrationFile(blocks);
    if (file.write(text) != text.size() || !file.commit())
        return QString();
    return path;
}
