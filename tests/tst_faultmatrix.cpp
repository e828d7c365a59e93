#include "backup.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "sorting.h"
#include "standinfixture.h"

#include <QtTest>

#include <cstdio>
#include <map>

// Every instrument call of a whole run made to fail, one at a time: the program must not
// crash, must close what it opened, must write nothing outside slots 9 to 37, must say
// honestly how it went, and must have saved a backup before any write.
class TestFaultMatrix : public QObject
{
    Q_OBJECT

    HttpStub m_server;
    int m_rows = 0;
    int m_passed = 0;

    static standin::InstrumentState instrumentBefore()
    {
        return instrument::make(standin::Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Kept"});
    }

    static CalibrationPairList choice()
    {
        return {{"Tungsten A", "x"}, {"Lab Bench A", "x"}, {"Kept", "x"}};
    }

    struct Outcome
    {
        bool found = false;
        QString label;
        QString label2;
        std::int32_t handle = 0;
        bool canRetry = false;
    };

    Outcome wholeRun()
    {
        Outcome outcome;
        dialog w;
        DialogProbe probe(w);
        outcome.found = probe.findTARVIK();
        if (outcome.found)
            probe.updateTARVIK(choice());
        else
            w.show(); // as start-up does after a failed discovery
        outcome.label = probe.label()->text();
        outcome.label2 = probe.label2()->text();
        outcome.handle = probe.deviceHandle();
        outcome.canRetry = w.isVisible() && probe.connectButton()->isVisibleTo(&w) && !probe.sorting()->isVisible();
        probe.sorting()->hide();
        return outcome;
    }

    static int backupCount()
    {
        return QDir(backupDirectory()).entryList({"*.blocks"}, QDir::Files).size(); // each backup is a .txt and a .blocks
    }

private slots:
    void initTestCase()
    {
        catalogues::serve(m_server, catalogues::labDefault());
    }

    void oneFailingCall_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("occurrence");

        // The calls of a run without faults make the rows of the matrix.
        instrument::install(instrumentBefore());
        const Outcome clean = wholeRun();
        QCOMPARE(clean.label, QString("Loading calibrations Ok."));
        std::map<std::pair<std::string, int>, int> seen;
        for (const standin::CallLogEntry &call : standin::readCallLog()) {
            if (call.function == "TARVIKclose")
                continue; // its result is never used
            const int occurrence = ++seen[{call.function, call.slot}];
            QTest::addRow("%s slot %d call %d", call.function.c_str(), call.slot, occurrence)
                << QString::fromStdString(call.function) << call.slot << occurrence;
        }
    }

    void oneFailingCall()
    {
        QFETCH(QString, function);
        QFETCH(int, slot);
        QFETCH(int, occurrence);
        ++m_rows;

        standin::InstrumentState state = instrumentBefore();
        if (function == "TARVIKopen") {
            state.faults.openResult = -1;
        } else if (function == "TARVIKgetserial") {
            state.faults.serialResult = 13;
        } else {
            standin::CallFunction which;
            QVERIFY(standin::parseCallFunction(function.mid(6).toStdString(), which));
            state.faults.call = {which, slot, 13, occurrence, 0};
        }
        instrument::install(state);
        const int backupsBefore = backupCount();

        const Outcome outcome = wholeRun();
        const standin::InstrumentState after = instrument::current();
        const auto log = standin::readCallLog();

        // The fault fired, exactly where it was meant to.
        const int failed = int(std::count_if(log.begin(), log.end(), [](const standin::CallLogEntry &e) {
            return e.function != "TARVIKclose" && e.result != 0;
        }));
        QCOMPARE(failed, 1);

        // Closed wherever it was opened; the handle is not left behind.
        const bool opened = std::any_of(log.begin(), log.end(), [](const standin::CallLogEntry &e) {
            return e.function == "TARVIKopen" && e.result == 0;
        });
        if (opened) {
            QCOMPARE(log.back().function, std::string("TARVIKclose"));
            QCOMPARE(outcome.handle, 0);
        }

        // Never outside the ambient and user slots.
        bool wrote = false;
        for (const standin::CallLogEntry &e : log) {
            if (e.function == "TARVIKloaddevicecal") {
                QVERIFY(e.slot >= 9 && e.slot <= 37);
                wrote = true;
            }
        }
        for (int s = 0; s <= 8; ++s)
            QVERIFY(instrument::sameBlock(after.blocks[s], state.blocks[s]));

        // An honest verdict: a failure is never reported as success, and a failed
        // discovery leaves the window with its reason and a way to retry.
        QVERIFY(outcome.label != QLatin1String("Loading calibrations Ok."));
        if (outcome.found) {
            QCOMPARE(outcome.label, QString("Loading calibrations failed"));
            QCOMPARE(outcome.label2, QString("Please restart the application!"));
        } else {
            QVERIFY(outcome.canRetry);
            QVERIFY(!wrote);
            QVERIFY(QStringList({"No Quillor TARVIK found.", "Error while connecting to Quillor TARVIK.",
                                 "Communication error with Quillor TARVIK.", "Found Quillor TARVIK:"})
                        .contains(outcome.label));
        }

        // Whenever a write was attempted, the set as it was is saved.
        if (wrote)
            QCOMPARE(backupCount(), backupsBefore + 1);
        ++m_passed;
    }

    void cleanupTestCase()
    {
        // Printed directly: the program's own debug lines use up the test log's message allowance.
        std::printf("fault matrix: %d instrument calls made to fail, %d handled soundly\n", m_rows, m_passed);
        std::fflush(stdout);
    }
};

QTEST_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
