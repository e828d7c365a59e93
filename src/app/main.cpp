#include "dialog.h"
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>
#include <QSplashScreen>

int main(int argc, char *argv[])
{
    // Scaled to the screen's pixel density by the exact factor with either Qt: Qt 6 always
    // scales this way, Qt 5 only when asked to.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#endif
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    // Names the application data directory where backups go, whatever the binary is called.
    QCoreApplication::setApplicationName(QStringLiteral("tarvik-calibration-updater"));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/tarvik-calibration-updater.png")));
    const QString resources = resourcesDirectory();
    const QString localeName = QLocale::system().name();
    QLocale::setDefault(QLocale(languageCode(localeName)));
    installTranslation(app, resources, localeName);

    QSplashScreen splash(QPixmap(resources + "/splash.png"));
    splash.show();
    app.processEvents();

    dialog mainWindow;
    if (!mainWindow.catalogueChosen())
        return 0; // the user declined to pick a local catalogue
    splash.finish(&mainWindow);
    if (!mainWindow.findTARVIK())
        mainWindow.show();
    return app.exec();
}
