// SPDX-License-Identifier: MIT
#include "backup.h"
#include "catalogues.h"
#include "dialogprobe.h"
#include "modaldriver.h"
#include "sorting.h"
#include "standinfixture.h"
#include "tarvikdll.h"

#include <QtTest>

#include <cmath>
#include <map>

using standin::Family;
Q_DECLARE_METATYPE(standin::Faults)

// Notes what the main window says while it reads with Connect hidden: a posted event is delivered
// once per turn of the event loop, and this one posts the next until the selection window is up.
struct ReadingWatch : QObject
{
    explicit ReadingWatch(DialogProbe &p) : probe(p) { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
    bool event(QEvent *e) override
    {
        if (probe.label()->isVisible() && !probe.connectButton()->isVisible() && seen.value(seen.size() - 1) != probe.label()->text())
            seen << probe.label()->text();
        if (!probe.sorting()->isVisible())
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        return QObject::event(e);
    }
    DialogProbe &probe;
    QStringList seen; // each text once, in the order shown
};

// The instrument side of a run: what discovery and reading show, and every library call of a
// whole update made to fail once.
class TestInstrument : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    static standin::InstrumentState held() { return instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Kept"}); }

    // Discovery from the Connect button, then the update a user would choose, then `afterwards` in the
    // same window. The verdict is both labels, and whether the window offers Connect again or left the
    // instrument open.
    static QString wholeRun(const standin::Faults &faults = {}, const std::function<void(DialogProbe &)> &afterwards = {})
    {
        standin::InstrumentState state = held();
        state.faults = faults;
        instrument::install(state);
        dialog w;
        DialogProbe probe(w);
        w.show();
        if (probe.findTARVIK())
            probe.updateTARVIK({{"Tungsten A", "x"}, {"Lab Bench A", "x"}, {"Kept", "x"}});
        const QString verdict = probe.label()->text() + '|' + probe.label2()->text() + (probe.connectButton()->isVisible() ? "|Connect" : "")
            + (probe.deviceHandle() ? "|left open" : "") + (probe.reason().isEmpty() ? "" : "|" + probe.reason().replace(QRegularExpression("/\\S*\\.blocks"), "<backup>"));
        if (afterwards)
            afterwards(probe);
        return verdict;
    }

private slots:
    void init() { catalogues::serve(m_server, catalogues::labDefault()); }

    // The rows are the calls of a run without faults, each with the verdict its failure must give.
    void oneFailingCall_data()
    {
        QTest::addColumn<standin::Faults>("faults");
        QTest::addColumn<QString>("verdict");
        init();
        QCOMPARE(wholeRun(), QString("Loading calibrations Ok.|Your Quillor TARVIK is up to date.|Backup saved to <backup>"));
        std::map<std::pair<std::string, int>, int> seen;
        bool writing = false;
        for (const standin::CallLogEntry &call : standin::readCallLog()) {
            writing = writing || call.function == "TARVIKloaddevicecal";
            const QString verdict = call.function == "TARVIKopen" ? "Error while connecting to Quillor TARVIK.||Connect"
                : call.function == "TARVIKgetserial" ? "Communication error with Quillor TARVIK.||Connect"
                : writing ? "Loading calibrations failed|Please restart the application!|The calibrations from before are in the backup <backup>."
                : QString("Found Quillor TARVIK:|Serial: TRV-0042|Connect|The TARVIK failed to read slot %1 (code 13).").arg(call.slot);
            const int occurrence = ++seen[{call.function, call.slot}];
            standin::Faults faults;
            faults.openResult = call.function == "TARVIKopen" ? -1 : 0;
            faults.serialResult = call.function == "TARVIKgetserial" ? 13 : 0;
            if (standin::parseCallFunction(call.function.substr(6), faults.call.function))
                faults.call = {faults.call.function, call.slot, 13, occurrence, 0};
            if (call.function != "TARVIKclose") // its result is never used
                QTest::addRow("%s slot %d call %d", call.function.c_str(), call.slot, occurrence) << faults << verdict;
        }
        // Writes that report success, the block read back differing in one interpreted byte.
        for (const auto &[byte, what] : {std::make_pair(0, "the name"), {59, "the last number"}, {60, "the base index"}}) {
            standin::Faults corrupt;
            corrupt.corruptWriteSlot = 12, corrupt.corruptWriteByte = byte;
            QTest::addRow("read-back of slot 12 differs in %s", what) << corrupt
                << "Loading calibrations failed|Please restart the application!|The calibrations from before are in the backup <backup>.";
        }
        standin::Faults detached;
        detached.openResult = kTarvikNotFound;
        QTest::newRow("no instrument attached") << detached << "No Quillor TARVIK found.||Connect";
    }

    // Only the planted fault fails: any write to a protected or absent slot would fail too. After a
    // failed write nothing more is written, and Restore at once, the instrument having recovered,
    // brings back every slot.
    void oneFailingCall()
    {
        QFETCH(standin::Faults, faults);
        QFETCH(QString, verdict);
        const int failedSlot = faults.corruptWriteSlot >= 0 ? faults.corruptWriteSlot : faults.call.slot;
        QCOMPARE(wholeRun(faults, [&](DialogProbe &probe) {
            const auto log = standin::readCallLog();
            QCOMPARE(int(std::count_if(log.begin(), log.end(), [](const standin::CallLogEntry &e) {
                         return e.result != 0 && e.function != "TARVIKclose"; })), faults.corruptWriteSlot < 0 ? 1 : 0);
            QCOMPARE(log.back().function == "TARVIKclose", faults.openResult != kTarvikNotFound);
            if (!verdict.startsWith("Loading calibrations failed"))
                return;
            QVERIFY(probe.restoreButton()->isVisible());
            for (int written : instrument::slotsWritten())
                QVERIFY2(written <= failedSlot, "nothing is written after a failed write");
            standin::InstrumentState recovered = instrument::current();
            for (int slot = failedSlot + 1; slot < standin::kSlotCount; ++slot)
                QVERIFY2(instrument::sameBlock(recovered.blocks[slot], held().blocks[slot]), qPrintable(QString::number(slot)));
            recovered.faults = {};
            instrument::install(recovered);
            ModalDriver confirming;
            QVERIFY(probe.restoreFrom(probe.lastBackup()));
            for (int slot = 0; slot < standin::kSlotCount; ++slot)
                QVERIFY2(instrument::sameBlock(instrument::current().blocks[slot], held().blocks[slot]), qPrintable(QString::number(slot)));
        }), verdict);
    }

    // The stand-in's contract, on which the fault rows rely: a call is checked before anything is
    // touched, only the planted fault fails, and a write that succeeds is kept. Plain arrays are
    // handed to the library: the sanitizers catch any write past them.
    void callsAreCheckedBeforeAnythingIsTouched_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("result");
        QTest::newRow("write to reserved slot 8") << "write" << 8 << int(standin::kErrorWriteProtected);
        QTest::newRow("write to ambient slot 9") << "write" << 9 << 0;
        QTest::newRow("write to slot 38") << "write" << 38 << int(standin::kErrorBadSlot);
        QTest::newRow("write of a name without its zero") << "unterminated" << 20 << int(standin::kErrorUnterminatedName);
        QTest::newRow("first write to a slot set to fail at its second") << "write" << 37 << 0;
        QTest::newRow("second write to a slot set to fail at its second") << "twice" << 37 << 77;
    }

    void callsAreCheckedBeforeAnythingIsTouched()
    {
        QFETCH(QString, call);
        QFETCH(int, slot);
        QFETCH(int, result);
        standin::InstrumentState before = instrument::make();
        before.faults.call = {standin::CallFunction::LoadDeviceCal, 37, 77, 2, 0};
        instrument::install(before);
        std::int32_t handle = 0;
        QCOMPARE(int(TARVIKopen(&handle, 1)), 0);
        CalibrationBlock block = standin::userCalibrationBlock("Written", 5);
        std::memset(block.calName, 'Z', call == "unterminated" ? kCalNameSize : 0);
        QCOMPARE(call == "twice" ? TARVIKloaddevicecal(handle, slot, &block) : 0, 0);
        QCOMPARE(int(TARVIKloaddevicecal(handle, slot, &block)), result);
        TARVIKclose(handle);
        const bool kept = call == "twice" || (call == "write" && result == 0);
        for (int s = 0; s < standin::kSlotCount; ++s)
            QVERIFY2(instrument::sameBlock(instrument::current().blocks[s], s == slot && kept ? standin::userCalibrationBlock("Written", 5) : before.blocks[s]),
                     qPrintable(QString::number(s)));
    }

    // What discovery tells of a catalogue it cannot use whole; after a failure Connect fetches it again.
    void catalogueProblemsAreTold_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("told");
        const QByteArray good = catalogues::labDefault();
        QTest::newRow("malformed record") << good + catalogues::record("Broken", 1, 3).replace("[XCAL]", "[XCAL] x")
                                          << "The calibration catalogue cannot be read: record 3 of catalogue.txt is malformed.";
        const CalibrationBlock saved = standin::userCalibrationBlock("Saved", 3);
        const QByteArray block(reinterpret_cast<const char *>(&saved), sizeof saved);
        QTest::newRow("block backup cut short") << "TARVIK calibration blocks 1\n" + block + block.chopped(10)
                                                << "The block backup is damaged: the last block is cut short.";
        QTest::newRow("non-finite numbers and a name the same in its first 19 bytes")
            << good + catalogues::record("Hot Pixel", INFINITY, 3) + catalogues::record("Daylight D65 Extended Plus", 1.2f, 3)
                   + catalogues::record("Far Too Bright", 1, 3).replace("] 1\n", "] 1e39\n") + catalogues::record("Daylight D65 Extended Minus", 1.3f, 3)
            << "left out: 3 catalogue calibrations left out (Numbers that are not finite: Hot Pixel, Far Too Bright\n"
               "The same first 19 bytes as an earlier name: Daylight D65 Extended Minus)";
    }

    void catalogueProblemsAreTold()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, told);
        catalogues::serve(m_server, catalogue);
        instrument::install(instrument::make());
        dialog w;
        DialogProbe probe(w);
        w.show();
        const bool found = probe.findTARVIK();
        const QLabel *leftOut = probe.sorting()->findChild<QLabel *>("leftOutLabel");
        QCOMPARE(found ? "left out: " + leftOut->text() + " (" + leftOut->toolTip() + ")" : probe.reason(), told);
        const int listings = m_server.requestedPaths().count("/TARVIK/Calibrations/");
        if (!found)
            QTest::mouseClick(probe.connectButton(), Qt::LeftButton);
        QCOMPARE(m_server.requestedPaths().count("/TARVIK/Calibrations/"), listings + !found);
    }

    void discoveryShowsTheInstrument_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("listed");
        const QStringList users = {"Lab Bench A", "Lab Bench B"}, ambient = {"ambient 1.2875"};
        QTest::newRow("RGBBLU in upper and mixed case") << int(Family::Rgbblu) << "" << "-R" << ambient + users;
        QTest::newRow("gbrled in lower case") << int(Family::GbrledLowerCase) << "" << "-G" << ambient + users;
        QTest::newRow("neither family") << int(Family::Neither) << "" << "-" << ambient + users;
        QTest::newRow("GBRLED in the last factory slot only") << int(Family::Neither) << "slot 7" << "-G" << ambient + users;
        QTest::newRow("serial and names without their zero") << int(Family::Both) << "unterminated" << "-RG"
            << QStringList{"JUST w. Diffuser####", "Lab Bench A#########", "Lab Bench B#########"};
        QTest::newRow("named empty, near-ambient and a later ambient slot") << int(Family::Both) << "odd slots"
            << "-RG" << QStringList{"ambient 1.5"} + users + QStringList{"JUST W. DIFFUSER"};
        QTest::newRow("GBRLED on a retry after RGBBLU failed") << int(Family::Gbrled) << "retry" << "-G" << ambient + users;
        QTest::newRow("RGBBLU on a retry after GBRLED failed") << int(Family::Rgbblu) << "retry" << "-R" << ambient + users;
    }

    void discoveryShowsTheInstrument()
    {
        QFETCH(int, family);
        QFETCH(QString, setUp);
        QFETCH(QString, line);
        QFETCH(QStringList, listed);
        auto state = instrument::make(Family(family), 9, {"Lab Bench A", "Lab Bench B"}, "ABCDEFGHIJKLM");
        state.faults.unterminatedSerial = state.faults.unterminatedNames = setUp == "unterminated";
        if (setUp == "slot 7")
            standin::setBlockName(state.blocks[7], "GBRLED White");
        if (setUp == "odd slots") {
            standin::setBlockName(state.blocks[25], "Looks Real"); // the numbers of an empty slot
            state.blocks[26] = state.blocks[30] = standin::ambientCalibrationBlock();
            standin::setBlockName(state.blocks[26], "JUST W. DIFFUSER");
            state.blocks[30].absIntensityCal = 1.5f;
        }
        dialog w;
        DialogProbe probe(w);
        w.show();
        if (setUp == "retry") { // the first instrument, of the other family, fails after its families and slot 10 were read
            auto first = instrument::make(Family(family) == Family::Gbrled ? Family::Rgbblu : Family::Gbrled);
            first.faults.call = {standin::CallFunction::GetDeviceCalName, 11, 9, 0, 0};
            instrument::install(first);
            QTest::mouseClick(probe.connectButton(), Qt::LeftButton);
        }
        state.delayMs = 1; // slow, as a real instrument is
        instrument::install(state);
        ReadingWatch reading(probe);
        QTest::mouseClick(probe.connectButton(), Qt::LeftButton);
        QVERIFY(probe.sorting()->isVisible() && !w.isVisible());
        QStringList shown("Found Quillor TARVIK:"); // while the factory names are read
        for (int step = 1; step <= 29; ++step)
            shown << QString("Reading calibration %1 of 29…").arg(step);
        QCOMPARE(reading.seen, shown);
        QCOMPARE(probe.sorting()->findChild<QLabel *>("label_3")->text(), "Found Quillor TARVIK: ABCDEFGHIJKLM" + line);
        QStringList names = probe.ambientFound() ? QStringList("ambient " + QString::number(probe.ambientBlock().absIntensityCal))
                                                 : QStringList();
        for (const CalibrationRecord &r : probe.instrument())
            names << calibrationName(r.block);
        QCOMPARE(names, listed);
    }
};

QTEST_MAIN(TestInstrument)
#include "tst_instrument.moc"
