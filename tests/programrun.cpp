#include "programrun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

ProgramRun runProgram(const QStringList &script, const QProcessEnvironment &environment, const QString &program,
                      int timeoutMs)
{
    ProgramRun run;
    QTemporaryDir work;
    const QString scriptPath = work.filePath("script");
    const QString logPath = work.filePath("driver.log");
    QFile scriptFile(scriptPath);
    if (!scriptFile.open(QIODevice::WriteOnly))
        return run;
    scriptFile.write(script.join('\n').toUtf8() + '\n');
    scriptFile.close();

    QProcessEnvironment env = environment;
    env.insert("TARVIK_UIDRIVER_SCRIPT", scriptPath);
    env.insert("TARVIK_UIDRIVER_LOG", logPath);
    env.insert("LD_PRELOAD", qEnvironmentVariable("TARVIK_UIDRIVER"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, QStringList());
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardError());
    QFile log(logPath);
    if (log.open(QIODevice::ReadOnly))
        run.driverLog = QString::fromUtf8(log.readAll());
    return run;
}
