// SPDX-License-Identifier: MIT
#ifndef PREVIEWWINDOW_H
#define PREVIEWWINDOW_H

#include "writepreview.h"

#include <QDialog>

class QPushButton;

// Shows, slot by slot, what an update will write; "Write" accepts, "Back" rejects.
class WritePreview : public QDialog
{
    Q_OBJECT

public:
    WritePreview(const QVector<PreviewRow> &rows, QWidget *parent);

    // The text of the change column, as the user reads it.
    static QString changeText(const PreviewRow &row);
    // A replacement's numbers before and after, one line each; empty for any other change.
    static QString detailsText(const PreviewRow &row);
};

#endif
