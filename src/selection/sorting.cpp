// SPDX-License-Identifier: MIT
#include "sorting.h"
#include "ui_sorting.h"

#include "tableorder.h"
#include "tarvikdll.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

QTableWidgetItem *newItem(const std::pair<QString, QString> &pair)
{
    auto *item = new QTableWidgetItem(pair.first);
    item->setData(Qt::UserRole, pair.second);
    item->setToolTip(pair.second);
    return item;
}

// Replaces the table's rows by the items, top to bottom.
void putRows(QTableWidget *table, const QVector<QTableWidgetItem *> &items)
{
    table->setRowCount(0); // deletes the items of the earlier fill
    table->setRowCount(int(items.size()));
    for (int row = 0; row < int(items.size()); ++row)
        table->setItem(row, 0, items.at(row));
}

void fillTable(QTableWidget *table, const QList<std::pair<QString, QString> > &pairs)
{
    QVector<QTableWidgetItem *> items;
    items.reserve(int(pairs.size()));
    for (const auto &pair : pairs)
        items.append(newItem(pair));
    putRows(table, items);
}

// True when no row's item compares as less than the item above it, by the comparison
// the table sorts with.
bool inTableOrder(const QVector<QTableWidgetItem *> &items)
{
    for (int row = 1; row < int(items.size()); ++row)
        if (*items.at(row) < *items.at(row - 1))
            return false;
    return true;
}

// An item put into a table that sorts by its column is moved into place at once, which
// moves every row below it. So the table sorts by no column while the rows go in, already
// in its order, and then by the name column again, without sorting them once more when
// its own comparison finds them in order (that sort would compare n log n pairs of
// scattered items). Should the check fail, the table sorts them itself.
// The items are made in row order, so that the check walks memory in order.
void fillSortedTable(QTableWidget *table, const QList<std::pair<QString, QString> > &pairs)
{
    const QVector<int> order = sortedTableOrder(pairs);
    QVector<QTableWidgetItem *> items;
    items.reserve(int(order.size()));
    for (int index : order)
        items.append(newItem(pairs.at(index)));

    QHeaderView *header = table->horizontalHeader();
    const int column = header->sortIndicatorSection();
    const Qt::SortOrder direction = header->sortIndicatorOrder();
    table->setRowCount(0); // so that pointing the sort elsewhere has nothing to sort
    header->setSortIndicator(-1, direction);
    putRows(table, items);
    const QSignalBlocker noSort(inTableOrder(items) ? header : nullptr);
    header->setSortIndicator(column, direction);
}

// Takes the selected items out of the table, removing their rows, and returns
// them in the order of the rows they came from.
QList<QTableWidgetItem *> takeSelectedItems(QTableWidget *from)
{
    QList<int> rows;
    for (QTableWidgetItem *item : from->selectedItems())
        rows.append(from->row(item));
    std::sort(rows.begin(), rows.end());

    QList<QTableWidgetItem *> taken;
    // Highest row first, so the lower row numbers stay valid.
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        taken.prepend(from->takeItem(*row, 0));
        from->removeRow(*row);
    }
    return taken;
}

// The number before the first comma of the description; 0 when there is none.
int sortKey(const QTableWidgetItem *item)
{
    if (!item)
        return 0;
    const QString text = item->data(Qt::UserRole).toString();
    const int comma = int(text.indexOf(QLatin1Char(',')));
    return (comma < 0 ? text : text.left(comma)).toInt(); // no copy for a text without a comma
}

// Swaps the two rows' items and leaves `to` current and selected, so the moved calibration
// keeps the focus.
void moveRow(QTableWidget *table, int from, int to)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem *displaced = table->takeItem(to, column);
        QTableWidgetItem *moved = table->takeItem(from, column);
        table->setItem(from, column, displaced);
        table->setItem(to, column, moved);
    }
    table->setCurrentCell(to, 0, QItemSelectionModel::ClearAndSelect);
}

} // namespace

Sorting::Sorting(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Sorting)
{
    ui->setupUi(this);
    ui->leftOutLabel->hide();

    connect(ui->restore_PBN, &QPushButton::clicked, this, &Sorting::restoreRequested);
    connect(ui->history_PBN, &QPushButton::clicked, this, &Sorting::historyRequested);
    connect(ui->export_add_PBN, SIGNAL(clicked()), this, SLOT(slotMove()));
    connect(ui->export_del_PBN, SIGNAL(clicked()), this, SLOT(slotMove()));
    connect(ui->export_source_TWG, SIGNAL(cellDoubleClicked(int,int)), this, SLOT(slotMove()));
    connect(ui->export_current_TWG, SIGNAL(cellDoubleClicked(int,int)), this, SLOT(slotMove()));
    connect(ui->export_current_TWG, SIGNAL(cellEntered(int,int)), this, SLOT(slotCellEntered(int,int)));
    connect(ui->export_source_TWG, SIGNAL(cellClicked(int,int)), this, SLOT(slotSrcCellClicked(int,int)));
    connect(ui->export_current_TWG, SIGNAL(cellClicked(int,int)), this, SLOT(slotCurCellClicked(int,int)));
    connect(ui->export_current_TWG, SIGNAL(cellPressed(int,int)), this, SLOT(slotCellPressed(int,int)));
    connect(ui->export_source_TWG, SIGNAL(itemSelectionChanged()), this, SLOT(slotEnableButtons()));
    connect(ui->export_current_TWG, SIGNAL(itemSelectionChanged()), this, SLOT(slotEnableButtons()));
    connect(ui->pushButton, SIGNAL(clicked()), this, SLOT(loadButtonPressed()));

    pressed = false;
    // The header's default sort column is shifted past the one column when the form
    // adds it, which would leave the available calibrations unsorted; name them explicitly.
    ui->export_source_TWG->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    ui->export_source_TWG->setSortingEnabled(true);
    ui->export_del_PBN->setEnabled(false);

    // Everything the mouse does, the keyboard does on the current row.
    QTableWidget *source = ui->export_source_TWG, *chosen = ui->export_current_TWG;
    addKeys(source, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Insert}, [this, source] { moveCurrentRow(source); });
    addKeys(chosen, {Qt::Key_Delete}, [this, chosen] { moveCurrentRow(chosen); });
    addKeys(chosen, {QKeySequence(Qt::CTRL | Qt::Key_Up)}, [this] { moveChosenBy(-1); });
    addKeys(chosen, {QKeySequence(Qt::CTRL | Qt::Key_Down)}, [this] { moveChosenBy(1); });
}

void Sorting::addKeys(QTableWidget *table, const QList<QKeySequence> &keys, const std::function<void()> &action)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, table);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    }
}

Sorting::~Sorting()
{
    delete ui;
}

void Sorting::setExportItems(QList<std::pair<QString, QString> > available,
                             QList<std::pair<QString, QString> > current)
{
    setSourceItems(available);
    setCurrentItems(current);
}

void Sorting::setInstrumentLabel(QString text)
{
    ui->label_3->setText(text);
}

void Sorting::showLeftOut(const QStringList &nonFinite, const QStringList &sameFirst19Bytes)
{
    QStringList why;
    if (!nonFinite.isEmpty())
        why << tr("Numbers that are not finite: %1").arg(nonFinite.join(", "));
    if (!sameFirst19Bytes.isEmpty())
        why << tr("The same first 19 bytes as an earlier name: %1").arg(sameFirst19Bytes.join(", "));
    ui->leftOutLabel->setText(tr("%1 catalogue calibrations left out").arg(nonFinite.size() + sameFirst19Bytes.size()));
    ui->leftOutLabel->setToolTip(why.join('\n'));
    ui->leftOutLabel->setVisible(!why.isEmpty());
}

void Sorting::showCatalogueSignature(const QString &keyId)
{
    ui->signatureLabel->setText(keyId.isEmpty() ? tr("Catalogue not signed") : tr("Catalogue signed with key %1").arg(keyId));
}

void Sorting::setSourceItems(const QList<std::pair<QString, QString> > &available)
{
    fillSortedTable(ui->export_source_TWG, available);
    showSourceCount();
}

void Sorting::setCurrentItems(const QList<std::pair<QString, QString> > &current)
{
    fillTable(ui->export_current_TWG, current);
    m_filled = current;
    showCurrentCount();
}

void Sorting::slotMove()
{
    QObject *origin = sender();
    bool add;
    if (auto *button = qobject_cast<QPushButton *>(origin))
        add = button == ui->export_add_PBN;
    else if (auto *table = qobject_cast<QTableWidget *>(origin))
        add = table == ui->export_source_TWG;
    else
        return;

    if (add)
        moveToCurrent(ui->export_source_TWG, ui->export_current_TWG);
    else
        moveToSource(ui->export_current_TWG, ui->export_source_TWG);
}

void Sorting::moveToCurrent(QTableWidget *from, QTableWidget *to)
{
    if (!canAddToCurrent())
        return; // the add button is disabled then; a double-click must not overfill either

    const QList<QTableWidgetItem *> items = takeSelectedItems(from);
    for (QTableWidgetItem *item : items) {
        const int row = to->rowCount();
        to->insertRow(row);
        to->setItem(row, 0, item);
    }
    finishMove(to, items.isEmpty() ? nullptr : items.last());
}

void Sorting::moveToSource(QTableWidget *from, QTableWidget *to)
{
    const QList<QTableWidgetItem *> items = takeSelectedItems(from);
    for (QTableWidgetItem *item : items) {
        const int key = sortKey(item);
        int row = 0;
        while (row < to->rowCount() && sortKey(to->item(row, 0)) <= key)
            ++row;
        to->insertRow(row);
        to->setItem(row, 0, item);
    }
    finishMove(to, items.isEmpty() ? nullptr : items.last());
}

void Sorting::finishMove(QTableWidget *to, QTableWidgetItem *lastMoved)
{
    if (lastMoved)
        to->scrollToItem(lastMoved, QAbstractItemView::EnsureVisible);
    showCurrentCount();
    showSourceCount();
}

void Sorting::slotEnableButtons()
{
    QObject *origin = sender();
    if (origin == ui->export_source_TWG)
        ui->export_add_PBN->setEnabled(canAddToCurrent());
    else if (origin == ui->export_current_TWG)
        ui->export_del_PBN->setEnabled(ui->export_current_TWG->rowCount() > 1);
}

void Sorting::slotSrcCellClicked(int row, int)
{
    ui->export_source_TWG->selectRow(row);
    ui->export_current_TWG->clearSelection();
}

void Sorting::slotCurCellClicked(int row, int)
{
    ui->export_current_TWG->selectRow(row);
    ui->export_source_TWG->clearSelection();
    pressed = false;
}

void Sorting::slotCellPressed(int, int)
{
    pressed = true;
}

// With the button held, the calibration under the mouse follows it one row at a time.
// A jump over more than one row (a fast movement) is ignored until the mouse
// reaches a neighbour of the current row again.
void Sorting::slotCellEntered(int row, int)
{
    if (!pressed)
        return;
    auto *table = qobject_cast<QTableWidget *>(sender());
    if (!table)
        return;
    const int cur = table->currentRow();
    if (cur < 0 || qAbs(cur - row) != 1)
        return;
    moveRow(table, cur, row);
}

// After Tab brings the focus, a table has a current row but no selection; the keys act on that row.
void Sorting::moveCurrentRow(QTableWidget *from)
{
    if (from->currentRow() < 0)
        return;
    from->setCurrentCell(from->currentRow(), 0, QItemSelectionModel::ClearAndSelect);
    if (from == ui->export_source_TWG)
        moveToCurrent(ui->export_source_TWG, ui->export_current_TWG);
    else
        moveToSource(ui->export_current_TWG, ui->export_source_TWG);
}

void Sorting::moveChosenBy(int rows)
{
    QTableWidget *table = ui->export_current_TWG;
    const int row = table->currentRow();
    if (row >= 0 && row + rows >= 0 && row + rows < table->rowCount())
        moveRow(table, row, row + rows);
}

QList<std::pair<QString, QString> > Sorting::chosenPairs() const
{
    QList<std::pair<QString, QString> > set;
    for (int row = 0; row < ui->export_current_TWG->rowCount(); ++row) {
        const QTableWidgetItem *item = ui->export_current_TWG->item(row, 0);
        set.append(std::make_pair(item->text(), item->toolTip()));
    }
    return set;
}

void Sorting::loadButtonPressed()
{
    const QList<std::pair<QString, QString> > set = chosenPairs();
    if (!m_confirm || m_confirm(set))
        emit exportItemsChanged(set);
}

void Sorting::reject()
{
    if (chosenPairs() != m_filled
        // No is the default: a Return pressed by habit must not throw the arrangement away.
        && QMessageBox::question(this, windowTitle(), tr("Discard the arranged calibrations and quit?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return;
    QDialog::reject();
}

bool Sorting::canAddToCurrent() const
{
    return ui->export_current_TWG->rowCount() < kUserSlotCount;
}

void Sorting::showSourceCount()
{
    ui->label->setText(tr("%n available calibrations", nullptr, ui->export_source_TWG->rowCount()));
}

// A set larger than the instrument's user slots can arrive from the instrument
// itself; the user has to choose what to drop, so Update waits until it fits.
void Sorting::showCurrentCount()
{
    const int n = ui->export_current_TWG->rowCount();
    // The warning is twice as long as the usual line; wrapping it keeps the window's width.
    ui->label_2->setWordWrap(n > kUserSlotCount);
    if (n > kUserSlotCount)
        ui->label_2->setText(
            tr("%1 calibrations in TARVIK, %n too many: remove %n before updating", nullptr, n - kUserSlotCount).arg(n));
    else
        ui->label_2->setText(tr("%n calibrations in TARVIK, %1 free", nullptr, n).arg(kUserSlotCount - n));
    ui->export_add_PBN->setEnabled(canAddToCurrent());
    ui->pushButton->setEnabled(n <= kUserSlotCount);
}
