#include "realprogram.h"
#include "standinfixture.h"

#include <QTemporaryDir>

// One whole run of the real program, as a user makes it: the local Apache catalogue, the stand-in
// instrument, the set arranged in the selection window, the writing and Quit. The user's actions are
// played inside the program by the preloaded UI driver, which logs its steps and ends it with exit code 97
// at a step it cannot do.
class TestSmoke : public QObject
{
    Q_OBJECT

private slots:
    void aUserArrangesAndWritesTheSet()
    {
        instrument::install(instrument::make(standin::Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Daylight D65"}));
        QTemporaryDir dir;
        const QByteArray failure = failureOfRealProgram(dir.path(), "wait-window Sorting\nclick-row Sorting export_source_TWG =Tungsten A\nclick Sorting export_add_PBN\n"
                     "double-click-row Sorting export_source_TWG =Studio Flash\n"
                     "click-row Sorting export_current_TWG =Lab Bench B\nclick Sorting export_del_PBN\n"
                     "drag-row Sorting export_current_TWG 2 0\nclick Sorting pushButton\n"
                     "wait-window dialog\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n");
        QVERIFY2(failure.isEmpty(), failure.constData());

        const standin::InstrumentState after = instrument::current();
        QStringList names;
        for (const CalibrationBlock &block : after.blocks)
            names << QString::fromStdString(standin::blockName(block));
        QCOMPARE(names.mid(9, 6), QStringList({"JUST w. Diffuser", "Tungsten A", "Lab Bench A", "Daylight D65",
                                               "Studio Flash", "empty"}));
        QCOMPARE(after.blocks[12].absIntensityCal, 1.02f); // the catalogue's block of a name both hold
    }
};

QTEST_GUILESS_MAIN(TestSmoke)
#include "tst_smoke.moc"
