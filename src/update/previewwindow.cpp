// SPDX-License-Identifier: MIT
#include "previewwindow.h"

#include "tarvikdll.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstring>

namespace {
QString text(const char *source) { return QCoreApplication::translate("dialog", source); }

// Which of the numbers the instrument uses differ, each with its value before and after.
QString differences(const CalibrationBlock &before, const CalibrationBlock &after)
{
    QStringList changed;
    if (std::memcmp(&before.absIntensityCal, &after.absIntensityCal, sizeof before.absIntensityCal) != 0)
        changed << text("intensity %1 → %2").arg(before.absIntensityCal).arg(after.absIntensityCal);
    if (std::memcmp(before.xCal, after.xCal, sizeof before.xCal + sizeof before.yCal + sizeof before.zCal) != 0)
        changed << text("matrix");
    if (baseCalibrationIndex(before) != baseCalibrationIndex(after))
        changed << text("base #%1 → #%2").arg(baseCalibrationIndex(before)).arg(baseCalibrationIndex(after));
    return changed.join(QStringLiteral(", "));
}

QString numbers(const CalibrationBlock &block)
{
    QStringList matrix;
    for (const float *row : {block.xCal, block.yCal, block.zCal})
        matrix << QStringLiteral("%1 %2 %3").arg(row[0]).arg(row[1]).arg(row[2]);
    return text("intensity %1, matrix %2, base #%3")
        .arg(block.absIntensityCal)
        .arg(matrix.join(QStringLiteral(" / ")))
        .arg(baseCalibrationIndex(block));
}
}

QString WritePreview::detailsText(const PreviewRow &row)
{
    if (row.change != SlotChange::Replaced)
        return QString();
    return text("%1 before: %2\n%1 after: %3").arg(row.name, numbers(row.before), numbers(row.after));
}

QString WritePreview::changeText(const PreviewRow &row)
{
    switch (row.change) {
    case SlotChange::Ambient:
        return row.name.isEmpty() ? text("No ambient calibration: the slot is emptied") : text("Ambient calibration");
    case SlotChange::Kept:
        return row.moved() ? text("Moved from slot %1").arg(row.fromSlot) : text("Kept as it is");
    case SlotChange::Added:
        return text("Added from the catalogue");
    case SlotChange::Replaced:
        return row.moved() ? text("Moved from slot %1 and replaced by the catalogue's numbers: %2")
                                 .arg(row.fromSlot)
                                 .arg(differences(row.before, row.after))
                           : text("Replaced by the catalogue's numbers: %1").arg(differences(row.before, row.after));
    case SlotChange::Removed:
        return text("Removed from the TARVIK");
    }
    return QString();
}

WritePreview::WritePreview(const QVector<PreviewRow> &rows, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WritePreview"));
    setWindowTitle(text("Quillor TARVIK Calibration Updater"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text("The TARVIK will be written as follows:"), this));

    auto *table = new QTableWidget(int(rows.size()), 3, this);
    table->setObjectName(QStringLiteral("previewTable"));
    table->setAccessibleName(text("Changes to the TARVIK"));
    table->setHorizontalHeaderLabels({text("Slot"), text("Calibration"), text("Change")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    for (int i = 0; i < int(rows.size()); ++i) {
        const PreviewRow &row = rows.at(i);
        table->setItem(i, 0, new QTableWidgetItem(QString::number(row.slot)));
        table->setItem(i, 1, new QTableWidgetItem(row.name));
        auto *change = new QTableWidgetItem(changeText(row));
        // In full where the column cuts it, with a replacement's numbers.
        change->setToolTip((change->text() + '\n' + detailsText(row)).trimmed());
        change->setData(Qt::AccessibleDescriptionRole, detailsText(row));
        table->setItem(i, 2, change);
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);

    // The current row's numbers before and after, for keyboard users too. Not focusable: it is
    // empty on most rows, and the cell's description gives a screen reader the same.
    auto *details = new QLabel(this);
    details->setObjectName(QStringLiteral("previewDetails"));
    connect(table, &QTableWidget::currentCellChanged, details,
            [details, rows](int row) { details->setText(row < 0 ? QString() : detailsText(rows.at(row))); });
    layout->addWidget(details);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *write = buttons->addButton(text("&Write"), QDialogButtonBox::AcceptRole);
    QPushButton *back = buttons->addButton(text("&Back"), QDialogButtonBox::RejectRole);
    write->setObjectName(QStringLiteral("writeButton"));
    back->setObjectName(QStringLiteral("backButton"));
    write->setAccessibleName(text("Write to the TARVIK"));
    back->setAccessibleName(text("Back to the arrangement"));
    write->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 520); // wide enough for a replacement's numbers before and after
}
