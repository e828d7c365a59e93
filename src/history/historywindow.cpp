// SPDX-License-Identifier: MIT
#include "historywindow.h"

#include "durablefile.h"
#include "historyreport.h"
#include "historystore.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

// The run list asks for the rows it shows only, so that ten thousand runs open at once.
class RunListModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRuns(QVector<HistoryRun> runs)
    {
        beginResetModel();
        m_runs = std::move(runs);
        endResetModel();
    }
    const HistoryRun &run(int row) const { return m_runs.at(row); }
    const QVector<HistoryRun> &runs() const { return m_runs; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : int(m_runs.size()); }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : 6; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return QVariant();
        const HistoryRun &run = m_runs.at(index.row());
        switch (index.column()) {
        case 0:
            return backupTimeText(run.started);
        case 1:
            return run.serial;
        case 2:
            return runKindText(run.kind);
        case 3:
            return run.user;
        case 4:
            return QDir::toNativeSeparators(run.kind == RunKind::BackupTaken ? run.backup : run.source);
        default:
            return runVerdictText(run);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        const QStringList heads {HistoryWindow::tr("Time"), HistoryWindow::tr("TARVIK"), HistoryWindow::tr("Kind"),
                                 HistoryWindow::tr("User"), HistoryWindow::tr("Source"), HistoryWindow::tr("State")};
        return heads.value(section);
    }

private:
    QVector<HistoryRun> m_runs;
};

namespace {
enum SlotColumn { SlotNumber, Name, Intensity, Matrix, Base, ColumnsPerSide = 4, Change = 9 };

QString columnText(const CalibrationBlock &block, int column)
{
    switch (column) {
    case Name:
        return historyName(block);
    case Intensity:
        return historyNumber(block.absIntensityCal);
    case Matrix:
        return historyMatrixText(block);
    default:
        return QString::number(baseCalibrationIndex(block));
    }
}

QPushButton *button(const QString &text, const QString &name, const QString &accessibleName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(accessibleName);
    b->setAutoDefault(false);
    return b;
}
}

HistoryWindow::HistoryWindow(HistoryStore &store, const QString &serial, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_serial(serial)
    , m_intro(new QLabel(this))
    , m_everyInstrument(new QCheckBox(tr("Show &every TARVIK"), this))
    , m_runList(new QTableView(this))
    , m_model(new RunListModel(this))
    , m_slotTable(new QTableWidget(0, 10, this))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(tr("History"));
    m_intro->setWordWrap(true);
    m_intro->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_everyInstrument->setObjectName(QStringLiteral("everyInstrumentCheck"));
    m_everyInstrument->setAccessibleName(tr("Show the runs of every TARVIK"));
    m_everyInstrument->setChecked(serial.isEmpty());
    m_everyInstrument->setEnabled(!serial.isEmpty());

    m_runList->setObjectName(QStringLiteral("runList"));
    m_runList->setAccessibleName(tr("Runs, newest first"));
    m_runList->setModel(m_model);
    m_runList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_runList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_runList->setTabKeyNavigation(false);
    m_runList->verticalHeader()->hide();
    m_runList->horizontalHeader()->setStretchLastSection(true);
    m_runList->setWordWrap(false);

    m_slotTable->setObjectName(QStringLiteral("slotTable"));
    m_slotTable->setAccessibleName(tr("Slots before and after the chosen run"));
    m_slotTable->setHorizontalHeaderLabels(historySlotHeaders());
    m_slotTable->verticalHeader()->hide();
    m_slotTable->horizontalHeader()->setStretchLastSection(true);
    m_slotTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_slotTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_slotTable->setTabKeyNavigation(false);

    m_restore = button(tr("&Restore the state before this run\u2026"), QStringLiteral("restoreBeforeButton"),
                       tr("Restore the state before this run"), this);
    m_exportCsv = button(tr("Export &CSV\u2026"), QStringLiteral("exportCsvButton"), tr("Export the listed runs as CSV"), this);
    m_exportPdf = button(tr("Export &PDF\u2026"), QStringLiteral("exportPdfButton"), tr("Export the record of this run as PDF"), this);
    m_restore->setVisible(!serial.isEmpty());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setText(tr("Close"));
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAccessibleName(tr("Close the history"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_restore, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_exportCsv, &QPushButton::clicked, this, &HistoryWindow::exportCsv);
    connect(m_exportPdf, &QPushButton::clicked, this, &HistoryWindow::exportPdf);
    connect(m_everyInstrument, &QCheckBox::toggled, this, &HistoryWindow::listRuns);
    connect(m_runList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showRun(current.row()); });

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_runList);
    splitter->addWidget(m_slotTable);
    auto *row = new QHBoxLayout;
    row->addWidget(m_everyInstrument);
    row->addStretch();
    row->addWidget(m_restore);
    row->addWidget(m_exportCsv);
    row->addWidget(m_exportPdf);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addWidget(splitter, 1);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setTabOrder(m_runList, m_slotTable);
    setTabOrder(m_slotTable, m_everyInstrument);
    setTabOrder(m_everyInstrument, m_restore);
    setTabOrder(m_restore, m_exportCsv);
    setTabOrder(m_exportCsv, m_exportPdf);
    setTabOrder(m_exportPdf, close);
    resize(980, 680);
    listRuns();
    m_runList->setFocus();
}

void HistoryWindow::listRuns()
{
    const bool every = m_everyInstrument->isChecked();
    m_model->setRuns(m_store.runs(every ? QString() : m_serial));
    m_runList->setColumnHidden(1, !every);
    QStringList intro {every ? tr("The runs of every TARVIK, newest first.") : tr("The runs of the TARVIK %1, newest first.").arg(m_serial),
                       m_store.notice()};
    if (m_model->runs().isEmpty() && !m_store.errorString().isEmpty())
        intro << tr("The history cannot be read: %1").arg(m_store.errorString());
    intro.removeAll(QString());
    m_intro->setText(intro.join(' '));
    for (int column = 0; column < 4; ++column)
        m_runList->setColumnWidth(column, column == 0 ? 150 : 110);
    m_runList->setColumnWidth(4, 300);
    if (m_model->rowCount() > 0)
        m_runList->setCurrentIndex(m_model->index(0, 0));
    else
        showRun(-1);
}

void HistoryWindow::showRun(int row)
{
    m_shown = row < 0 ? HistoryRun() : m_store.run(m_model->run(row).id);
    m_slotTable->setRowCount(int(m_shown.slotsWritten.size()));
    for (int i = 0; i < int(m_shown.slotsWritten.size()); ++i) {
        const HistorySlot &slot = m_shown.slotsWritten.at(i);
        m_slotTable->setItem(i, SlotNumber, new QTableWidgetItem(QString::number(slot.slot)));
        for (int column = Name; column <= Base; ++column) {
            const QString before = columnText(slot.before, column), after = columnText(slot.after, column);
            auto *left = new QTableWidgetItem(before), *right = new QTableWidgetItem(after);
            if (before != after) {
                // Marked in more than colour, for every eye and for a screen reader.
                QFont bold = right->font();
                bold.setBold(true);
                right->setFont(bold);
                right->setBackground(QColor(255, 236, 170));
                right->setForeground(Qt::black);
                right->setData(Qt::AccessibleDescriptionRole, tr("changed"));
            }
            m_slotTable->setItem(i, column, left);
            m_slotTable->setItem(i, column + ColumnsPerSide, right);
        }
        m_slotTable->setItem(i, Change, new QTableWidgetItem(slot.change));
    }
    m_slotTable->resizeColumnsToContents();
    m_slotTable->resizeRowsToContents();
    const bool own = !m_serial.isEmpty() && m_shown.serial == m_serial;
    m_restore->setEnabled(own && !m_store.isReadOnly() && QFileInfo::exists(m_shown.backup));
    m_restore->setToolTip(own && !QFileInfo::exists(m_shown.backup)
                              ? tr("The backup %1 is gone.").arg(QDir::toNativeSeparators(m_shown.backup)) : QString());
    m_exportPdf->setEnabled(m_shown.id != 0);
    m_exportCsv->setEnabled(m_model->rowCount() > 0);
}

void HistoryWindow::exportCsv()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the history as CSV"),
                                                      QDir::home().filePath(QStringLiteral("tarvik-history.csv")),
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QVector<HistoryRun> runs;
    for (const HistoryRun &run : m_model->runs())
        runs.append(m_store.run(run.id));
    const QString failure = saveDurably(path, formatHistoryCsv(runs));
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Export failed"), tr("The history could not be written to %1 (%2). Choose another folder.")
                                                            .arg(QDir::toNativeSeparators(path), failure));
}

void HistoryWindow::exportPdf()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the record of this run as PDF"),
                                                      QDir::home().filePath(QStringLiteral("tarvik-run-%1.pdf").arg(m_shown.id)),
                                                      tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString failure = writeHistoryReport(m_shown, path);
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Export failed"), tr("The record could not be written to %1 (%2). Choose another folder.")
                                                            .arg(QDir::toNativeSeparators(path), failure));
}
