#include "backup.h"
#include "calibrationfile.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
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
        QString verdict, backupLine; // the two labels joined by '|'; the third line's full text
        QList<int> progress;
        bool closedAsAfterWriting = false;
    };

    // Discovery and an update with `chosen`, as the user would do them; `prepare` sets faults
    // after discovery so that they hit the writing only.
    Run update(const standin::InstrumentState &instrumentState, const CalibrationPairList &chosen,
               const std::function<void(standin::InstrumentState &)> &prepare = {})
    {
        Run run;
        instrument::install(instrumentState);
        dialog w;
        DialogProbe probe(w);
        if (!probe.findTARVIK())
            return run;
        if (prepare) {
            standin::InstrumentState faulty = instrument::current();
            prepare(faulty);
            instrument::install(faulty);
        }
        standin::clearCallLog();
        connect(probe.progressBar(), &QProgressBar::valueChanged, this, [&run](int v) { run.progress << v; });
        probe.updateTARVIK(chosen);
        run.after = instrument::current();
        run.verdict = probe.label()->text() + '|' + probe.label2()->text() + '|' + probe.reason();
        if (QLabel *line = w.findChild<QLabel *>("backupLabel"))
            run.backupLine = line->isVisible() && line->text().startsWith("Backup saved to") ? line->toolTip() : QString();
        // Only the main window remains, with its verdict and Quit; no second update in one run.
        run.closedAsAfterWriting = probe.deviceHandle() == 0 && instrument::calls("TARVIKclose") == 1
            && !probe.sorting()->isVisible() && w.isVisible() && !probe.connectButton()->isVisible()
            && !probe.progressBar()->isVisible() && probe.quitButton()->isEnabled();
        return run;
    }

    static void verifyVerdict(const Run &run, bool succeeded)
    {
        QVERIFY(run.closedAsAfterWriting);
        QCOMPARE(run.verdict, QString(succeeded ? "Loading calibrations Ok.|Your Quillor TARVIK is up to date.|"
                                                : "Loading calibrations failed|Please restart the application!|"));
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
        QTest::addColumn<QString>("backup"); // "blocks", "txt": the set is emptied, then restored from that backup
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
        for (int i = 0; i < 28; ++i) {
            user.push_back("Slot " + std::to_string(i));
            reversed.prepend(QString("Slot %1").arg(i));
        }
        st = instrument::make(Family::Both, -1, user);
        QTest::newRow("28 reversed, no ambient")
            << st << reversed << slotsOf(st, {-1, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20,
                                              19, 18, 17, 16, 15, 14, 13, 12, 11, 10}) << QString();
        st = instrument::make(Family::Both, 9, {"Dup", "Lab Bench A", "Dup"});
        QTest::newRow("duplicate kept names") << st << QStringList({"Dup", "Dup"}) << slotsOf(st, {9, 10, 12}) << QString();
        st = instrument::make(Family::Rgbblu, 9, {"Lab Bench A"});
        QTest::newRow("long V1.1 name on a one-family instrument") << st << QStringList({"ProjectorStudioXL V"}) << Blocks() << QString();
        QTest::newRow("a name nobody knows") << st << QStringList({"Daylight D65", "Phantom"}) << Blocks() << QString();
        QTest::newRow("29 calibrations") << st << QString("Daylight D65,").repeated(29).split(',', Qt::SkipEmptyParts)
                                         << Blocks() << QString();
        st = instrument::make(Family::Both, 9, {"Dup", "Not a number", "Line\rBreak", "Dup", "Two\nLines"});
        st.blocks[11].xCal[1] = std::nanf("");
        QTest::newRow("NaN, line breaks and duplicate names restored from the backup")
            << st << QStringList({"Dup", "Not a number", "Line\rBreak", "Dup", "Two\nLines"})
            << slotsOf(st, {9, 10, 11, 12, 13, 14}) << "blocks";
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
        if (!backup.isEmpty()) {
            QFile file(run.backupLine.section(' ', 3).chopped(6) + backup); // beside the ".blocks" named
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            catalogues::serve(m_server, file.readAll());
            run = update(run.after, choose(chosen));
        }
        QCOMPARE(instrument::calls("TARVIKloaddevicecal") > 0, !expected.isEmpty());
        verifyVerdict(run, !expected.isEmpty());
        QCOMPARE(run.backupLine.isEmpty(), expected.isEmpty());
        QCOMPARE(run.progress.isEmpty() ? 0 : run.progress.last(), expected.isEmpty() ? 0 : 28);
        standin::InstrumentState wanted = state;
        for (int slot = 9; slot <= 37 && !expected.isEmpty(); ++slot)
            wanted.blocks[slot] = expected.value(slot - 9, emptyCalibrationBlock());
        verifySlots(run, wanted, 0);
    }

    void aFailedWriteStopsTheUpdate_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("corruptByte"); // of the block read back; -1: the write itself fails
        QTest::newRow("ambient slot") << 9 << -1;
        QTest::newRow("a chosen calibration") << 11 << -1;
        QTest::newRow("filling with empty blocks") << 30 << -1;
        QTest::newRow("read-back differs in the name") << 12 << 0;
        QTest::newRow("read-back differs in the last number") << 12 << 59;
        QTest::newRow("read-back differs in the base index") << 12 << 60;
    }

    void aFailedWriteStopsTheUpdate()
    {
        QFETCH(int, slot);
        QFETCH(int, corruptByte);
        const standin::InstrumentState state = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Kept"});
        const Run run = update(state, choose({"Tungsten A", "Daylight D65", "Kept"}), [&](standin::InstrumentState &s) {
            if (corruptByte >= 0)
                s.faults.corruptWriteSlot = slot, s.faults.corruptWriteByte = corruptByte;
            else
                s.faults.call = {standin::CallFunction::LoadDeviceCal, slot, 17, 0, 0};
        });
        verifyVerdict(run, false);
        for (int written : instrument::slotsWritten())
            QVERIFY2(written <= slot, "nothing is written after a failed write");
        verifySlots(run, state, slot + 1);
    }

    // A restore file damaged after its first record offers nothing to write.
    void aDamagedCatalogueStopsDiscovery_data()
    {
        QTest::addColumn<QByteArray>("file");
        const standin::InstrumentState st = instrument::make();
        QTest::newRow("block backup a few bytes short") << formatBlockBackup(Blocks(st.blocks.begin(), st.blocks.end())).chopped(3);
        QTest::newRow("second record malformed") << kCatalogue.left(kCatalogue.indexOf("[CAL_NAME] Tungsten")) + "[CAL_NAME] x\n" + kCatalogue;
    }
    void aDamagedCatalogueStopsDiscovery()
    {
        QFETCH(QByteArray, file);
        catalogues::serve(m_server, file);
        instrument::install(instrument::make());
        dialog w;
        QVERIFY(!DialogProbe(w).findTARVIK());
        QCOMPARE(instrument::calls("TARVIKclose"), 1);
    }

    void withoutABackupNothingIsWritten()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("not-a-directory"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const auto restore = qScopeGuard([saved = qgetenv("XDG_DATA_HOME")] { qputenv("XDG_DATA_HOME", saved); });
        qputenv("XDG_DATA_HOME", blocker.fileName().toUtf8());
        const standin::InstrumentState state = instrument::make();
        const Run run = update(state, choose({"Daylight D65"}));
        QVERIFY2(run.verdict.startsWith("Backup failed: nothing was written.|")
                 && run.verdict.contains("|Could not save the instrument's calibrations to " + blocker.fileName()), qPrintable(run.verdict));
        QCOMPARE(instrument::calls("TARVIKloaddevicecal"), 0);
        verifySlots(run, state, 0);
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
        const QByteArray failure = failureOfRealProgram(own.path(), "wait-window Sorting\nexpect-rows Sorting export_source_TWG "
            "Daylight D50|Daylight D65|Halogen 3200K|LED Cool White|LED Warm White|OLED Panel|Projector Lamp|Studio Flash|Tungsten A\n"
            "close Sorting\n", asNobody, {"TMPDIR=" + shared.path(), "TARVIK_STANDIN_STATE=" + own.filePath("state")});
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
