#include "catalogues.h"
#include "standinfixture.h"

#include <QProcess>
#include <QTemporaryFile>

// One whole run of the real program, as a user makes it: the local Apache catalogue, the stand-in
// instrument, the set arranged in the selection window, the writing and Quit. The user's actions are
// played inside the program by the preloaded UI driver, which logs its steps to the program's standard error and
// ends it with exit code 97 at a step it cannot do.
class TestSmoke : public QObject
{
    Q_OBJECT

private slots:
    void aUserArrangesAndWritesTheSet()
    {
        instrument::install(instrument::make(standin::Family::Both, 9, {"Lab Bench A", "Lab Bench B", "Daylight D65"}));
        QTemporaryFile script;
        QVERIFY(script.open());
        script.write("wait-window Sorting\nclick-row Sorting export_source_TWG =Tungsten A\nclick Sorting export_add_PBN\n"
                     "double-click-row Sorting export_source_TWG =Studio Flash\n"
                     "click-row Sorting export_current_TWG =Lab Bench B\nclick Sorting export_del_PBN\n"
                     "drag-row Sorting export_current_TWG 2 0\nclick Sorting pushButton\n"
                     "wait-window dialog\nexpect-text dialog label Loading calibrations Ok.\nclick dialog pushButton_2\n");
        script.flush();
        qputenv("TARVIK_UIDRIVER_SCRIPT", script.fileName().toUtf8());
        qputenv("LD_PRELOAD", qgetenv("TARVIK_UIDRIVER"));
        catalogues::useCatalogueServer();
        QProcess program;
        program.start(qEnvironmentVariable("TARVIK_UPDATER"), QStringList());
        const auto stop = qScopeGuard([&] { program.kill(); program.waitForFinished(); });
        const bool ended = program.waitForFinished(120000);
        QVERIFY2(ended && program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 qPrintable(QString::fromUtf8(program.readAllStandardError().right(3000))));

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
