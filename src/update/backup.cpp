// SPDX-License-Identifier: MIT
#include "backup.h"

#include "calibrationrecord.h"
#include "durablefile.h"
#include "smallfile.h"
#include "tarvikdll.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
// A whole backup takes about 4 KiB; anything much larger is no backup of ours.
constexpr qint64 maxBackupBytes = 1024 * 1024;

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

constexpr char kFirstHeader[] = "TARVIK calibration blocks 1\n";
constexpr char kUncheckedHeader[] = "TARVIK calibration backup 2";
constexpr char kHeader[] = "TARVIK calibration backup 3";
constexpr char kChecksumKey[] = "sha256 ";
constexpr char kEnd[] = "end\n";
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// The first format: a header, then the blocks of slots 9 on as raw bytes.
BackupReading readFirstFormat(const QByteArray &bytes)
{
    BackupReading reading;
    const QByteArray payload = bytes.mid(int(sizeof kFirstHeader - 1));
    const int count = int(payload.size() / int(sizeof(CalibrationBlock)));
    for (int i = 0; i < count && kAmbientSlot + i <= kLastSlot; ++i) {
        SavedSlot saved {kAmbientSlot + i, {}};
        std::memcpy(&saved.block, payload.constData() + i * int(sizeof(CalibrationBlock)), sizeof(CalibrationBlock));
        reading.backup.savedSlots.append(saved);
    }
    if (payload.size() % int(sizeof(CalibrationBlock)) != 0)
        reading.failure = QCoreApplication::translate("dialog", "the last block is cut short");
    else if (count > kLastSlot - kAmbientSlot + 1)
        reading.failure = QCoreApplication::translate("dialog", "more blocks than slots 9 to 37");
    return reading;
}

QString parseLine(const QList<QByteArray> &words, Backup &backup)
{
    const QByteArray key = words.value(0);
    if (key == "serial" && words.size() <= 2 && backup.serial.isNull())
    {
        backup.serial = QString::fromUtf8(QByteArray::fromPercentEncoding(words.value(1)));
        if (backup.serial.isNull()) // seen, though empty
            backup.serial = QLatin1String("");
    }
    else if (key == "time" && words.size() == 2 && !backup.time.isValid())
        backup.time = QDateTime::fromString(QString::fromLatin1(words[1]), Qt::ISODateWithMs);
    else if (key == "slot" && words.size() == 3) {
        bool number = false;
        const int slot = words[1].toInt(&number);
        const QString slotText = QString::fromLatin1(words[1].left(10));
        const int previous = backup.savedSlots.isEmpty() ? kAmbientSlot - 1 : backup.savedSlots.last().slot;
        const auto listed = [slot](const SavedSlot &saved) { return saved.slot == slot; };
        if (number && std::any_of(backup.savedSlots.begin(), backup.savedSlots.end(), listed))
            return QCoreApplication::translate("dialog", "slot %1 is listed twice").arg(slot);
        if (!number || slot <= previous || slot > kLastSlot)
            return QCoreApplication::translate("dialog", "slot line \"%1\" is not a slot 9 to 37 in order with 64 bytes").arg(slotText);
        // fromHex() would skip any other character and shift every later digit.
        if (words[2].size() != 2 * int(sizeof(CalibrationBlock))
            || !std::all_of(words[2].begin(), words[2].end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            return QCoreApplication::translate("dialog", "slot %1 does not hold 128 hexadecimal digits").arg(slot);
        const QByteArray block = QByteArray::fromHex(words[2]);
        SavedSlot saved {slot, {}};
        std::memcpy(&saved.block, block.constData(), sizeof saved.block);
        backup.savedSlots.append(saved);
    } else
        return QCoreApplication::translate("dialog", "unexpected line \"%1\"").arg(QString::fromLatin1(words.join(' ').left(40)));
    return QString();
}

QByteArray checksumOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
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

QByteArray formatBlockBackup(const Backup &backup)
{
    QByteArray bytes = QByteArray(kHeader) + '\n';
    bytes += "serial " + backup.serial.toUtf8().toPercentEncoding() + '\n';
    bytes += "time " + backup.time.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    for (const SavedSlot &saved : backup.savedSlots) {
        const QByteArray block(reinterpret_cast<const char *>(&saved.block), int(sizeof saved.block));
        bytes += "slot " + QByteArray::number(saved.slot) + ' ' + block.toHex() + '\n';
    }
    return bytes + kChecksumKey + checksumOf(bytes) + '\n' + kEnd;
}

BackupReading readBackup(const QByteArray &bytes)
{
    if (bytes.startsWith(kFirstHeader))
        return readFirstFormat(bytes);
    BackupReading reading;
    QList<QByteArray> lines = bytes.split('\n');
    const bool checksummed = lines.value(0) == kHeader;
    if (!checksummed && lines.value(0) != kUncheckedHeader) {
        reading.failure = QCoreApplication::translate("dialog", "not a whole calibration backup");
        return reading;
    }
    // What was cut short lacks its last slots, and only the end line tells.
    if (!bytes.endsWith(QByteArray("\n") + kEnd)) {
        reading.failure = QCoreApplication::translate("dialog", "cut short before the end line");
        return reading;
    }
    lines = lines.mid(1, lines.size() - 3); // between the header and "end"
    QByteArray checksum;
    if (checksummed) {
        if (lines.isEmpty() || !lines.last().startsWith(kChecksumKey)) {
            reading.failure = QCoreApplication::translate("dialog", "the checksum line is missing");
            return reading;
        }
        checksum = lines.takeLast().mid(int(sizeof kChecksumKey - 1));
    }
    for (const QByteArray &line : lines) {
        reading.failure = parseLine(line.split(' '), reading.backup);
        if (!reading.ok())
            return reading;
    }
    if (reading.backup.serial.isNull() || !reading.backup.time.isValid())
        reading.failure = QCoreApplication::translate("dialog", "the serial number or the time is missing");
    else if (checksummed) {
        const int covered = bytes.size() - int(sizeof kEnd - 1) - int(sizeof kChecksumKey - 1) - checksum.size() - 1;
        reading.checked = checksum == checksumOf(bytes.left(covered));
        if (!reading.checked)
            reading.failure = QCoreApplication::translate("dialog", "the checksum does not match: changed after it was written");
    }
    return reading;
}

BackupReading readBackupFile(const QString &path)
{
    const SmallFile file = readSmallRegularFile(path, maxBackupBytes);
    BackupReading reading;
    if (!file.ok()) {
        reading.failure = file.failure;
        return reading;
    }
    reading = readBackup(file.bytes);
    reading.sha256 = QString::fromLatin1(QCryptographicHash::hash(file.bytes, QCryptographicHash::Sha256).toHex());
    return reading;
}

bool isBlockBackup(const QByteArray &bytes)
{
    return bytes.startsWith(kFirstHeader) || bytes.startsWith(QByteArray(kHeader) + '\n')
        || bytes.startsWith(QByteArray(kUncheckedHeader) + '\n');
}

QStringList backupNames(const Backup &backup)
{
    QStringList names;
    for (const SavedSlot &saved : backup.savedSlots) {
        if (!isEmptyBlock(saved.block))
            names << calibrationName(saved.block);
    }
    return names;
}

QString backupTimeText(const QDateTime &time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString backupDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString instrumentLockPath(const QString &serial)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/TARVIK-" + fileSafe(serial) + ".lock";
}

QVector<BackupFile> backupsOf(const QString &directory, const QString &serial)
{
    const QString prefix = "TARVIK-" + fileSafe(serial) + '-';
    QVector<BackupFile> found;
    // FIFOs and devices too, and links to them, so that the list can say why they are of no use.
    const QFileInfoList files = QDir(directory).entryInfoList({prefix + "*.blocks"}, QDir::Files | QDir::System);
    for (const QFileInfo &info : files) {
        const BackupReading reading = readBackupFile(info.filePath());
        BackupFile entry {info.filePath(), reading.backup, reading.failure, reading.checked};
        if (!entry.backup.time.isValid()) // the first format: the time is in the name
            entry.backup.time = QDateTime::fromString(info.completeBaseName().mid(prefix.size()), kTimeFormat);
        found.append(entry);
    }
    std::sort(found.begin(), found.end(), [](const BackupFile &a, const BackupFile &b) {
        return a.backup.time > b.backup.time;
    });
    return found;
}

SavedBackup writeBackup(const QString &directory, const Backup &backup)
{
    SavedBackup saved;
    if (!QDir().mkpath(directory)) {
        saved.failure = QCoreApplication::translate("dialog", "the folder cannot be made");
        return saved;
    }
    const QString base = directory + QStringLiteral("/TARVIK-%1-%2")
                                         .arg(fileSafe(backup.serial), backup.time.toString(kTimeFormat));
    QVector<CalibrationBlock> blocks;
    for (const SavedSlot &slot : backup.savedSlots)
        blocks << slot.block;
    saved.failure = saveDurably(base + ".txt", formatCalibrationFile(blocks));
    if (saved.failure.isEmpty())
        saved.failure = saveDurably(base + ".blocks", formatBlockBackup(backup));
    if (saved.failure.isEmpty()) {
        saved.path = base + ".blocks";
    } else { // half a backup would be taken for a whole one
        QFile::remove(base + ".txt");
        QFile::remove(base + ".blocks");
    }
    return saved;
}
