#include "dialog.h"
#include "dialogprobe.h"
#include "realprogram.h"
#include "standinfixture.h"

#include <QTemporaryDir>

// Whole runs of the real program, as a user makes them: the local Apache catalogue, the stand-in
// instrument, the set arranged in the selection window, the writing and Quit. The user's actions are
// played inside the program by the preloaded UI driver, which logs its steps and ends it with exit code 97
// at a step it cannot do.
class TestSmoke : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dirs[2]; // the script and log of the first program and of the next

private slots:
    // The programs started here and the window made in this process alike.
    void initTestCase() { qputenv("TARVIK_CATALOGUE_SERVER", fixtureCatalogueServer().toUtf8()); }

    void aUserRunsTheProgram_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<QString>("next"); // the steps of the program that comes next
        QTest::newRow("arranges and writes the set") << "" << "";
        QTest::newRow("killed between two writes, restored at the next start") << "killed"
            << "wait-window dialog\nexpect-text dialog reasonLabel The last update of this TARVIK did not finish (*\n"
               "click dialog restoreButton\nwait-window RestoreDialog\nclick RestoreDialog restoreChosenButton\n"
               "answer-message-box\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n";
        QTest::newRow("a second program at once") << "in use"
            << "wait-window dialog\nexpect-text dialog label The TARVIK is in use by another TARVIK Calibration Updater.\n"
               "click dialog pushButton_2\n";
    }

    void aUserRunsTheProgram()
    {
        QFETCH(QString, interruption);
        QFETCH(QString, next);
        standin::InstrumentState before = instrument::make(standin::Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Daylight D65"});
        before.delayMs = interruption == "killed" ? 40 : 0; // time to stop it between two writes
        instrument::install(before);
        if (interruption == "in use") {
            dialog first;
            DialogProbe probe(first);
            QVERIFY(probe.findTARVIK());
            QCOMPARE(RealProgram(m_dirs[1].path(), next.toUtf8()).failure(), QByteArray());
            probe.updateTARVIK({{"Tungsten A", "x"}});
            QCOMPARE(probe.label()->text(), "Loading calibrations Ok.");
            return;
        }
        RealProgram first(m_dirs[0].path(), "wait-window Sorting\nclick-row Sorting export_source_TWG =Tungsten A\nclick Sorting export_add_PBN\n"
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
            QCOMPARE(RealProgram(m_dirs[1].path(), next.toUtf8()).failure(), QByteArray());
            for (int slot = 0; slot < standin::kSlotCount; ++slot)
                QVERIFY2(instrument::sameBlock(instrument::current().blocks[slot], before.blocks[slot]), qPrintable(QString::number(slot)));
            return;
        }
        QCOMPARE(first.failure(), QByteArray());
        QCOMPARE(instrument::namesIn(9, 14), QStringList({"JUST w. Diffuser", "Tungsten A", "Lab Bench A", "Daylight D65",
                                                          "Studio Flash", "empty"}));
        QCOMPARE(instrument::current().blocks[12].absIntensityCal, 1.02f); // the catalogue's block of a name both hold
    }
};

QTEST_MAIN(TestSmoke)
#include "tst_smoke.moc"
