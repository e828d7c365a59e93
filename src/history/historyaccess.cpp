// SPDX-License-Identifier: MIT
#include "dialog.h"

#include "historystore.h"
#include "historywindow.h"

// Opened at first use, so that it lies in the data folder of the account and the moment.
HistoryStore &dialog::history()
{
    if (!m_history)
        m_history.reset(new HistoryStore(historyPath()));
    return *m_history;
}

QString dialog::familyText() const
{
    if (rgbbluFound && gbrledFound)
        return QStringLiteral("RGBBLU, GBRLED");
    if (rgbbluFound || gbrledFound)
        return QLatin1String(rgbbluFound ? "RGBBLU" : "GBRLED");
    return tr("none found");
}

void dialog::showHistory()
{
    HistoryWindow window(history(), serial(), frontWindow());
    if (window.exec() == QDialog::Accepted)
        restoreFrom(window.backupToRestore());
}
