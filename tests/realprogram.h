#ifndef REALPROGRAM_H
#define REALPROGRAM_H

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStringList>

// The catalogue_server fixture's Apache, on the port it picked; empty when it is not running.
inline QString fixtureCatalogueServer()
{
    QFile port(qEnvironmentVariable("TARVIK_CATALOGUE_PORT_FILE"));
    return port.open(QIODevice::ReadOnly) ? "http://127.0.0.1:" + QString::fromUtf8(port.readAll().trimmed()) : QString();
}

// Runs the real program with the UI driver playing `steps`, its script and log in `dir`, and
// the catalogue from the catalogue_server fixture's Apache. `launcher` (setpriv as another
// account, say) starts `env` with `environment` and the driver's variables, which starts the
// program. Empty when the program ended with exit code 0; else the driver's log and the
// program's last errors.
inline QByteArray failureOfRealProgram(const QString &dir, const QByteArray &steps, const QStringList &launcher = {},
                                       const QStringList &environment = {})
{
    QFile script(dir + "/script"), log(dir + "/log");
    const QString server = fixtureCatalogueServer();
    if (!script.open(QIODevice::WriteOnly) || script.write(steps) != steps.size() || server.isEmpty())
        return "cannot write " + script.fileName().toUtf8() + " or find the catalogue server";
    script.close();
    const QStringList command = launcher + QStringList("env") + environment
        + QStringList{"TARVIK_UIDRIVER_SCRIPT=" + script.fileName(), "TARVIK_UIDRIVER_LOG=" + log.fileName(),
                      "TARVIK_CATALOGUE_SERVER=" + server,
                      "LD_PRELOAD=" + qEnvironmentVariable("TARVIK_UIDRIVER"), qEnvironmentVariable("TARVIK_UPDATER")};
    QProcess program;
    program.start(command.first(), command.mid(1));
    const auto stop = qScopeGuard([&] { program.kill(); program.waitForFinished(); });
    if (program.waitForFinished(120000) && program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0)
        return {};
    log.open(QIODevice::ReadOnly);
    return log.readAll() + program.readAllStandardError().right(3000);
}

#endif
