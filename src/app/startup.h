// SPDX-License-Identifier: MIT
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

// Installs the toolkit's own translation ("qtbase_<code>.qm" from where the toolkit keeps its
// translations), so that its dialogs and buttons speak the same language. Returns the path
// installed, or an empty string when there is none for the language.
QString installToolkitTranslation(QCoreApplication &app, const QString &localeName);

#endif
