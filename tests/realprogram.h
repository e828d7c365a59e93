// SPDX-License-Identifier: MIT
#ifndef REALPROGRAM_H
#define REALPROGRAM_H

#include <QFile>
#include <QProcess>
#include <QStringList>

// The real program with the UI driver playing `steps`, its script and log in `dir`, and the
// catalogue from the catalogue_server fixture's Apache. `launcher` (setpriv as another account,
// say) starts `env` with the driver's variables and `environment`, which may override them, and
// `env` starts the program.
// Killed when it goes out of scope.
class RealProgram
{
public:
    RealProgram(const QString &dir, const QByteArray &steps, const QStringList &launcher = {}, const QStringList &environment = {})
        : m_log(dir + "/log")
    {
        QFile script(dir + "/script");
        m_log.remove(); // of a program run here before
        QFile port(qEnvironmentVariable("TARVIK_CATALOGUE_PORT_FILE")); // where the fixture's Apache listens
        if (!script.open(QIODevice::WriteOnly) || script.write(steps) != steps.size() || !script.flush() || !port.open(QIODevice::ReadOnly)) {
            m_failure = "cannot write " + script.fileName().toUtf8() + " or find the catalogue server";
            return;
        }
        const QStringList command = launcher + QStringList("env")
            + QStringList{"TARVIK_UIDRIVER_SCRIPT=" + script.fileName(), "TARVIK_UIDRIVER_LOG=" + m_log.fileName(),
                          "TARVIK_CATALOGUE_SERVER=http://127.0.0.1:" + QString::fromUtf8(port.readAll().trimmed()),
                          "LD_PRELOAD=" + qEnvironmentVariable("TARVIK_UIDRIVER")}
            + environment + QStringList(qEnvironmentVariable("TARVIK_UPDATER"));
        m_process.start(command.first(), command.mid(1));
    }
    ~RealProgram() { m_process.kill(), m_process.waitForFinished(); }

    QProcess &process() { return m_process; }
    // Empty once the program ended with exit code 0; else the driver's log and the program's last errors.
    QByteArray failure()
    {
        if (!m_failure.isEmpty() || (m_process.waitForFinished(120000) && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0))
            return m_failure;
        m_log.open(QIODevice::ReadOnly);
        return m_log.readAll() + m_process.readAllStandardError().right(3000);
    }

private:
    QFile m_log;
    QProcess m_process;
    QByteArray m_failure;
};

#endif
