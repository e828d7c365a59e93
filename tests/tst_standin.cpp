// The stand-in instrument's contract, on which the program's fault tests rely: a call is checked
// before anything is touched, only the planted fault fails, and a write that succeeds is kept.
// Plain arrays are handed to the library: the sanitizers catch any write past them.

#include "standinfixture.h"
#include "tarvikdll.h"

using namespace standin;

class TestStandin : public QObject
{
    Q_OBJECT

private slots:
    void callsAreCheckedBeforeAnythingIsTouched_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("result");
        QTest::newRow("write to reserved slot 8") << "write" << 8 << int(kErrorWriteProtected);
        QTest::newRow("write to ambient slot 9") << "write" << 9 << 0;
        QTest::newRow("write to slot 38") << "write" << 38 << int(kErrorBadSlot);
        QTest::newRow("write of a name without its zero") << "unterminated" << 20 << int(kErrorUnterminatedName);
        QTest::newRow("first write to a slot set to fail at its second") << "write" << 37 << 0;
        QTest::newRow("second write to a slot set to fail at its second") << "twice" << 37 << 77;
    }

    void callsAreCheckedBeforeAnythingIsTouched()
    {
        QFETCH(QString, call);
        QFETCH(int, slot);
        QFETCH(int, result);
        InstrumentState before = instrument::make();
        before.faults.call = {CallFunction::LoadDeviceCal, 37, 77, 2, 0};
        instrument::install(before);
        std::int32_t handle = 0;
        QCOMPARE(int(TARVIKopen(&handle, 1)), 0);
        CalibrationBlock block = userCalibrationBlock("Written", 5);
        std::memset(block.calName, 'Z', call == "unterminated" ? kCalNameSize : 0);
        QCOMPARE(call == "twice" ? TARVIKloaddevicecal(handle, slot, &block) : 0, 0);
        QCOMPARE(int(TARVIKloaddevicecal(handle, slot, &block)), result);
        TARVIKclose(handle);
        const bool kept = call == "twice" || (call == "write" && result == 0);
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY2(instrument::sameBlock(instrument::current().blocks[s], s == slot && kept ? userCalibrationBlock("Written", 5) : before.blocks[s]),
                     qPrintable(QString::number(s)));
    }
};

QTEST_GUILESS_MAIN(TestStandin)
#include "tst_standin.moc"
