#include "backup.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "sorting.h"
#include "standinfixture.h"

#include <QtTest>

using standin::Family;

namespace {
CalibrationPairList choose(const QStringList &names)
{
    CalibrationPairList list;
    for (const QString &name : names)
        list.append({name, QString("carried along")});
    return list;
}

QStringList range(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << prefix + QString::number(i);
    return names;
}
}

class TestUpdate : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    struct Run
    {
        standin::InstrumentState before;
        standin::InstrumentState after;
        QString label;
        QString label2;
        std::int32_t handle = -1;
        QList<int> progress;
        bool windowsAsAfterWriting = false;
    };

    // Discovery and an update with `chosen`, as the user would do them; `prepare` sets faults
    // after discovery so that they hit the writing only.
    Run update(const standin::InstrumentState &instrumentState, const CalibrationPairList &chosen,
               const std::function<void(standin::InstrumentState &)> &prepare = {})
    {
        Run run;
        run.before = instrumentState;
        instrument::install(instrumentState);
        dialog w;
        DialogProbe probe(w);
        if (!probe.findTARVIK())
            return run;
        if (prepare) {
            standin::InstrumentState faulty = instrument::current();
            prepare(faulty);
            std::string error;
            standin::save(standin::statePath(), faulty, error);
        }
        standin::clearCallLog();
        connect(probe.progressBar(), &QProgressBar::valueChanged, this, [&run](int v) { run.progress << v; });
        probe.updateTARVIK(chosen);
        run.after = instrument::current();
        run.label = probe.label()->text();
        run.label2 = probe.label2()->text();
        run.handle = probe.deviceHandle();
        // Only the main window remains, with its verdict and Quit; no second update in one run.
        run.windowsAsAfterWriting = !probe.sorting()->isVisible() && w.isVisible()
            && !probe.connectButton()->isVisible() && !probe.progressBar()->isVisible()
            && probe.quitButton()->isEnabled();
        return run;
    }

    static void verifyVerdict(const Run &run, bool succeeded)
    {
        QVERIFY(run.windowsAsAfterWriting);
        QCOMPARE(run.label, QString(succeeded ? "Loading calibrations Ok." : "Loading calibrations failed"));
        QCOMPARE(run.label2, QString(succeeded ? "Your Quillor TARVIK is up to date." : "Please restart the application!"));
        QCOMPARE(run.handle, 0);
        QCOMPARE(instrument::calls("TARVIKclose"), 1);
    }
    static void verifyOk(const Run &run) { verifyVerdict(run, true); }
    static void verifyFailed(const Run &run) { verifyVerdict(run, false); }

    static void verifyUntouched(const Run &run, int fromSlot)
    {
        for (int slot = fromSlot; slot <= 37; ++slot)
            QVERIFY2(instrument::sameBlock(run.before.blocks[slot], run.after.blocks[slot]), qPrintable(QString::number(slot)));
    }

private slots:
    void initTestCase()
    {
        catalogues::serve(m_server, catalogues::labDefault() + catalogues::record("Lab Bench A", 2.5f, 7));
    }

    void theChosenSetIsWrittenInOrder()
    {
        const standin::InstrumentState state = instrument::make(Family::Both, 15, {"Lab Bench A", "Lab Bench B", "Kept"});
        const Run run = update(state, choose({"Kept", "Tungsten A", "Lab Bench B", "Lab Bench A"}));
        verifyOk(run);
        QCOMPARE(instrument::slotsWritten(), (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                                                               25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37}));
        QVERIFY(instrument::sameBlock(run.after.blocks[9], state.blocks[15])); // the ambient moves to its slot
        // Calibrations the catalogue lacks are kept as the instrument held them, not erased.
        QVERIFY(instrument::sameBlock(run.after.blocks[10], state.blocks[12]));
        QCOMPARE(calibrationName(run.after.blocks[11]), QString("Tungsten A"));
        QCOMPARE(run.after.blocks[11].absIntensityCal, 0.9f);
        QVERIFY(instrument::sameBlock(run.after.blocks[12], state.blocks[11]));
        // A name in the catalogue and the instrument is written from the catalogue.
        QCOMPARE(calibrationName(run.after.blocks[13]), QString("Lab Bench A"));
        QCOMPARE(run.after.blocks[13].absIntensityCal, 2.5f);
        for (int slot = 14; slot <= 37; ++slot)
            QVERIFY(instrument::sameBlock(run.after.blocks[slot], emptyCalibrationBlock()));
        for (int slot = 0; slot <= 8; ++slot)
            QVERIFY(instrument::sameBlock(run.after.blocks[slot], state.blocks[slot]));
        QVERIFY(std::is_sorted(run.progress.begin(), run.progress.end()));
        QCOMPARE(run.progress.last(), 28);
    }

    void anEmptySetEmptiesEveryUserSlot()
    {
        const Run run = update(instrument::make(), {});
        verifyOk(run);
        QCOMPARE(int(instrument::slotsWritten().size()), 29);
        for (int slot = 10; slot <= 37; ++slot)
            QVERIFY(instrument::sameBlock(run.after.blocks[slot], emptyCalibrationBlock()));
    }

    void aFullSetNeedsNoEmptyBlocks()
    {
        std::vector<std::string> user;
        for (const QString &name : range("Slot ", 28))
            user.push_back(name.toStdString());
        const standin::InstrumentState state = instrument::make(Family::Both, -1, user);
        QStringList chosen = range("Slot ", 28);
        std::reverse(chosen.begin(), chosen.end());
        QTest::ignoreMessage(QtDebugMsg, "warning, did not find Ambient in TARVIK, filling 10'th slot with EMPTY matrix");
        const Run run = update(state, choose(chosen));
        verifyOk(run);
        QVERIFY(instrument::sameBlock(run.after.blocks[9], emptyCalibrationBlock())); // no ambient found
        QVERIFY(instrument::sameBlock(run.after.blocks[37], state.blocks[10]));
        QVERIFY(instrument::sameBlock(run.after.blocks[10], state.blocks[37]));
    }

    void aFailedWriteStopsTheUpdate_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("corrupt");
        QTest::newRow("ambient slot") << 9 << false;
        QTest::newRow("a chosen calibration") << 11 << false;
        QTest::newRow("filling with empty blocks") << 30 << false;
        QTest::newRow("read-back differs") << 12 << true;
    }

    void aFailedWriteStopsTheUpdate()
    {
        QFETCH(int, slot);
        QFETCH(bool, corrupt);
        const standin::InstrumentState state = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Kept"});
        const Run run = update(state, choose({"Tungsten A", "Daylight D65", "Kept"}), [&](standin::InstrumentState &s) {
            if (corrupt)
                s.faults.corruptWriteSlot = slot;
            else
                s.faults.call = {standin::CallFunction::LoadDeviceCal, slot, 17, 0, 0};
        });
        verifyFailed(run);
        for (int written : instrument::slotsWritten())
            QVERIFY2(written <= slot, "nothing is written after a failed write");
        verifyUntouched(run, slot + 1);
        QCOMPARE(instrument::calls("TARVIKloaddevicecal", slot + 1), 0);
    }

    void setsThatCannotBeWrittenWholeAreRefusedWhole_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QStringList tooMany = range("Lab Bench A", 1);
        while (tooMany.size() < 29)
            tooMany << "Daylight D65";
        QTest::newRow("29 calibrations") << tooMany;
        QTest::newRow("a name nobody knows") << QStringList({"Daylight D65", "Phantom"});
    }

    void setsThatCannotBeWrittenWholeAreRefusedWhole()
    {
        QFETCH(QStringList, chosen);
        const Run run = update(instrument::make(), choose(chosen));
        verifyFailed(run);
        QCOMPARE(instrument::calls("TARVIKloaddevicecal"), 0);
        verifyUntouched(run, 9);
    }

    void namesAreComparedExactly()
    {
        HttpStub server;
        catalogues::serve(server, catalogues::record("daylight d65", 1.3f, 3) + catalogues::record("Daylight D65", 1.4f, 3));
        const Run run = update(instrument::make(), choose({"Daylight D65"}));
        verifyOk(run);
        QCOMPARE(run.after.blocks[10].absIntensityCal, 1.4f);
        initTestCase();
    }

    void theBackupHoldsTheSetAsReadAndRestoresIt()
    {
        const standin::InstrumentState original = instrument::make(Family::Both, 9, {"Lab Bench A", "Kept", "Third"});
        const Run run = update(original, {});
        verifyOk(run);
        QDir backups(backupDirectory());
        const QStringList files = backups.entryList({"TARVIK-TRV-0042-*.txt"}, QDir::Files, QDir::Time);
        QVERIFY2(!files.isEmpty(), qPrintable(backups.path()));
        QFile backup(backups.filePath(files.first()));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        const QByteArray text = backup.readAll();
        QVERIFY(text.startsWith("[CAL_NAME] JUST w. Diffuser\n"));

        // Pick the backup as the catalogue and put the old set back.
        HttpStub restoreServer;
        catalogues::serve(restoreServer, text);
        const Run restore = update(run.after, choose({"Lab Bench A", "Kept", "Third"}));
        verifyOk(restore);
        for (int slot = 9; slot <= 37; ++slot)
            QVERIFY2(instrument::sameBlock(restore.after.blocks[slot], original.blocks[slot]), qPrintable(QString::number(slot)));
        initTestCase();
    }

    void withoutABackupNothingIsWritten()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("not-a-directory");
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", blocker.toUtf8());
        const Run run = update(instrument::make(), choose({"Daylight D65"}));
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(run.label, QString("Backup failed: nothing was written."));
        QVERIFY(run.label2.startsWith("Could not save"));
        QCOMPARE(instrument::calls("TARVIKloaddevicecal"), 0);
        QCOMPARE(instrument::calls("TARVIKclose"), 1);
        verifyUntouched(run, 9);
    }
};

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
