#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "sorting.h"
#include "standinfixture.h"

#include <QtTest>

using standin::Family;

class TestDiscovery : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    static QString instrumentLine(const DialogProbe &probe)
    {
        return probe.sorting()->findChild<QLabel *>("label_3")->text();
    }

private slots:
    void initTestCase() { catalogues::serve(m_server, catalogues::labDefault()); }

    void failuresShowTheirReasonAndCloseTheInstrument_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("opens");
        QTest::addColumn<int>("closes");
        QTest::newRow("no instrument") << 0 << "No Quillor TARVIK found." << 1 << 0;
        QTest::newRow("open fails") << 1 << "Error while connecting to Quillor TARVIK." << 1 << 1;
        QTest::newRow("serial fails") << 2 << "Communication error with Quillor TARVIK." << 1 << 1;
    }

    void failuresShowTheirReasonAndCloseTheInstrument()
    {
        QFETCH(int, fault);
        QFETCH(QString, label);
        QFETCH(int, opens);
        QFETCH(int, closes);
        standin::InstrumentState state = instrument::make();
        if (fault == 0)
            state.attached = false;
        else if (fault == 1)
            state.faults.openResult = -1;
        else
            state.faults.serialResult = 5;
        instrument::install(state);

        dialog w;
        DialogProbe probe(w);
        QVERIFY(!probe.findTARVIK());
        QCOMPARE(probe.label()->text(), label);
        QVERIFY(probe.label2()->text().isEmpty());
        QCOMPARE(instrument::calls("TARVIKopen"), opens);
        QCOMPARE(instrument::calls("TARVIKclose"), closes);
        QCOMPARE(instrument::calls("TARVIKgetdevicecalname"), 0);
        if (closes)
            QCOMPARE(probe.deviceHandle(), 0);
        if (fault == 2)
            QVERIFY(probe.serialNumber().isEmpty());
        QVERIFY(!probe.sorting()->isVisible());
    }

    void readFailuresAfterTheSerialShowTheWindowAgain_data()
    {
        QTest::addColumn<bool>("catalogueMissing");
        QTest::newRow("instrument read fails") << false;
        QTest::newRow("catalogue file missing") << true;
    }

    void readFailuresAfterTheSerialShowTheWindowAgain()
    {
        QFETCH(bool, catalogueMissing);
        standin::InstrumentState state = instrument::make();
        if (!catalogueMissing)
            state.faults.call = {standin::CallFunction::GetDeviceCalName, 3, 9, 0, 0};
        instrument::install(state);

        dialog w;
        DialogProbe probe(w);
        if (catalogueMissing)
            QVERIFY(QFile::remove(probe.tmpCalFileName()));
        QVERIFY(!probe.findTARVIK());
        QCOMPARE(probe.label()->text(), QString("Found Quillor TARVIK:"));
        QCOMPARE(probe.label2()->text(), QString("Serial: TRV-0042"));
        QCOMPARE(probe.deviceHandle(), 0);
        QCOMPARE(instrument::calls("TARVIKclose"), 1);
        QVERIFY(w.isVisible());
        QVERIFY(!probe.sorting()->isVisible());
    }

    void successHidesTheWindowAndShowsTheSelection()
    {
        instrument::install(instrument::make());
        dialog w;
        w.show();
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK());
        QVERIFY(!w.isVisible());
        QVERIFY(probe.sorting()->isVisible());
        QVERIFY(probe.deviceHandle() != 0);
        QCOMPARE(instrument::calls("TARVIKclose"), 0);
        probe.sorting()->hide();
    }

    void serialNumbersAreShownWholeButNeverOverread()
    {
        instrument::install(instrument::make(Family::Both, 9, {}, "ABCDEFGHIJKLM"));
        {
            dialog w;
            DialogProbe probe(w);
            QVERIFY(probe.findTARVIK());
            QCOMPARE(probe.label2()->text(), QString("Serial: ABCDEFGHIJKLM"));
            probe.sorting()->hide();
        }
        standin::InstrumentState state = instrument::make(Family::Both, 9, {}, "ABCDEFGHIJKLM");
        state.faults.unterminatedSerial = true;
        instrument::install(state);
        dialog w;
        DialogProbe probe(w);
        probe.findTARVIK();
        QCOMPARE(probe.label2()->text(), QString("Serial: ABCDEFGHIJKLM"));
        probe.sorting()->hide();
    }

    void connectRetriesAndStartsAfresh()
    {
        standin::InstrumentState state = instrument::make(Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Lab Bench C"});
        state.faults.call = {standin::CallFunction::GetDeviceCalName, 12, 9, 0, 0};
        instrument::install(state);
        dialog w;
        DialogProbe probe(w);
        QVERIFY(!probe.findTARVIK()); // slots 10 and 11 were listed before the failure
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        state.faults.call = {};
        instrument::install(state);
        QTest::mouseClick(probe.connectButton(), Qt::LeftButton);
        QVERIFY(probe.sorting()->isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(probe.instrument().size(), 3);
        QCOMPARE(probe.catalogue().size(), 2);
        probe.sorting()->hide();
    }

    void modelLettersFollowTheFactoryNames_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("line");
        QTest::newRow("upper and mixed case RGBBLU") << int(Family::Rgbblu) << "Found Quillor TARVIK: TRV-0042-R";
        QTest::newRow("lower-case gbrled") << int(Family::GbrledLowerCase) << "Found Quillor TARVIK: TRV-0042-G";
        QTest::newRow("both") << int(Family::Both) << "Found Quillor TARVIK: TRV-0042-RG";
        QTest::newRow("neither") << int(Family::Neither) << "Found Quillor TARVIK: TRV-0042-";
    }

    void modelLettersFollowTheFactoryNames()
    {
        QFETCH(int, family);
        QFETCH(QString, line);
        instrument::install(instrument::make(Family(family)));
        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK());
        QCOMPARE(instrumentLine(probe), line);
        QCOMPARE(probe.rgbbluFound(), family == int(Family::Rgbblu) || family == int(Family::Both));
        QCOMPARE(probe.gbrledFound(), family == int(Family::GbrledLowerCase) || family == int(Family::Both));
        probe.sorting()->hide();
    }

    void aFailedReadEndsTheReadWithItsCode_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("listed");
        QTest::addColumn<bool>("lineSet");
        QTest::newRow("name read at factory slot 3") << int(standin::CallFunction::GetDeviceCalName) << 3 << 0 << false;
        QTest::newRow("name read at slot 20") << int(standin::CallFunction::GetDeviceCalName) << 20 << 10 << true;
        QTest::newRow("block read at slot 20") << int(standin::CallFunction::RetrieveDeviceCal) << 20 << 10 << true;
    }

    void aFailedReadEndsTheReadWithItsCode()
    {
        QFETCH(int, function);
        QFETCH(int, slot);
        QFETCH(int, listed);
        QFETCH(bool, lineSet);
        std::vector<std::string> user;
        for (int i = 0; i < 20; ++i)
            user.push_back("User " + std::to_string(i));
        standin::InstrumentState state = instrument::make(Family::Both, 9, user);
        state.faults.call = {standin::CallFunction(function), slot, 41, 0, 0};
        instrument::install(state);

        dialog w;
        DialogProbe probe(w);
        probe.sorting()->setInstrumentLabel("previous");
        QVERIFY(probe.openInstrument());
        QCOMPARE(probe.getCalInternal(), 41);
        QCOMPARE(probe.instrument().size(), listed); // slots 10 to 19, never slot 19's block twice
        QCOMPARE(instrumentLine(probe) == "previous", !lineSet);
        QCOMPARE(instrument::calls("TARVIKgetdevicecalname", slot + 1), 0);
    }

    void slotsAreListedByTheirContent()
    {
        standin::InstrumentState state = instrument::make(Family::Both, 15, {"Twin", "Twin", "Solo"});
        CalibrationBlock namedEmpty = emptyCalibrationBlock();
        standin::setBlockName(namedEmpty, "Looks Real");
        state.blocks[25] = namedEmpty;
        CalibrationBlock almostAmbient = standin::ambientCalibrationBlock();
        standin::setBlockName(almostAmbient, "JUST W. DIFFUSER");
        state.blocks[26] = almostAmbient;
        CalibrationBlock laterAmbient = standin::ambientCalibrationBlock();
        laterAmbient.absIntensityCal = 1.5f;
        state.blocks[30] = laterAmbient;
        instrument::install(state);

        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK());
        QVERIFY(probe.ambientFound());
        QVERIFY(instrument::sameBlock(probe.ambientBlock(), laterAmbient)); // the last one wins
        QStringList names;
        for (const CalibrationRecord &r : probe.instrument())
            names << calibrationName(r.block);
        QCOMPARE(names, QStringList({"Twin", "Twin", "Solo", "JUST W. DIFFUSER"}));
        QCOMPARE(instrument::calls("TARVIKgetdevicecalname", 8), 0);
        QCOMPARE(instrument::calls("TARVIKretrievedevicecal", 8), 0);
        QCOMPARE(instrument::calls("TARVIKretrievedevicecal", 15), 2);
        probe.sorting()->hide();
    }

    void namesWithoutATerminatingZeroAreReadWithinTheirBuffer()
    {
        standin::InstrumentState state = instrument::make(Family::Both, 9, {"Lab Bench A"});
        state.faults.unterminatedNames = true;
        instrument::install(state);
        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.openInstrument());
        QCOMPARE(probe.getCalInternal(), 0); // the sanitizers catch any read past the 20 bytes
        QVERIFY(probe.rgbbluFound() && probe.gbrledFound());
        // A padded name is no longer exactly the ambient one, so that slot is listed too.
        QVERIFY(!probe.ambientFound());
        QCOMPARE(probe.instrument().size(), 2);
        for (const CalibrationRecord &r : probe.instrument())
            QCOMPARE(calibrationName(r.block).size(), 20);
        QVERIFY(calibrationName(probe.instrument().last().block).startsWith("Lab Bench A"));
    }

    void emptyInstrumentAndCatalogueStillShowTheSelection()
    {
        HttpStub emptyServer;
        catalogues::serve(emptyServer, QByteArray("\n"));
        instrument::install(instrument::make(Family::Both, -1, {}));
        dialog w;
        DialogProbe probe(w);
        QVERIFY(probe.findTARVIK());
        QVERIFY(probe.sorting()->isVisible());
        QCOMPARE(probe.sorting()->findChild<QTableWidget *>("export_current_TWG")->rowCount(), 0);
        QCOMPARE(probe.sorting()->findChild<QTableWidget *>("export_source_TWG")->rowCount(), 0);
        probe.sorting()->hide();
        catalogues::serve(m_server, catalogues::labDefault());
    }
};

QTEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
