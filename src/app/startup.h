#ifndef STARTUP_H
#define STARTUP_H

#include <QString>

class QCoreApplication;

// "Resources" beside the executable.
QString resourcesDirectory();

// The first two characters of a locale name such as de_DE.
QString languageCode(const QString &localeName);

// Installs "trans_<code>.qm" from the resources directory, else "trans_en.qm".
// Returns the path of the file installed, or an empty string when none loaded.
QString installTranslation(QCoreApplication &app, const QString &resources, const QString &localeName);

#endif
