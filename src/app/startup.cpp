// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace {
// Installs the first of the files that loads; returns its path, or an empty string.
QString installFirstOf(QCoreApplication &app, const QStringList &paths)
{
    // Parented to the application so it lives exactly as long as the texts it serves.
    auto *translator = new QTranslator(&app);
    for (const QString &path : paths) {
        if (translator->load(path)) {
            QCoreApplication::installTranslator(translator);
            return path;
        }
    }
    delete translator;
    return QString();
}
}

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
    return installFirstOf(app, {resources + "/trans_" + languageCode(localeName) + ".qm", resources + "/trans_en.qm"});
}

QString installToolkitTranslation(QCoreApplication &app, const QString &localeName)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString directory = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return installFirstOf(app, {directory + "/qtbase_" + languageCode(localeName) + ".qm"});
}
