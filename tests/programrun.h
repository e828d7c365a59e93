#ifndef PROGRAMRUN_H
#define PROGRAMRUN_H

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The real program, started as a user would start it, with a script of user actions
// played inside it by the preloaded UI driver.
struct ProgramRun
{
    bool finished = false;  // ended by itself within the time allowed
    bool crashed = false;
    int exitCode = -1;
    QString driverLog;      // one line per step: "ok ...", or "FAIL ..." with the reason
    QString output;         // what the program wrote to stderr (its debug lines)
};

ProgramRun runProgram(const QStringList &script, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                      const QString &program = qEnvironmentVariable("TARVIK_UPDATER"), int timeoutMs = 120000);

#endif
