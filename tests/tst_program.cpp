#include "programrun.h"
#include "standinfixture.h"

#include <QtTest>

// The real program, started with the local catalogue server up and no instrument attached.
class TestProgram : public QObject
{
    Q_OBJECT

    static QProcessEnvironment environment()
    {
        return QProcessEnvironment::systemEnvironment();
    }

    static void verifyClean(const ProgramRun &run)
    {
        QVERIFY2(run.finished, qPrintable(run.driverLog + run.output));
        QVERIFY2(!run.driverLog.contains("FAIL"), qPrintable(run.driverLog));
        QVERIFY2(!run.crashed, qPrintable(run.output));
        QCOMPARE(run.exitCode, 0);
    }

private slots:
    void init()
    {
        standin::InstrumentState detached = instrument::make();
        detached.attached = false;
        instrument::install(detached);
    }

    void quitEndsTheProgramWithExitCodeZero()
    {
        const ProgramRun run = runProgram({"wait-window dialog",
                                           "expect-text dialog label No Quillor TARVIK found.",
                                           "expect-text dialog pushButton Connect",
                                           "expect-hidden dialog progressBar",
                                           "click dialog pushButton_2"},
                                          environment());
        verifyClean(run);
    }

    void germanSystemLocaleShowsGermanTexts()
    {
        QProcessEnvironment env = environment();
        env.insert("LANG", "de_DE.UTF-8");
        env.insert("LC_ALL", "de_DE.UTF-8");
        const ProgramRun run = runProgram({"wait-window dialog",
                                           "expect-text dialog label Kein Quillor TARVIK gefunden.",
                                           "expect-text dialog pushButton Verbinden",
                                           "click dialog pushButton_2"},
                                          env);
        verifyClean(run);
    }

    void unknownLanguageFallsBackToEnglish()
    {
        QProcessEnvironment env = environment();
        env.insert("LANG", "xx_YY.UTF-8");
        env.insert("LC_ALL", "xx_YY.UTF-8");
        const ProgramRun run = runProgram({"wait-window dialog", "expect-text dialog pushButton Connect",
                                           "click dialog pushButton_2"},
                                          env);
        verifyClean(run);
    }

    void runsWithoutItsResourcesDirectory()
    {
        // A copy of the program in a directory with no Resources: no translation, no splash image.
        QTemporaryDir bare;
        const QString copy = bare.filePath("tarvik-calibration-updater");
        QVERIFY(QFile::copy(qEnvironmentVariable("TARVIK_UPDATER"), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner));
        const ProgramRun run = runProgram({"wait-window dialog",
                                           "expect-text dialog label No Quillor TARVIK found.",
                                           "click dialog pushButton_2"},
                                          environment(), copy);
        verifyClean(run);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
