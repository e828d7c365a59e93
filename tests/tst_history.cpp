// SPDX-License-Identifier: MIT
#include "historyreport.h"
#include "historystore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include <cmath>
#include <cstring>

Q_DECLARE_METATYPE(HistoryRun)

namespace {
CalibrationBlock block(const QByteArray &name, float intensity)
{
    CalibrationBlock b = emptyCalibrationBlock();
    std::memcpy(b.calName, name.constData(), std::min<std::size_t>(kCalNameSize, name.size()));
    b.absIntensityCal = intensity;
    b.basCalIndex = 3;
    return b;
}

QString python(const QString &script, const QString &path)
{
    QProcess p;
    p.start("python3", {"-c", script, path});
    return p.waitForFinished() && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : "python3: " + p.readAllStandardError();
}
}

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void theExportsKeepEveryByte_data()
    {
        QTest::addColumn<HistoryRun>("run");
        HistoryRun run {0, "TRV-0042", "RGBBLU, GBRLED", QDateTime(QDate(2026, 12, 9), QTime(15, 51, 51, 123), Qt::UTC), {},
                        "lab", "bench-pc", "1.0.0", RunKind::Update, "http://127.0.0.1/TARVIK/Calibrations/", QString(64, 'a'),
                        "/data/backups/TARVIK-TRV-0042-20261209-155151-123.blocks", QString(64, 'b'), RunState::Failed, 12, kReadBackDiffers, {}};
        CalibrationBlock nan = block("Not a number", 1.5f);
        nan.yCal[1] = std::nanf("");
        run.slotsWritten = {{9, block("JUST w. Diffuser", 1.03f), block("JUST w. Diffuser", 1.03f), "Ambient calibration"},
                            {10, block("Büro LED 4000 K", 2.5f), nan, "Replaced"},
                            {11, block("Twenty bytes, no end", 1.1f), block("Prüfstand \xe2\x80\x93 Ost", 0.9f), "Added"}};
        QTest::newRow("failed at slot 12: a NaN, a name without its zero, UTF-8 names") << run;
        run.kind = RunKind::Restore;
        run.state = RunState::Ok;
        run.source = run.backup;
        run.slotsWritten = {{9, block("Quote \"A\", comma", 1.0f), block("Line\nBreak\r\n", 1.0f), "Restored"}};
        QTest::newRow("a restore that ended well: quotes, commas and line breaks in names") << run;
    }

    // Through the database, then read back by another program's CSV reader and PDF text extraction.
    void theExportsKeepEveryByte()
    {
        QFETCH(HistoryRun, run);
        QTemporaryDir dir;
        HistoryRun pending = run;
        pending.state = RunState::Pending;
        {
            HistoryStore store(dir.filePath("history.sqlite"));
            QVERIFY2(store.beginRun(pending) && store.finishRun(pending.id, run.state, run.failedSlot, run.failedCode),
                     qPrintable(store.errorString()));
        }
        const HistoryRun stored = HistoryStore(dir.filePath("history.sqlite")).run(pending.id);
        QCOMPARE(runVerdictText(stored), runVerdictText(run));
        QFile csv(dir.filePath("runs.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(formatHistoryCsv({stored})) > 0);
        csv.close();
        const QJsonArray rows = QJsonDocument::fromJson(python("import csv, json, sys; print(json.dumps(list(csv.reader("
                                                               "open(sys.argv[1], newline='', encoding='utf-8')))))", csv.fileName()).toUtf8()).array();
        QCOMPARE(rows.size(), 1 + run.slotsWritten.size());
        const QJsonArray header = rows.at(0).toArray();
        for (int i = 0; i < run.slotsWritten.size(); ++i) {
            const auto field = [&](const char *name) { return rows.at(1 + i).toArray().at(header.toVariantList().indexOf(name)).toString(); };
            const HistorySlot &slot = run.slotsWritten.at(i);
            QCOMPARE(QByteArray::fromHex(field("bytes before").toLatin1()), QByteArray(reinterpret_cast<const char *>(&slot.before), 64));
            QCOMPARE(QByteArray::fromHex(field("bytes after").toLatin1()), QByteArray(reinterpret_cast<const char *>(&slot.after), 64));
            QCOMPARE(field("name after"), QString::fromUtf8(slot.after.calName, int(calNameLength(slot.after))));
            QCOMPARE(field("started") + field("serial") + field("state") + field("failed code"),
                     run.started.toString(Qt::ISODateWithMs) + run.serial + runStateKey(run.state)
                         + (run.state == RunState::Failed ? QString::number(run.failedCode) : QString()));
        }
        QCOMPARE(writeHistoryReport(stored, dir.filePath("run.pdf")), QString());
        QProcess text;
        text.start("pdftotext", {dir.filePath("run.pdf"), "-"});
        QVERIFY(text.waitForFinished());
        // Compatibility forms undo the font's ligatures ("ﬀ").
        const QString shown = QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).simplified();
        QStringList wanted {run.serial, runVerdictText(run)};
        for (const HistorySlot &slot : run.slotsWritten)
            wanted << QString::fromUtf8(slot.before.calName, int(calNameLength(slot.before))).simplified()
                   << QString::fromUtf8(slot.after.calName, int(calNameLength(slot.after))).simplified();
        for (const QString &piece : wanted)
            QVERIFY2(shown.contains(piece), qPrintable(piece + " is not in: " + shown));
    }

    void theDatabaseSurvivesItsFaults_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of the file before it is opened
        QTest::addColumn<QString>("notice"); // %1: the file
        QTest::addColumn<bool>("writable");
        QTemporaryDir dir;
        python("import sqlite3, sys; sqlite3.connect(sys.argv[1]).executescript('CREATE TABLE runs (id); PRAGMA user_version = 2')",
               dir.filePath("newer"));
        QFile newer(dir.filePath("newer"));
        QVERIFY(newer.open(QIODevice::ReadOnly));
        QTest::newRow("of a newer schema: shown, never altered") << newer.readAll()
            << "The history %1 was written by a newer version of this program." << false;
        QTest::newRow("damaged: set aside, a new one started") << QByteArray("no database at all\n").repeated(200)
            << "The history %1 was damaged. It is kept as %1.damaged-" << true;
    }

    void theDatabaseSurvivesItsFaults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, notice);
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.sqlite");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        HistoryStore store(path);
        QVERIFY2(store.notice().startsWith(notice.arg(path)), qPrintable(store.notice()));
        HistoryRun run;
        run.serial = "TRV-0042";
        QVERIFY2(store.beginRun(run) == writable, qPrintable(store.errorString()));
        QCOMPARE(store.run(run.id).serial, writable ? run.serial : QString());
        const QStringList aside = QDir(dir.path()).entryList({"history.sqlite.damaged-*"}, QDir::Files);
        QCOMPARE(aside.size(), writable ? 1 : 0);
        QFile kept(writable ? dir.filePath(aside.value(0)) : path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
