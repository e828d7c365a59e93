// SPDX-License-Identifier: MIT
#include "backup.h"
#include "calibrationfile.h"
#include "durablefile.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "historystore.h"
#include "modaldriver.h"
#include "realprogram.h"
#include "sorting.h"
#include "standinfixture.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QtTest>

#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

using standin::Family;
using Blocks = QVector<CalibrationBlock>;
Q_DECLARE_METATYPE(CalibrationBlock)
Q_DECLARE_METATYPE(standin::InstrumentState)

namespace {
CalibrationPairList choose(const QStringList &names)
{
    CalibrationPairList list;
    std::transform(names.begin(), names.end(), std::back_inserter(list), [](const QString &n) { return std::make_pair(n, n); });
    return list;
}

// The block the catalogue reader makes of one record.
CalibrationBlock catalogueBlock(const QByteArray &name, float intensity, int base)
{
    const QByteArray text = catalogues::record(name, intensity, base);
    return readCalibrationFile(text.constData(), std::size_t(text.size())).blocks.at(0);
}

const QByteArray kCatalogue = catalogues::labDefault() + catalogues::record("Lab Bench A", 2.5f, 7)
    + catalogues::record("lab bench b", 1.3f, 3) + catalogues::record("ProjectorStudioXL V1.1", 1.5f, 3)
    + catalogues::record("Wide Index", 1.2f, 262);
}

class TestUpdate : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    struct Run
    {
        standin::InstrumentState after;
        std::vector<int> written; // the slots written, in order
        QString verdict, reason; // the two labels joined by '|'; the reason line beneath them
        QList<int> progress;
        bool closedAsAfterWriting = false;
        QString listed; // the restore list's entry of the backup after its time, empty when it is not listed
        bool restorable = false; // Restore was enabled with the entry chosen
    };

    // Discovery and an update with `chosen`, or a confirmed restore of `backup`, as the user would do them.
    Run update(const standin::InstrumentState &instrumentState, const CalibrationPairList &chosen, const QString &backup = {})
    {
        Run run;
        instrument::install(instrumentState);
        dialog w;
        DialogProbe probe(w);
        if (!probe.findTARVIK())
            return run;
        standin::clearCallLog();
        connect(probe.progressBar(), &QProgressBar::valueChanged, this, [&run](int v) { run.progress << v; });
        // Restore from the selection window's list; a backup it does not offer is tried all the same.
        ModalDriver confirming({}, [&](QWidget *window) {
            auto *list = window->findChild<QListWidget *>("backupList");
            auto *restore = window->findChild<QPushButton *>("restoreChosenButton");
            if (!list)
                return;
            for (int row = 0; row < list->count(); ++row) {
                if (list->item(row)->data(Qt::UserRole) == backup) {
                    list->scrollToItem(list->item(row));
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
                    run.listed = list->item(row)->text().section("\n    ", 1);
                    run.restorable = restore->isEnabled();
                }
            }
            QTest::mouseClick(run.restorable ? restore : window->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        });
        if (backup.isEmpty())
            probe.updateTARVIK(chosen);
        else
            QTest::mouseClick(probe.sorting()->findChild<QPushButton *>("restore_PBN"), Qt::LeftButton);
        if (!backup.isEmpty() && !run.restorable)
            probe.restoreFrom(backup);
        run.after = instrument::current();
        run.written = instrument::slotsWritten();
        run.verdict = probe.label()->text() + '|' + probe.label2()->text();
        run.reason = probe.reason();
        // Only the main window remains, with its verdict and Quit; no second update in one run.
        run.closedAsAfterWriting = probe.deviceHandle() == 0 && instrument::calls("TARVIKclose") == 1
            && !probe.sorting()->isVisible() && w.isVisible() && !probe.connectButton()->isVisible()
            && !probe.progressBar()->isVisible() && probe.quitButton()->isEnabled();
        return run;
    }

    static void verifyVerdict(const Run &run, bool succeeded)
    {
        QVERIFY(run.closedAsAfterWriting);
        QCOMPARE(run.verdict, QString(succeeded ? "Loading calibrations Ok.|Your Quillor TARVIK is up to date."
                                                : "Loading calibrations failed|Please restart the application!"));
    }

    static void verifySlots(const Run &run, const standin::InstrumentState &before, int fromSlot)
    {
        for (int slot = fromSlot; slot <= 37; ++slot)
            QVERIFY2(instrument::sameBlock(before.blocks[slot], run.after.blocks[slot]), qPrintable(QString::number(slot)));
    }

private slots:
    void init()
    {
        catalogues::serve(m_server, kCatalogue);
        // Each test starts with no run on record, for the program in this process and for the real one.
        QFile::remove(historyPath());
        QFile::remove(realHistoryPath());
    }

    static QString realHistoryPath() { return qEnvironmentVariable("XDG_DATA_HOME") + "/tarvik-calibration-updater/history.sqlite"; }

    void theInstrumentHoldsTheChosenSet_data()
    {
        QTest::addColumn<standin::InstrumentState>("state");
        QTest::addColumn<QStringList>("chosen");
        // Slots 9 onward, the slots after them empty; none when the set is refused and nothing written.
        QTest::addColumn<Blocks>("expected");
        // "txt": the set is emptied, then chosen again from the text backup as the catalogue;
        // "restore": the set is emptied, then the block backup is restored; "first format": the
        // same from the backup as the program wrote it first, its blocks those of slots 9 on;
        // "second format": the block backup without its checksum
        QTest::addColumn<QString>("backup");
        const auto slotsOf = [](const standin::InstrumentState &state, std::initializer_list<int> slotNumbers) {
            Blocks blocks;
            for (int slot : slotNumbers)
                blocks << (slot < 0 ? emptyCalibrationBlock() : state.blocks[slot]);
            return blocks;
        };
        standin::InstrumentState st = instrument::make(Family::Both, 15, {"Lab Bench A", "Lab Bench B", "Kept"});
        QTest::newRow("kept as held, catalogue by exact name, ambient moved")
            << st << QStringList({"Kept", "Tungsten A", "Lab Bench B", "Lab Bench A"})
            << (slotsOf(st, {15, 12}) << catalogueBlock("Tungsten A", 0.9f, 4) << st.blocks[11]
                                      << catalogueBlock("Lab Bench A", 2.5f, 7)) << QString();
        st = instrument::make(Family::Both, 9, {"Lab Bench A"});
        QTest::newRow("an empty set") << st << QStringList() << slotsOf(st, {9}) << QString();
        std::vector<std::string> user;
        QStringList reversed;
        for (int i = 0; i < 28; ++i)
            user.push_back("Slot " + std::to_string(i)), reversed.prepend(QString::fromStdString(user.back()));
        st = instrument::make(Family::Both, -1, user);
        QTest::newRow("28 reversed, no ambient")
            << st << reversed << (Blocks{emptyCalibrationBlock()} + Blocks(st.blocks.rbegin(), st.blocks.rend() - 10)) << QString();
        st = instrument::make(Family::Both, 9, {"Dup", "Lab Bench A", "Dup"});
        QTest::newRow("duplicate kept names") << st << QStringList({"Dup", "Dup"}) << slotsOf(st, {9, 10, 12}) << QString();
        st = instrument::make(Family::Rgbblu, 9, {"Lab Bench A"});
        QTest::newRow("long V1.1 name on a one-family instrument") << st << QStringList({"ProjectorStudioXL V"}) << Blocks() << QString();
        QTest::newRow("a name nobody knows") << st << QStringList({"Daylight D65", "Phantom"}) << Blocks() << QString();
        QTest::newRow("29 calibrations") << st << QString("Daylight D65,").repeated(29).split(',', Qt::SkipEmptyParts)
                                         << Blocks() << QString();
        const auto everySlot = [](const standin::InstrumentState &state) {
            return Blocks(state.blocks.begin() + 9, state.blocks.end());
        };
        st = instrument::make(Family::Both, 12, {"Cam V1.0", "Cam V1.1", "Dup", "Dup", "Not a number", "Identity", "Trailing", "Line\rBreak", "Two\nLines"});
        st.blocks[9] = standin::userCalibrationBlock("In slot nine", 9);
        st.blocks[15].xCal[1] = std::nanf("");
        st.blocks[16] = emptyCalibrationBlock();
        standin::setBlockName(st.blocks[16], "Identity");
        st.blocks[17].calName[15] = 'x'; // after the name's zero
        QTest::newRow("restored: versions, duplicates, NaN, identity numbers, bytes after a name, slot 9")
            << st << QStringList() << everySlot(st) << "restore";
        st = instrument::make(Family::Rgbblu, 9, {"Base two", "Lab Bench A"});
        st.blocks[10].basCalIndex = 2;
        QTest::newRow("restored: base index 2 on an RGBBLU-only instrument") << st << QStringList() << everySlot(st) << "restore";
        st = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B"});
        QTest::newRow("restored from a backup of the first format") << st << QStringList() << everySlot(st) << "first format";
        QTest::newRow("restored from a backup of the second format") << st << QStringList() << everySlot(st) << "second format";
        st = instrument::make(Family::Both, 9, {"Not a number", "Float A", "Float B"});
        st.blocks[10].zCal[2] = std::nanf(""); // the text cannot carry it: left out, not written to stop the reading
        st.blocks[11].yCal[1] = 0.106369294f; // needs nine digits
        st.blocks[12].zCal[2] = 1.0e-44f;     // subnormal
        QTest::newRow("floats restored from the text backup")
            << st << QStringList({"Float B", "Float A"}) << slotsOf(st, {9, 12, 11}) << "txt";
        st = instrument::make(Family::Both, 9, {"Lab Bench B"});
        st.interpretedBytesOnly = true;
        QTest::newRow("a library that keeps only the interpreted bytes")
            << st << QStringList({"Wide Index", "Lab Bench B"})
            << (slotsOf(st, {9}) << catalogueBlock("Wide Index", 1.2f, 6) << st.blocks[10]) << QString();
    }

    void theInstrumentHoldsTheChosenSet()
    {
        QFETCH(standin::InstrumentState, state);
        QFETCH(QStringList, chosen);
        QFETCH(Blocks, expected);
        QFETCH(QString, backup);
        if (!expected.isEmpty() && instrument::sameBlock(expected.first(), emptyCalibrationBlock()))
            QTest::ignoreMessage(QtDebugMsg, "warning, did not find Ambient in TARVIK, filling 10'th slot with EMPTY matrix");
        Run run = update(state, choose(backup.isEmpty() ? chosen : QStringList()));
        const QString saved = run.reason.section(' ', 3);
        if (backup == "txt") {
            QFile file(saved.chopped(6) + backup); // beside the ".blocks" named
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            catalogues::serve(m_server, file.readAll());
            run = update(run.after, choose(chosen));
        } else if (backup == "restore") {
            run = update(run.after, {}, saved);
        } else if (backup == "second format") { // as the program wrote it before it had a checksum
            QCOMPARE(QProcess::execute("sed", {"-i", "-e", "1s/3$/2/", "-e", "/^sha256 /d", saved}), 0);
            run = update(run.after, {}, saved);
        } else if (backup == "first format") {
            QFile first(saved.section('-', 0, -4) + "-20200101-000000-000.blocks");
            QVERIFY(first.open(QIODevice::WriteOnly));
            first.write("TARVIK calibration blocks 1\n" + QByteArray(reinterpret_cast<const char *>(&state.blocks[9]), 3 * 64));
            first.close();
            run = update(run.after, {}, first.fileName());
        }
        QCOMPARE(run.restorable, backup == "restore" || backup.endsWith("format"));
        QCOMPARE(run.listed.contains("\n    cannot be checked: written by an earlier version"), backup.endsWith("format"));
        QCOMPARE(instrument::calls("TARVIKloaddevicecal") > 0, !expected.isEmpty());
        verifyVerdict(run, !expected.isEmpty());
        QCOMPARE(run.reason.startsWith("Backup saved to "), !expected.isEmpty());
        QCOMPARE(run.progress.isEmpty() ? 0 : run.progress.last(), expected.isEmpty() ? 0 : 28);
        standin::InstrumentState wanted = state;
        for (int slot = 9; slot <= 37 && !expected.isEmpty(); ++slot)
            wanted.blocks[slot] = expected.value(slot - 9, emptyCalibrationBlock());
        verifySlots(run, wanted, 0);
    }

    // From the first key to the preview's answer, no mouse.
    void theKeyboardAloneArrangesAndWrites_data()
    {
        QTest::addColumn<standin::InstrumentState>("state");
        QTest::addColumn<QString>("keys"); // in the selection window
        QTest::addColumn<QString>("answer"); // typed into the preview: Return writes, Escape goes back
        QTest::addColumn<QStringList>("preview"); // each row's slot, name and change, then the tool tip of a replacement
        QTest::addColumn<QStringList>("held"); // slots 9 to 13 afterwards
        const standin::InstrumentState st = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Kept"});
        const QString labBenchA = "Lab Bench A before: intensity 1.0125, matrix 1.001 0.01 -0.002 / -0.003 0.999 0.004 / 0.0005 -0.006 1.002, base #1\n"
            "Lab Bench A after: intensity 2.5, matrix 1.02 0.01 -0.03 / 0.02 0.97 0.01 / -0.01 0.04 1.05, base #7";
        const QString replaced = "the catalogue's numbers: intensity 1.0125 → 2.5, matrix, base #1 → #7";
        const QStringList preview{"9 JUST w. Diffuser: Ambient calibration", "10 Kept: Moved from slot 12",
            "11 Lab Bench A: Moved from slot 10 and replaced by " + replaced, labBenchA, "11 Lab Bench B: Removed from the TARVIK", "12 Daylight D65: Added from the catalogue"};
        // Add, Tab on and back, move down, remove, move up, Alt+U.
        const QString keys = "Return Tab Tab Tab Shift+Tab Down Delete Ctrl+Up Alt+U";
        QTest::newRow("Write") << st << keys << "Return" << preview << QStringList{"JUST w. Diffuser", "Kept", "Lab Bench A", "Daylight D65", "empty"};
        QTest::newRow("Back, then Escape and keep arranging")
            << st << keys << "Escape" << preview << QStringList{"JUST w. Diffuser", "Lab Bench A", "Lab Bench B", "Kept", "empty"};
        standin::InstrumentState nine = instrument::make(Family::Both, 12, {"Lab Bench A", "Lab Bench B", "Kept"});
        nine.blocks[9] = standin::userCalibrationBlock("In slot nine", 9);
        QTest::newRow("the calibration in slot 9 removed, the ambient one moved there")
            << nine << "Return Tab Tab Tab Shift+Tab Delete Alt+U" << "Return"
            << QStringList{"9 JUST w. Diffuser: Ambient calibration", "9 In slot nine: Removed from the TARVIK",
                           "10 Lab Bench A: Replaced by " + replaced, labBenchA, "11 Lab Bench B: Kept as it is",
                           "12 Kept: Moved from slot 13", "13 Daylight D65: Added from the catalogue"}
            << QStringList{"JUST w. Diffuser", "Lab Bench A", "Lab Bench B", "Kept", "Daylight D65"};
    }

    void theKeyboardAloneArrangesAndWrites()
    {
        QFETCH(standin::InstrumentState, state);
        QFETCH(QString, keys);
        QFETCH(QString, answer);
        QFETCH(QStringList, preview);
        QFETCH(QStringList, held);
        instrument::install(state);
        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK() && QTest::qWaitForWindowActive(probe.sorting()));
        QStringList shown;
        ModalDriver driver({}, [&](QWidget *window) {
            const auto *table = window->findChild<QTableWidget *>("previewTable");
            for (int row = 0; row < table->rowCount(); ++row) {
                const QTableWidgetItem *change = table->item(row, 2);
                shown << table->item(row, 0)->text() + ' ' + table->item(row, 1)->text() + ": " + change->text();
                if (change->toolTip() != change->text())
                    shown << change->toolTip().section('\n', 1);
            }
            QTest::keySequence(window, QKeySequence(answer));
        });
        for (const QString &key : keys.split(' '))
            QTest::keySequence(QApplication::focusWindow(), QKeySequence(key));
        QTRY_COMPARE(shown, preview); // Alt+U clicks a moment later
        if (answer == "Escape")
            QTest::keyClick(probe.sorting(), Qt::Key_Escape); // the arrangement was changed, so it asks
        QCOMPARE(instrument::namesIn(9, 13), held);
        // After Back the arrangement is as it was, and Escape asked before dropping it.
        QCOMPARE(probe.sorting()->isVisible(), answer == "Escape");
        QCOMPARE(driver.seen(), answer == "Escape" ? QStringList("message Quillor TARVIK Calibration Updater: Discard the arranged calibrations and quit?") : QStringList());
    }

    void withoutABackupNothingIsWritten_data()
    {
        // Run by sh with the data folder as $0 and the program's name as $1; none: restore another
        // serial's backup. With $2, the backup an unfinished update names, then restored.
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("reason"); // %1: the program's data folder, %2: the backup
        const QString notSaved = "Backup failed: nothing was written.|Please restart the application!|"
                                 "The backup of the TARVIK's calibrations could not be saved to %1/backups (";
        const QString tryAgain = ". Free some space there or make the folder writable, then try again.";
        const QString small = "mkdir \"$0\" && mount -t tmpfs -o size=64k%1 tmpfs \"$0\" && mkdir -p \"$0/$1/backups\"";
        QTest::newRow("data folder is a file") << ": > \"$0\"" << notSaved + "the folder cannot be made)" + tryAgain;
        QTest::newRow("read-only folder") << small.arg("") + " && mount -o remount,ro \"$0\"" << notSaved + "Read-only file system)" + tryAgain;
        QTest::newRow("full file system") << small.arg("") + " && { cat /dev/zero > \"$0/filler\" 2>/dev/null; true; }"
                                          << notSaved + "No space left on device)" + tryAgain;
        QTest::newRow("room for the text half only") << small.arg(",nr_inodes=5") << notSaved + "No space left on device)" + tryAgain;
        const QString refused = "Found Quillor TARVIK:|Serial: TRV-0042|%2 cannot be restored: ";
        const QString earlier = "sed -i -e '1s/3$/2/' -e '/^sha256 /d' ";
        const QString damaged[][3] = {
            {"a character that is no hex digit", "sed -i '/^slot 10 /s/42656e/4265xe/'", "slot 10 does not hold 128 hexadecimal digits"},
            {"a changed valid digit", "sed -i '/^slot 10 /s/42656e/42756e/'", "the checksum does not match: changed after it was written"},
            {"no checksum line", "sed -i '/^sha256 /d'", "the checksum line is missing"},
            {"an earlier format cut before its end line", earlier + "-e 5q", "cut short before the end line"},
            {"an earlier format with a slot twice", earlier + "-e '/^slot 12 /p'", "slot 12 is listed twice"},
            {"a link to a FIFO", "rm \"$2\" && mkfifo \"$0/fifo\" && ln -s \"$0/fifo\"", "no regular file: not read"},
            {"a link to /dev/zero", "ln -sf /dev/zero", "no regular file: not read"},
            {"a 2 GB sparse file", "truncate -s 2G", "larger than 1.00 MiB: not read"}};
        for (const auto &row : damaged)
            QTest::newRow(qPrintable(row[0])) << row[1] + " \"$2\"" << refused + row[2];
        QTest::newRow("a backup of another serial") << "" << "Found Quillor TARVIK:|Serial: TRV-0042|"
            "This backup is of the TARVIK TRV-9999, not of this TARVIK TRV-0042: nothing was written.";
        // The backups have room of their own; the history beside them has none.
        const QString notRecorded = "Recording the run failed: nothing was written.|Please restart the application!|"
                                    "The run could not be recorded in the history %1/history.sqlite (";
        const QString ownBackups = small.arg("") + " && mount -t tmpfs -o size=1m tmpfs \"$0/$1/backups\" && ";
        QTest::newRow("history: read-only folder") << ownBackups + "mount -o remount,ro \"$0\""
                                                   << notRecorded + "unable to open database file). The backup was saved to *";
        QTest::newRow("history: full file system") << ownBackups + "{ cat /dev/zero > \"$0/filler\" 2>/dev/null; true; }"
                                                   << notRecorded + "database or disk is full). The backup was saved to *";
        QTest::newRow("history: of a newer version") << "mkdir -p \"$0/$1\" && python3 -c 'import sqlite3, sys; "
            "sqlite3.connect(sys.argv[1]).execute(\"PRAGMA user_version = 99\")' \"$0/$1/history.sqlite\""
            << notRecorded + "it was written by a newer version of this program). The backup was saved to *";
    }

    void withoutABackupNothingIsWritten()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, reason);
        if (setUp.contains("mount") && ::geteuid() != 0)
            QSKIP("needs root to mount a small tmpfs");
        QTemporaryDir dir;
        const QString data = dir.filePath("data"), program = QCoreApplication::applicationName();
        const auto restore = qScopeGuard([saved = qgetenv("XDG_DATA_HOME"), data] {
            QProcess::execute("sh", {"-c", "! mountpoint -q \"$0\" || umount -R \"$0\"", data});
            qputenv("XDG_DATA_HOME", saved);
        });
        qputenv("XDG_DATA_HOME", data.toUtf8());
        const standin::InstrumentState state = instrument::make();
        QString backup;
        if (setUp.contains("$2")) { // a run the program was killed in names the backup taken before it
            const Backup held {"TRV-0042", QDateTime::currentDateTime(), {{9, state.blocks[9]}, {10, state.blocks[10]}, {11, state.blocks[11]}, {12, state.blocks[12]}}};
            backup = writeBackup(backupDirectory(), held).path;
            HistoryRun killed;
            killed.serial = held.serial;
            killed.backup = backup;
            QVERIFY(HistoryStore(historyPath()).beginRun(killed));
        }
        QCOMPARE(QProcess::execute("sh", {"-c", setUp.isEmpty() ? "true" : setUp, data, program, backup}), 0);
        if (setUp.isEmpty())
            backup = writeBackup(backupDirectory(), {"TRV-9999", QDateTime::currentDateTime(), {{9, state.blocks[9]}}}).path;
        const Run run = update(state, choose({"Daylight D65"}), backup);
        const QString shown = run.verdict + '|' + run.reason;
        reason.replace("%1", data + '/' + program).replace("%2", backup);
        QVERIFY2(reason.endsWith('*') ? shown.startsWith(reason.chopped(1)) : shown == reason, qPrintable(shown));
        QCOMPARE(run.listed, setUp.contains("$2") ? reason.section(" cannot be restored: ", 1) : QString());
        QVERIFY(!run.restorable);
        if (reason.startsWith("Backup failed")) // no half of a backup is left
            QCOMPARE(QDir(backupDirectory()).entryList(QDir::Files), QStringList());
        QCOMPARE(instrument::calls("TARVIKloaddevicecal"), 0);
        verifySlots(run, state, 0);
    }

    // After runs that did not end well, the next start names the last state the user had in good order.
    void aRunThatDidNotFinishIsNoticed_data()
    {
        QTest::addColumn<int>("restores"); // restores of the update's backup, failing too
        QTest::addColumn<bool>("removed"); // that backup removed before the next start
        QTest::addColumn<QString>("notice");
        QTest::newRow("an update failing at slot 12") << 0 << false << "The last update of this TARVIK did not finish (";
        QTest::newRow("then a restore failing at slot 12") << 1 << false << "The last restore of this TARVIK did not finish (";
        QTest::newRow("the backup from before is gone") << 0 << true << "The last update of this TARVIK did not finish (";
    }

    void aRunThatDidNotFinishIsNoticed()
    {
        QFETCH(int, restores);
        QFETCH(bool, removed);
        QFETCH(QString, notice);
        standin::InstrumentState state = instrument::make();
        state.faults.corruptWriteSlot = 12;
        Run run = update(state, choose({"Daylight D65", "Lab Bench A", "Lab Bench B", "Tungsten A"}));
        verifyVerdict(run, false);
        const QString before = run.reason.section(' ', -1).chopped(1); // "... in the backup <path>."
        for (int i = 0; i < restores; ++i)
            verifyVerdict(run = update(run.after, {}, before), false);
        QVERIFY(!removed || QFile::remove(before));
        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK());
        QVERIFY2(probe.reason().startsWith(notice) && probe.reason().contains(before) == removed
                     && probe.reason().endsWith("is gone.") == removed, qPrintable(probe.reason()));
        QString preselected;
        ModalDriver picking({}, [&preselected](QWidget *window) {
            const QListWidgetItem *item = window->findChild<QListWidget *>("backupList")->currentItem();
            preselected = item ? item->data(Qt::UserRole).toString() + '|' + item->text() : "none";
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QTest::mouseClick(probe.restoreButton(), Qt::LeftButton);
        QVERIFY2(removed || (preselected.startsWith(before + '|') && preselected.contains("\n    Taken before the update of ")
                             && preselected.endsWith(": Failed at slot 12: it read back otherwise than written")),
                 qPrintable(preselected));
    }

    // Whole runs of the real program, as a user makes them: the local Apache catalogue, the stand-in
    // instrument, the set arranged in the selection window, the writing and Quit. The user's actions are
    // played inside the program by the preloaded UI driver, which logs its steps and ends it with exit
    // code 97 at a step it cannot do.
    void aUserRunsTheProgram_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<QString>("next"); // the steps of the program that comes next
        QTest::addColumn<QStringList>("history"); // the runs on record afterwards, newest first
        QTest::newRow("arranges and writes the set") << "" << "" << QStringList{"update ok"};
        QTest::newRow("killed between two writes, restored at the next start") << "killed"
            << "wait-window dialog\nexpect-text dialog reasonLabel The last update of this TARVIK did not finish (*\n"
               "click dialog historyButton\nwait-window HistoryWindow\nclose HistoryWindow\n"
               "click dialog restoreButton\nwait-window RestoreDialog\nclick RestoreDialog restoreChosenButton\n"
               "answer-message-box\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n"
            << QStringList{"restore ok", "update interrupted"};
        QTest::newRow("the server down at the next start, restored from the fallback box") << "server down"
            << "wait-window catalogueFallback\nclick catalogueFallback historyButton\nwait-window HistoryWindow\n"
               "close HistoryWindow\nwait-window catalogueFallback\nclick catalogueFallback restoreButton\nwait-window RestoreDialog\n"
               "click RestoreDialog restoreChosenButton\nanswer-message-box\nexpect-text dialog label Loading calibrations Ok.\n"
               "click dialog pushButton_2\n"
            << QStringList{"restore ok", "update ok"};
        QTest::newRow("a second program at once") << "in use"
            << "wait-window dialog\nexpect-text dialog reasonLabel The TARVIK is in use by another TARVIK Calibration Updater.\n"
               "click dialog pushButton_2\n" << QStringList();
        QTest::newRow("a click on a hidden button fails") << "hidden" << "wait-window dialog\nclick dialog restoreButton\n" << QStringList();
    }

    void aUserRunsTheProgram()
    {
        QFETCH(QString, interruption);
        QFETCH(QString, next);
        QFETCH(QStringList, history);
        const auto runsOnRecord = [] {
            QStringList runs;
            for (const HistoryRun &run : HistoryStore(realHistoryPath()).runs("TRV-0042"))
                if (run.kind != RunKind::BackupTaken) // those of the rows before
                    runs << runKindKey(run.kind) + ' ' + runStateKey(run.state);
            return runs;
        };
        QTemporaryDir dirs[2]; // the script and log of the first program and of the next
        standin::InstrumentState before = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Daylight D65"});
        before.delayMs = interruption == "killed" ? 40 : 0; // time to stop it between two writes
        instrument::install(before);
        if (interruption == "hidden") { // no instrument: the main window shows, its Restore… hidden
            before.attached = false;
            instrument::install(before);
            QVERIFY(RealProgram(dirs[1].path(), next.toUtf8()).failure().contains(
                "FAIL click dialog restoreButton: it is hidden: no user could press it"));
            return;
        }
        if (interruption == "in use") {
            dialog first;
            DialogProbe probe(first);
            QVERIFY(probe.findTARVIK());
            QCOMPARE(RealProgram(dirs[1].path(), next.toUtf8()).failure(), QByteArray());
            probe.updateTARVIK({{"Tungsten A", "x"}});
            QCOMPARE(probe.label()->text(), "Loading calibrations Ok.");
            return;
        }
        RealProgram first(dirs[0].path(), "wait-window Sorting\nclick Sorting history_PBN\nwait-window HistoryWindow\nclose HistoryWindow\n"
                                   "click-row Sorting export_source_TWG =Tungsten A\nclick Sorting export_add_PBN\n"
                                   "double-click-row Sorting export_source_TWG =Studio Flash\n"
                                   "click-row Sorting export_current_TWG =Lab Bench B\nclick Sorting export_del_PBN\n"
                                   "drag-row Sorting export_current_TWG 2 0\nclick Sorting pushButton\n"
                                   "wait-window WritePreview\nclick WritePreview writeButton\n"
                                   "wait-window dialog\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n");
        if (interruption == "killed") {
            QTRY_VERIFY_WITH_TIMEOUT(instrument::slotsWritten().size() >= 3, 60000);
            {
                const standin::StateLock between(standin::statePath()); // holds the program before its next call
                first.process().kill();
                QVERIFY(first.process().waitForFinished());
            }
            QVERIFY(instrument::slotsWritten().size() < 29);
        } else {
            QCOMPARE(first.failure(), QByteArray());
            QCOMPARE(instrument::namesIn(9, 14), QStringList({"JUST w. Diffuser", "Tungsten A", "Lab Bench A", "Daylight D65",
                                                              "Studio Flash", "empty"}));
            QCOMPARE(instrument::current().blocks[12].absIntensityCal, 1.02f); // the catalogue's block of a name both hold
            if (next.isEmpty()) {
                QCOMPARE(runsOnRecord(), history);
                return;
            }
        }
        const QStringList serverDown{"TARVIK_CATALOGUE_SERVER=http://127.0.0.1:1"}; // nothing listens there
        QCOMPARE(RealProgram(dirs[1].path(), next.toUtf8(), {}, interruption == "server down" ? serverDown : QStringList()).failure(),
                 QByteArray());
        for (int slot = 0; slot < standin::kSlotCount; ++slot)
            QVERIFY2(instrument::sameBlock(instrument::current().blocks[slot], before.blocks[slot]), qPrintable(QString::number(slot)));
        QCOMPARE(runsOnRecord(), history);
    }

    // Another account's "qTRVtmpCalFile.txt" in the shared temporary directory is never read,
    // written or removed: the real program, run as nobody, shows the server's catalogue.
    void aCatalogueAnotherAccountPlantedIsIgnored()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to act as the accounts daemon and nobody");
        const QStringList asNobody({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
        if (QProcess::execute("setpriv", asNobody.mid(1) + QStringList({"test", "-x", qEnvironmentVariable("TARVIK_UPDATER")})) != 0)
            QSKIP("the account nobody cannot run the program where it was built");
        QTemporaryDir shared, own;
        QVERIFY(::chmod(qPrintable(shared.path()), 01777) == 0 && ::chmod(qPrintable(own.path()), 0777) == 0);
        const QString planted = shared.filePath("qTRVtmpCalFile.txt");
        const QByteArray plantedText = catalogues::record("Planted", 1.7f, 3);
        QCOMPARE(QProcess::execute("setpriv", {"--reuid=daemon", "--regid=daemon", "--clear-groups", "sh", "-c",
                                               "printf %s \"$1\" > \"$2\"", "-", plantedText, planted}), 0);
        std::string error;
        QVERIFY(standin::save(own.filePath("state").toStdString(), instrument::make(), error));
        QVERIFY(::chmod(qPrintable(own.filePath("state")), 0666) == 0);
        const QByteArray failure = RealProgram(own.path(), "wait-window Sorting\nexpect-rows Sorting export_source_TWG "
            "Daylight D50|Daylight D65|Halogen 3200K|LED Cool White|LED Warm White|OLED Panel|Projector Lamp|Studio Flash|Tungsten A\n"
            "close Sorting\n", asNobody, {"TMPDIR=" + shared.path(), "TARVIK_STANDIN_STATE=" + own.filePath("state")}).failure();
        QVERIFY2(failure.isEmpty(), failure.constData());
        QFile plantedFile(planted);
        QVERIFY(plantedFile.open(QIODevice::ReadOnly));
        QCOMPARE(plantedFile.readAll(), plantedText);
        // The run's own directory is gone; what Qt made for nobody's runtime files stays.
        QCOMPARE(QDir(shared.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"qTRVtmpCalFile.txt", "runtime-nobody"}));
    }
};

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
