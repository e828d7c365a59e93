#include "calibrationblock.h"
#include "calibrationlist.h"
#include "calibrationrecord.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
CalibrationBlock blockNamed(const char *name, std::int32_t base = 0)
{
    CalibrationBlock b = emptyCalibrationBlock();
    setCalibrationName(b, name);
    b.basCalIndex = base;
    return b;
}
}

class TestCalibrationRecords : public QObject
{
    Q_OBJECT

private slots:
    void blockLayoutMatchesTheInstrument()
    {
        CalibrationBlock b;
        const auto *base = reinterpret_cast<const char *>(&b);
        QCOMPARE(int(sizeof b), 64);
        QCOMPARE(int(reinterpret_cast<const char *>(&b.absIntensityCal) - base), 20);
        QCOMPARE(int(reinterpret_cast<const char *>(&b.xCal[2]) - base), 32);
        QCOMPARE(int(reinterpret_cast<const char *>(&b.yCal[0]) - base), 36);
        QCOMPARE(int(reinterpret_cast<const char *>(&b.zCal[0]) - base), 48);
        QCOMPARE(int(reinterpret_cast<const char *>(&b.basCalIndex) - base), 60);
    }

    void emptyBlockIsNeutral()
    {
        const CalibrationBlock e = emptyCalibrationBlock();
        QCOMPARE(QByteArray(e.calName), QByteArray("empty"));
        QVERIFY(isEmptyBlock(e));
        const auto *bytes = reinterpret_cast<const unsigned char *>(&e);
        for (int i = 6; i < 20; ++i)
            QCOMPARE(int(bytes[i]), 0);
    }

    void emptinessIgnoresTheNameButNotTheNumbers_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("empty");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("intensity 1.0000001") << 0 << std::nextafter(1.0f, 2.0f) << false;
        QTest::newRow("intensity NaN") << 0 << nan << false;
        QTest::newRow("x off-diagonal") << 2 << 0.001f << false;
        QTest::newRow("y diagonal") << 5 << 0.999f << false;
        QTest::newRow("z NaN") << 9 << nan << false;
        QTest::newRow("negative zero is zero") << 3 << -0.0f << true;
    }

    void emptinessIgnoresTheNameButNotTheNumbers()
    {
        QFETCH(int, field);
        QFETCH(float, value);
        QFETCH(bool, empty);
        CalibrationBlock b = blockNamed("A real name");
        float *numbers = &b.absIntensityCal; // intensity and the nine matrix entries are contiguous
        numbers[field] = value;
        QCOMPARE(isEmptyBlock(b), empty);
    }

    void onlyTheLowByteOfTheBaseIndexCounts()
    {
        CalibrationBlock b = blockNamed("any", 256);
        QVERIFY(isEmptyBlock(b)); // 256 has a zero low byte

        b = blockNamed("any", 262);
        QCOMPARE(int(baseCalibrationIndex(b)), 6);
        QCOMPARE(b.basCalIndex, 262); // all four bytes are kept for the instrument
        QVERIFY(CalibrationRecord(b).description.endsWith("#6"));

        b.basCalIndex = -1;
        QCOMPARE(CalibrationRecord(b).description, QString("Using Base Calibration #255"));
    }

    void namesAreReadWithinTheirTwentyBytes()
    {
        CalibrationBlock b = emptyCalibrationBlock();
        std::memset(b.calName, 'N', sizeof b.calName); // no terminating zero at all
        b.absIntensityCal = 7.0f;
        QCOMPARE(calibrationName(b), QString(20, 'N'));
    }

    void longNamesAreCutAtACharacterBoundary()
    {
        CalibrationBlock b = emptyCalibrationBlock();
        QVERIFY(setCalibrationName(b, QByteArray(19, 'a')));
        QCOMPARE(calibrationName(b).size(), 19);

        // 18 ASCII bytes then a two-byte character: the character would straddle byte 19.
        const QByteArray tooLong = QByteArray(18, 'b') + QString::fromUtf8("\xc3\xa9").toUtf8();
        QVERIFY(!setCalibrationName(b, tooLong));
        QCOMPARE(calibrationName(b), QString(18, 'b'));
        QCOMPARE(b.calName[19], '\0');
    }

    void recordsAreIndependentValues()
    {
        CalibrationList first;
        CalibrationList second;
        CalibrationRecord r(blockNamed("Shared", 3));
        first.append(r);
        second.append(r);
        CalibrationRecord changed(blockNamed("Shared", 4));
        QCOMPARE(first.replaceAll("Shared", changed), 1);
        QCOMPARE(int(baseCalibrationIndex(first.at(0).block)), 4);
        QCOMPARE(int(baseCalibrationIndex(second.at(0).block)), 3);
        QCOMPARE(second.at(0).description, QString("Using Base Calibration #3"));
    }

    void listIndexFindsFirstOfEachName()
    {
        CalibrationList list;
        list.append(CalibrationRecord(blockNamed("A", 1)));
        list.append(CalibrationRecord(blockNamed("B", 2)));
        list.append(CalibrationRecord(blockNamed("A", 3)));
        QVERIFY(list.contains("A"));
        QVERIFY(!list.contains("a"));
        QCOMPARE(int(baseCalibrationIndex(list.find("A")->block)), 1);
        QCOMPARE(list.replaceAll("A", CalibrationRecord(blockNamed("A", 9))), 2);
        const CalibrationPairList pairs = list.pairs();
        QCOMPARE(pairs.size(), 3);
        QCOMPARE(pairs.at(2).first, QString("A"));
        QCOMPARE(pairs.at(2).second, QString("Using Base Calibration #9"));
        list.clear();
        QVERIFY(!list.contains("B"));
    }
};

QTEST_GUILESS_MAIN(TestCalibrationRecords)
#include "tst_calibrationrecords.moc"
