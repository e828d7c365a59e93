// SPDX-License-Identifier: MIT
#ifndef HISTORYSTORE_H
#define HISTORYSTORE_H

#include "backup.h"
#include "historyrun.h"

#include <QString>
#include <QVector>

// The history of runs, in one SQLite file. This class alone opens it, knows its schema and
// writes to it. Every verb that writes returns false with errorString() when it could not.
class HistoryStore
{
public:
    // Opens (creating when there is none) and migrates the database at `path`. A damaged file
    // is renamed aside and a new one started; one of a newer schema is opened read-only.
    explicit HistoryStore(const QString &path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    static constexpr int kSchemaVersion = 1;

    // A newer program's database: shown, never altered.
    bool isReadOnly() const { return m_readOnly; }
    // What the user must be told about the opening (a damaged file set aside, a newer
    // schema); empty when there is nothing to tell.
    QString notice() const { return m_notice; }
    // Why the last verb failed.
    QString errorString() const { return m_error; }

    // Records `run` with its slots as pending, in one transaction, and gives it its id.
    bool beginRun(HistoryRun &run);
    bool finishRun(qint64 id, RunState state, int failedSlot = 0, int failedCode = 0);
    // Runs this serial's program left pending when it was killed: they were interrupted.
    bool markInterrupted(const QString &serial);
    // Backups on disk that no run names yet enter as "backup taken" entries, once per serial.
    bool importBackups(const QString &serial, const QString &family, const QVector<BackupFile> &backups);

    // Newest first, without their slots; every instrument's when `serial` is empty.
    QVector<HistoryRun> runs(const QString &serial = QString());
    // One run with its slots 9 to 37; id 0 when there is none.
    HistoryRun run(qint64 id);

private:
    bool open(bool readOnly);
    bool migrate();
    bool setAside();
    bool fail(const QString &why);
    bool writable();

    QString m_path;
    QString m_connection;
    bool m_readOnly = false;
    bool m_ready = false;   // opened and of a schema this program knows
    bool m_damaged = false; // the file is no database, or a damaged one
    QString m_openError;
    QString m_notice;
    QString m_error;
};

// Where the program keeps its history: in the application data folder.
QString historyPath();

#endif
