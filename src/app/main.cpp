// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>
#include <QSplashScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the application data directory where backups go, whatever the binary is called.
    QCoreApplication::setApplicationName(QStringLiteral("tarvik-calibration-updater"));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/tarvik-calibration-updater.png")));
    const QString resources = resourcesDirectory();
    const QString localeName = QLocale::system().name();
    QLocale::setDefault(QLocale(languageCode(localeName)));
    installTranslation(app, resources, localeName);
    installToolkitTranslation(app, localeName);

    QSplashScreen splash(QPixmap(resources + "/splash.png"));
    splash.show();

    dialog mainWindow;
    if (!mainWindow.catalogueChosen())
        return 0; // the user declined to pick a local catalogue
    // The splash stays up while the instrument is opened; the main window closes it when it
    // first appears, so the screen is never empty in between.
    if (!mainWindow.findTARVIK())
        mainWindow.show();
    if (mainWindow.quitRequested())
        return 0; // before the event loop, where the toolkit's own quit would be lost
    return app.exec();
}
