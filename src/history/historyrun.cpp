// SPDX-License-Identifier: MIT
#include "historyrun.h"

#include "backup.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace {
const QStringList kKindKeys {QStringLiteral("update"), QStringLiteral("restore"), QStringLiteral("backup")};
const QStringList kStateKeys {QStringLiteral("pending"), QStringLiteral("ok"), QStringLiteral("failed"),
                              QStringLiteral("interrupted"), QStringLiteral("backup")};

QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n'))
        bytes = '"' + bytes.replace('"', "\"\"") + '"';
    return bytes;
}

QString isoTime(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QString hexOf(const CalibrationBlock &block)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(&block), sizeof block).toHex());
}

QString translated(const char *text)
{
    return QCoreApplication::translate("HistoryRun", text);
}
}

QString historyName(const CalibrationBlock &block)
{
    return QString::fromUtf8(block.calName, int(calNameLength(block)));
}

QString runKindText(RunKind kind)
{
    switch (kind) {
    case RunKind::Update:
        return translated("Update");
    case RunKind::Restore:
        return translated("Restore");
    case RunKind::BackupTaken:
        break;
    }
    return translated("Backup taken");
}

QString runVerdictText(const HistoryRun &run)
{
    switch (run.state) {
    case RunState::Pending:
        return translated("Not finished");
    case RunState::Ok:
        return translated("Ok");
    case RunState::Failed:
        return run.failedCode == kReadBackDiffers
            ? translated("Failed at slot %1: it read back otherwise than written").arg(run.failedSlot)
            : translated("Failed at slot %1 with code %2").arg(run.failedSlot).arg(run.failedCode);
    case RunState::Interrupted:
        return translated("Interrupted");
    case RunState::BackupTaken:
        break;
    }
    return translated("Backup taken");
}

QHash<QString, QString> backupNotes(const QVector<HistoryRun> &runs)
{
    QHash<QString, QString> notes;
    for (const HistoryRun &run : runs) {
        if (run.kind == RunKind::BackupTaken)
            continue;
        notes.insert(run.backup, (run.kind == RunKind::Restore ? translated("Taken before the restore of %1: %2")
                                                               : translated("Taken before the update of %1: %2"))
                                     .arg(backupTimeText(run.started), runVerdictText(run)));
    }
    return notes;
}

QString fileSha256(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? QString::fromLatin1(hash.result().toHex()) : QString();
}

QString systemUserName()
{
#ifdef Q_OS_UNIX
    if (const passwd *account = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return qEnvironmentVariable("USERNAME", qEnvironmentVariable("USER"));
}

QString runKindKey(RunKind kind)
{
    return kKindKeys.at(int(kind));
}

RunKind runKindFromKey(const QString &key)
{
    return RunKind(std::max(0, int(kKindKeys.indexOf(key))));
}

QString runStateKey(RunState state)
{
    return kStateKeys.at(int(state));
}

RunState runStateFromKey(const QString &key)
{
    const int index = kStateKeys.indexOf(key);
    return index < 0 ? RunState::Interrupted : RunState(index); // a word of a newer version: not known to be done
}

QString lastGoodBackup(const QVector<HistoryRun> &runs)
{
    QString backup;
    for (const HistoryRun &run : runs) {
        if (run.kind == RunKind::BackupTaken)
            continue;
        if (!run.leftUnfinished())
            break;
        backup = run.backup;
    }
    return backup;
}

QByteArray formatHistoryCsv(const QVector<HistoryRun> &runs)
{
    const QStringList header {"run", "serial", "family", "kind", "state", "failed slot", "failed code", "started",
                              "ended", "user", "host", "program version", "source", "source sha256", "backup",
                              "backup sha256", "slot", "change", "name before", "bytes before", "name after",
                              "bytes after"};
    const auto line = [](const QStringList &fields) {
        QByteArrayList cells;
        for (const QString &field : fields)
            cells << csvField(field);
        return cells.join(',') + "\r\n";
    };
    QByteArray csv = line(header);
    for (const HistoryRun &run : runs) {
        const bool failed = run.state == RunState::Failed;
        const QStringList common {QString::number(run.id), run.serial, run.family, runKindKey(run.kind),
                                  runStateKey(run.state), failed ? QString::number(run.failedSlot) : QString(),
                                  failed ? QString::number(run.failedCode) : QString(), isoTime(run.started),
                                  isoTime(run.ended), run.user, run.host, run.programVersion, run.source,
                                  run.sourceSha256, run.backup, run.backupSha256};
        for (const HistorySlot &slot : run.slotsWritten)
            csv += line(common + QStringList {QString::number(slot.slot), slot.change, historyName(slot.before),
                                              hexOf(slot.before), historyName(slot.after), hexOf(slot.after)});
    }
    return csv;
}
