#include "backup.h"
#include "calibrationfile.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "modaldriver.h"
#include "realprogram.h"
#include "sorting.h"
#include "standinfixture.h"

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
        ModalDriver confirming;
        if (backup.isEmpty())
            probe.updateTARVIK(chosen);
        else
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
    void init() { catalogues::serve(m_server, kCatalogue); }

    void theInstrumentHoldsTheChosenSet_data()
    {
        QTest::addColumn<standin::InstrumentState>("state");
        QTest::addColumn<QStringList>("chosen");
        // Slots 9 onward, the slots after them empty; none when the set is refused and nothing written.
        QTest::addColumn<Blocks>("expected");
        // "txt": the set is emptied, then chosen again from the text backup as the catalogue;
        // "restore": the set is emptied, then the block backup is restored; "first format": the
        // same from the backup as the program wrote it before, its blocks those of slots 9 on
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
        } else if (backup == "first format") {
            QFile first(saved.section('-', 0, -4) + "-20200101-000000-000.blocks");
            QVERIFY(first.open(QIODevice::WriteOnly));
            first.write("TARVIK calibration blocks 1\n" + QByteArray(reinterpret_cast<const char *>(&state.blocks[9]), 3 * 64));
            first.close();
            run = update(run.after, {}, first.fileName());
        }
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
        QTest::addColumn<QString>("setUp"); // run by sh with the data folder as $0 and the program's name as $1; none: restore another serial's backup
        QTest::addColumn<QString>("reason"); // %1: the program's data folder
        const QString notSaved = "Backup failed: nothing was written.|Please restart the application!|"
                                 "Could not save the instrument's calibrations to %1/backups (";
        const QString small = "mkdir \"$0\" && mount -t tmpfs -o size=64k tmpfs \"$0\" && mkdir -p \"$0/$1/backups\" && ";
        QTest::newRow("data folder is a file") << ": > \"$0\"" << notSaved + "the folder cannot be made).";
        QTest::newRow("read-only folder") << small + "mount -o remount,ro \"$0\"" << notSaved + "Read-only file system).";
        QTest::newRow("full file system") << small + "{ cat /dev/zero > \"$0/filler\" 2>/dev/null; true; }"
                                          << notSaved + "No space left on device).";
        QTest::newRow("a backup of another serial") << "" << "Found Quillor TARVIK:|Serial: TRV-0042|"
            "This backup is of the TARVIK TRV-9999, not of this TARVIK TRV-0042: nothing was written.";
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
            QProcess::execute("sh", {"-c", "! mountpoint -q \"$0\" || umount \"$0\"", data});
            qputenv("XDG_DATA_HOME", saved);
        });
        qputenv("XDG_DATA_HOME", data.toUtf8());
        QCOMPARE(QProcess::execute("sh", {"-c", setUp.isEmpty() ? "true" : setUp, data, program}), 0);
        const standin::InstrumentState state = instrument::make();
        const QString other = setUp.isEmpty() ? writeBackup(backupDirectory(), {"TRV-9999", QDateTime::currentDateTime(), {{9, state.blocks[9]}}}).path : QString();
        const Run run = update(state, choose({"Daylight D65"}), other);
        QCOMPARE(run.verdict + '|' + run.reason, reason.replace("%1", data + '/' + program));
        QCOMPARE(instrument::calls("TARVIKloaddevicecal"), 0);
        verifySlots(run, state, 0);
    }

    // Whole runs of the real program, as a user makes them: the local Apache catalogue, the stand-in
    // instrument, the set arranged in the selection window, the writing and Quit. The user's actions are
    // played inside the program by the preloaded UI driver, which logs its steps and ends it with exit
    // code 97 at a step it cannot do.
    void aUserRunsTheProgram_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<QString>("next"); // the steps of the program that comes next
        QTest::newRow("arranges and writes the set") << "" << "";
        QTest::newRow("killed between two writes, restored at the next start") << "killed"
            << "wait-window dialog\nexpect-text dialog reasonLabel The last update of this TARVIK did not finish (*\n"
               "click dialog restoreButton\nwait-window RestoreDialog\nclick RestoreDialog restoreChosenButton\n"
               "answer-message-box\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n";
        QTest::newRow("the server down at the next start, restored from the fallback box") << "server down"
            << "wait-window catalogueFallback\nclick catalogueFallback restoreButton\nwait-window RestoreDialog\n"
               "click RestoreDialog restoreChosenButton\nanswer-message-box\nexpect-text dialog label Loading calibrations Ok.\n"
               "click dialog pushButton_2\n";
        QTest::newRow("a second program at once") << "in use"
            << "wait-window dialog\nexpect-text dialog reasonLabel The TARVIK is in use by another TARVIK Calibration Updater.\n"
               "click dialog pushButton_2\n";
        QTest::newRow("a click on a hidden button fails") << "hidden" << "wait-window dialog\nclick dialog restoreButton\n";
    }

    void aUserRunsTheProgram()
    {
        QFETCH(QString, interruption);
        QFETCH(QString, next);
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
        RealProgram first(dirs[0].path(), "wait-window Sorting\nclick-row Sorting export_source_TWG =Tungsten A\nclick Sorting export_add_PBN\n"
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
            if (next.isEmpty())
                return;
        }
        const QStringList serverDown{"TARVIK_CATALOGUE_SERVER=http://127.0.0.1:1"}; // nothing listens there
        QCOMPARE(RealProgram(dirs[1].path(), next.toUtf8(), {}, interruption == "server down" ? serverDown : QStringList()).failure(),
                 QByteArray());
        for (int slot = 0; slot < standin::kSlotCount; ++slot)
            QVERIFY2(instrument::sameBlock(instrument::current().blocks[slot], before.blocks[slot]), qPrintable(QString::number(slot)));
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
