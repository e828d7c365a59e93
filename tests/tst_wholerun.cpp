#include "programrun.h"
#include "standinfixture.h"

#include <QtTest>

// A whole run of the real program: the local Apache catalogue, the stand-in instrument,
// the user's choices in the selection window, the writing and Quit.
class TestWholeRun : public QObject
{
    Q_OBJECT

private slots:
    void aUserArrangesAndWritesTheSet()
    {
        const standin::InstrumentState before =
            instrument::make(standin::Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Daylight D65"});
        instrument::install(before);
        const QString shots = QDir(qEnvironmentVariable("TARVIK_TEST_WORKDIR")).absolutePath();

        const ProgramRun run = runProgram({
            "wait-window Sorting",
            "expect-text Sorting label_3 Found Quillor TARVIK: TRV-0042-RG",
            "expect-rows Sorting export_current_TWG Lab Bench A|Lab Bench B|Daylight D65",
            "click-row Sorting export_source_TWG =Tungsten A",
            "click Sorting export_add_PBN",
            "double-click-row Sorting export_source_TWG =Studio Flash",
            "click-row Sorting export_current_TWG =Lab Bench B",
            "click Sorting export_del_PBN",
            "drag-row Sorting export_current_TWG 2 0",
            "expect-rows Sorting export_current_TWG Tungsten A|Lab Bench A|Daylight D65|Studio Flash",
            "screenshot Sorting " + shots + "/selection.png",
            "click Sorting pushButton",
            "wait-window dialog",
            "expect-text dialog label Loading calibrations Ok.",
            "expect-text dialog label_2 Your Quillor TARVIK is up to date.",
            "expect-hidden dialog pushButton",
            "expect-hidden dialog progressBar",
            "screenshot dialog " + shots + "/verdict.png",
            "click dialog pushButton_2",
        });
        QVERIFY2(run.finished, qPrintable(run.driverLog));
        QVERIFY2(!run.driverLog.contains("FAIL"), qPrintable(run.driverLog + run.output.right(3000)));
        QCOMPARE(run.exitCode, 0);

        const standin::InstrumentState after = instrument::current();
        for (int slot = 0; slot <= 8; ++slot)
            QVERIFY(instrument::sameBlock(after.blocks[slot], before.blocks[slot]));
        QVERIFY(instrument::sameBlock(after.blocks[9], standin::ambientCalibrationBlock()));
        QCOMPARE(QString::fromStdString(standin::blockName(after.blocks[10])), QString("Tungsten A"));
        QCOMPARE(after.blocks[10].absIntensityCal, 1.11f);
        QVERIFY(instrument::sameBlock(after.blocks[11], before.blocks[10])); // kept as the instrument held it
        // The catalogue's block of a name the instrument also holds is the one written.
        QCOMPARE(QString::fromStdString(standin::blockName(after.blocks[12])), QString("Daylight D65"));
        QCOMPARE(after.blocks[12].absIntensityCal, 1.02f);
        QCOMPARE(QString::fromStdString(standin::blockName(after.blocks[13])), QString("Studio Flash"));
        for (int slot = 14; slot <= 37; ++slot)
            QVERIFY(instrument::sameBlock(after.blocks[slot], emptyCalibrationBlock()));
        QVERIFY(QFileInfo(shots + "/selection.png").size() > 0);
    }
};

QTEST_GUILESS_MAIN(TestWholeRun)
#include "tst_wholerun.moc"
