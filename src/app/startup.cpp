#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

QString resourcesDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + "/Resources";
}

QString languageCode(const QString &localeName)
{
    return localeName.left(2);
}

QString installTranslation(QCoreApplication &app, const QString &resources, const QString &localeName)
{
    // Parented to the application so it lives exactly as long as the texts it serves.
    auto *translator = new QTranslator(&app);
    const QString candidates[] = {resources + "/trans_" + languageCode(localeName) + ".qm",
                                  resources + "/trans_en.qm"};
    for (const QString &path : candidates) {
        if (translator->load(path)) {
            QCoreApplication::installTranslator(translator);
            return path;
        }
    }
    delete translator;
    return QString();
}
