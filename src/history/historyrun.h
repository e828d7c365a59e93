// SPDX-License-Identifier: MIT
#ifndef HISTORYRUN_H
#define HISTORYRUN_H

#include "calibrationblock.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

// What one run that wrote the instrument did, as the history keeps it. A backup found on disk
// from before the history existed enters it as a run of its own kind, with no slots written.
enum class RunKind { Update, Restore, BackupTaken };
enum class RunState { Pending, Ok, Failed, Interrupted, BackupTaken };

// A write that reported success but read back otherwise has no code of the library's.
constexpr int kReadBackDiffers = -1;

struct HistorySlot
{
    int slot = 0;
    CalibrationBlock before {};
    CalibrationBlock after {};
    QString change; // as the preview showed it
};

struct HistoryRun
{
    qint64 id = 0;
    QString serial;
    QString family;
    QDateTime started; // UTC
    QDateTime ended;   // invalid while pending
    QString user;
    QString host;
    QString programVersion;
    RunKind kind = RunKind::Update;
    QString source; // the catalogue's address, a local file's path or the restored backup's path
    QString sourceSha256;
    QString backup; // taken before the run
    QString backupSha256;
    RunState state = RunState::Pending;
    int failedSlot = 0;
    int failedCode = 0;
    QVector<HistorySlot> slotsWritten; // slots 9 to 37, empty in a list of runs

    // A run that left the instrument in a state nobody chose.
    bool leftUnfinished() const { return state == RunState::Failed || state == RunState::Interrupted; }
};

// A block's name as its bytes spell it, up to its zero or its 20 bytes.
QString historyName(const CalibrationBlock &block);

// The words the database and the exports keep for kinds and states.
QString runKindKey(RunKind kind);
RunKind runKindFromKey(const QString &key);
QString runStateKey(RunState state);
RunState runStateFromKey(const QString &key);

// The kind and the state as the windows and the record show them.
QString runKindText(RunKind kind);
QString runVerdictText(const HistoryRun &run);

// For each backup a run was taken before, which run that was and how it ended.
QHash<QString, QString> backupNotes(const QVector<HistoryRun> &runs);

// Of the file's bytes, in hex; empty when it cannot be read.
QString fileSha256(const QString &path);
// The account the program runs as.
QString systemUserName();

// The backup the user last had in good order: the one taken before the first of the
// unfinished runs that end `runs` (newest first). Empty when the newest run ended well.
QString lastGoodBackup(const QVector<HistoryRun> &runs);

// The runs with their slots as RFC 4180 text in UTF-8: a header, then one line per slot per
// run, times in ISO 8601 UTC and each block's 64 bytes in hex, so that nothing is lost.
QByteArray formatHistoryCsv(const QVector<HistoryRun> &runs);

#endif
