// SPDX-License-Identifier: MIT
#include "historystore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>
#include <cstring>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("HistoryStore", text);
}

// SQLite's own codes for a file that is no database or a damaged one.
bool isDamage(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

QString reasonOf(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Text columns are never NULL: an unknown value is stored as empty text.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QVariant timeValue(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toUTC().toString(Qt::ISODateWithMs)) : QVariant();
}

QDateTime timeFrom(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
}

QByteArray bytesOf(const CalibrationBlock &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), sizeof block);
}

CalibrationBlock blockFrom(const QByteArray &bytes)
{
    CalibrationBlock block {};
    if (bytes.size() == int(sizeof block))
        std::memcpy(&block, bytes.constData(), sizeof block);
    return block;
}

const char kRunColumns[] = "id, serial, family, started, ended, system_user, host, program_version, kind, source, "
                           "source_sha256, backup, backup_sha256, state, failed_slot, failed_code";

HistoryRun runFrom(const QSqlQuery &query)
{
    HistoryRun run;
    run.id = query.value(0).toLongLong();
    run.serial = query.value(1).toString();
    run.family = query.value(2).toString();
    run.started = timeFrom(query.value(3));
    run.ended = timeFrom(query.value(4));
    run.user = query.value(5).toString();
    run.host = query.value(6).toString();
    run.programVersion = query.value(7).toString();
    run.kind = runKindFromKey(query.value(8).toString());
    run.source = query.value(9).toString();
    run.sourceSha256 = query.value(10).toString();
    run.backup = query.value(11).toString();
    run.backupSha256 = query.value(12).toString();
    run.state = runStateFromKey(query.value(13).toString());
    run.failedSlot = query.value(14).toInt();
    run.failedCode = query.value(15).toInt();
    return run;
}
}

QString historyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/history.sqlite");
}

HistoryStore::HistoryStore(const QString &path)
    : m_path(path)
{
    static std::atomic<int> connections {0};
    m_connection = QStringLiteral("history-%1").arg(++connections);
    QDir().mkpath(QFileInfo(path).path());
    m_ready = open(false) && migrate();
    if (!m_ready && m_damaged && setAside())
        m_ready = migrate();
    if (!m_ready)
        m_openError = m_error;
}

HistoryStore::~HistoryStore()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool HistoryStore::open(bool readOnly)
{
    m_readOnly = readOnly;
    {
        QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                               : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.close();
        db.setDatabaseName(m_path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open())
            return true;
        m_error = reasonOf(db.lastError());
    }
    return false;
}

// The one place the schema changes: each older version is brought up one step at a time.
bool HistoryStore::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_damaged = isDamage(query.lastError());
        return fail(reasonOf(query.lastError()));
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (version > kSchemaVersion) {
        m_notice = translated("The history %1 was written by a newer version of this program. It is shown, "
                              "never changed; nothing can be written to the TARVIK until that version is used.")
                       .arg(QDir::toNativeSeparators(m_path));
        return open(true);
    }
    if (version == kSchemaVersion)
        return true;
    const QStringList steps {
        QStringLiteral("CREATE TABLE runs (id INTEGER PRIMARY KEY, serial TEXT NOT NULL, family TEXT NOT NULL, "
                       "started TEXT NOT NULL, ended TEXT, system_user TEXT NOT NULL, host TEXT NOT NULL, "
                       "program_version TEXT NOT NULL, kind TEXT NOT NULL, source TEXT NOT NULL, "
                       "source_sha256 TEXT NOT NULL, backup TEXT NOT NULL, backup_sha256 TEXT NOT NULL, "
                       "state TEXT NOT NULL, failed_slot INTEGER, failed_code INTEGER)"),
        QStringLiteral("CREATE INDEX runs_by_serial ON runs (serial, started)"),
        QStringLiteral("CREATE INDEX runs_by_time ON runs (started)"),
        QStringLiteral("CREATE TABLE run_slots (run INTEGER NOT NULL REFERENCES runs (id), slot INTEGER NOT NULL, "
                       "change TEXT NOT NULL, name_before TEXT NOT NULL, bytes_before BLOB NOT NULL, "
                       "name_after TEXT NOT NULL, bytes_after BLOB NOT NULL, PRIMARY KEY (run, slot))"),
        QStringLiteral("CREATE TABLE imported_serials (serial TEXT PRIMARY KEY)"),
        QStringLiteral("PRAGMA user_version = 1"),
    };
    if (!db.transaction())
        return fail(reasonOf(db.lastError()));
    for (const QString &step : steps) {
        if (!query.exec(step)) {
            const QSqlError error = query.lastError();
            db.rollback();
            return fail(reasonOf(error));
        }
    }
    return db.commit() || fail(reasonOf(db.lastError()));
}

bool HistoryStore::setAside()
{
    QSqlDatabase::database(m_connection, false).close();
    const QString aside = m_path + QStringLiteral(".damaged-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (!QFile::rename(m_path, aside))
        return fail(translated("the damaged file cannot be renamed"));
    // A journal beside it belongs to the damaged file; left here it would be rolled into the new one.
    if (QFile::exists(m_path + QStringLiteral("-journal")))
        QFile::rename(m_path + QStringLiteral("-journal"), aside + QStringLiteral("-journal"));
    m_notice = translated("The history %1 was damaged. It is kept as %2, and a new history was started.")
                   .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(aside));
    return open(false);
}

bool HistoryStore::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool HistoryStore::writable()
{
    if (m_readOnly)
        return fail(translated("it was written by a newer version of this program"));
    return m_ready || fail(m_openError);
}

bool HistoryStore::beginRun(HistoryRun &run)
{
    if (!writable())
        return false;
    if (!run.started.isValid())
        run.started = QDateTime::currentDateTimeUtc();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(reasonOf(db.lastError()));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO runs (serial, family, started, system_user, host, program_version, kind, "
                                  "source, source_sha256, backup, backup_sha256, state) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {text(run.serial), text(run.family), timeValue(run.started), text(run.user),
                                  text(run.host), text(run.programVersion), QVariant(runKindKey(run.kind)),
                                  text(run.source), text(run.sourceSha256), text(run.backup),
                                  text(run.backupSha256), QVariant(runStateKey(run.state))})
        insert.addBindValue(value);
    bool done = insert.exec();
    const qint64 id = insert.lastInsertId().toLongLong();
    QSqlQuery slot(db);
    slot.prepare(QStringLiteral("INSERT INTO run_slots (run, slot, change, name_before, bytes_before, name_after, bytes_after) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; done && i < run.slotsWritten.size(); ++i) {
        const HistorySlot &s = run.slotsWritten.at(i);
        for (const QVariant &value : {QVariant(id), QVariant(s.slot), text(s.change), text(historyName(s.before)),
                                      QVariant(bytesOf(s.before)), text(historyName(s.after)), QVariant(bytesOf(s.after))})
            slot.addBindValue(value);
        done = slot.exec();
    }
    const QSqlError error = done ? QSqlError() : (insert.lastError().isValid() ? insert.lastError() : slot.lastError());
    if (!done) {
        db.rollback();
        return fail(reasonOf(error));
    }
    if (!db.commit()) {
        const QSqlError commitError = db.lastError();
        db.rollback();
        return fail(reasonOf(commitError));
    }
    run.id = id;
    return true;
}

bool HistoryStore::finishRun(qint64 id, RunState state, int failedSlot, int failedCode)
{
    if (!writable())
        return false;
    QSqlQuery update(QSqlDatabase::database(m_connection, false));
    update.prepare(QStringLiteral("UPDATE runs SET state = ?, ended = ?, failed_slot = ?, failed_code = ? WHERE id = ?"));
    const bool failed = state == RunState::Failed;
    for (const QVariant &value : {QVariant(runStateKey(state)), timeValue(QDateTime::currentDateTimeUtc()),
                                  failed ? QVariant(failedSlot) : QVariant(),
                                  failed ? QVariant(failedCode) : QVariant(), QVariant(id)})
        update.addBindValue(value);
    return update.exec() || fail(reasonOf(update.lastError()));
}

bool HistoryStore::markInterrupted(const QString &serial)
{
    if (!writable())
        return false;
    QSqlQuery update(QSqlDatabase::database(m_connection, false));
    update.prepare(QStringLiteral("UPDATE runs SET state = ? WHERE serial = ? AND state = ?"));
    update.addBindValue(runStateKey(RunState::Interrupted));
    update.addBindValue(serial);
    update.addBindValue(runStateKey(RunState::Pending));
    return update.exec() || fail(reasonOf(update.lastError()));
}

bool HistoryStore::importBackups(const QString &serial, const QString &family, const QVector<BackupFile> &backups)
{
    if (!writable())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery seen(db);
    seen.prepare(QStringLiteral("SELECT 1 FROM imported_serials WHERE serial = ?"));
    seen.addBindValue(serial);
    if (!seen.exec())
        return fail(reasonOf(seen.lastError()));
    if (seen.next())
        return true;
    seen.finish();
    if (!db.transaction())
        return fail(reasonOf(db.lastError()));
    bool done = true;
    QSqlQuery known(db);
    known.prepare(QStringLiteral("SELECT 1 FROM runs WHERE backup = ? OR source = ?"));
    for (const BackupFile &file : backups) {
        known.addBindValue(file.path);
        known.addBindValue(file.path);
        done = known.exec();
        if (!done)
            break;
        if (known.next())
            continue;
        known.finish();
        HistoryRun entry;
        entry.serial = serial;
        entry.family = family;
        entry.started = file.backup.time.isValid() ? file.backup.time : QFileInfo(file.path).lastModified();
        entry.kind = RunKind::BackupTaken;
        entry.state = RunState::BackupTaken;
        entry.backup = file.path;
        for (const SavedSlot &saved : file.backup.savedSlots)
            entry.slotsWritten.append({saved.slot, saved.block, saved.block, QString()});
        // Each entry in the same transaction as the rest: a nested begin would commit it alone.
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO runs (serial, family, started, ended, system_user, host, program_version, "
                                      "kind, source, source_sha256, backup, backup_sha256, state) "
                                      "VALUES (?, ?, ?, ?, '', '', '', ?, '', '', ?, '', ?)"));
        for (const QVariant &value : {text(serial), text(family), timeValue(entry.started), timeValue(entry.started),
                                      QVariant(runKindKey(entry.kind)), text(entry.backup), QVariant(runStateKey(entry.state))})
            insert.addBindValue(value);
        done = insert.exec();
        QSqlQuery slot(db);
        slot.prepare(QStringLiteral("INSERT INTO run_slots (run, slot, change, name_before, bytes_before, name_after, bytes_after) "
                                    "VALUES (?, ?, '', ?, ?, ?, ?)"));
        const qint64 id = insert.lastInsertId().toLongLong();
        for (int i = 0; done && i < entry.slotsWritten.size(); ++i) {
            const HistorySlot &s = entry.slotsWritten.at(i);
            for (const QVariant &value : {QVariant(id), QVariant(s.slot), text(historyName(s.before)), QVariant(bytesOf(s.before)),
                                          text(historyName(s.after)), QVariant(bytesOf(s.after))})
                slot.addBindValue(value);
            done = slot.exec();
        }
        if (!done)
            break;
    }
    QSqlQuery mark(db);
    mark.prepare(QStringLiteral("INSERT INTO imported_serials (serial) VALUES (?)"));
    mark.addBindValue(serial);
    done = done && mark.exec();
    if (!done || !db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        return fail(reasonOf(error));
    }
    return true;
}

QVector<HistoryRun> HistoryStore::runs(const QString &serial)
{
    QVector<HistoryRun> found;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM runs %2 ORDER BY started DESC, id DESC")
                      .arg(QLatin1String(kRunColumns), serial.isEmpty() ? QString() : QStringLiteral("WHERE serial = ?")));
    if (!serial.isEmpty())
        query.addBindValue(serial);
    if (!query.exec()) {
        fail(reasonOf(query.lastError()));
        return found;
    }
    while (query.next())
        found.append(runFrom(query));
    return found;
}

HistoryRun HistoryStore::run(qint64 id)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM runs WHERE id = ?").arg(QLatin1String(kRunColumns)));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) {
        fail(reasonOf(query.lastError()));
        return HistoryRun();
    }
    HistoryRun run = runFrom(query);
    QSqlQuery slotQuery(db);
    slotQuery.setForwardOnly(true);
    slotQuery.prepare(QStringLiteral("SELECT slot, change, bytes_before, bytes_after FROM run_slots WHERE run = ? ORDER BY slot"));
    slotQuery.addBindValue(id);
    if (!slotQuery.exec())
        fail(reasonOf(slotQuery.lastError()));
    while (slotQuery.next())
        run.slotsWritten.append({slotQuery.value(0).toInt(), blockFrom(slotQuery.value(2).toByteArray()),
                                 blockFrom(slotQuery.value(3).toByteArray()), slotQuery.value(1).toString()});
    return run;
}
