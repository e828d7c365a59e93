// SPDX-License-Identifier: MIT
#ifndef HISTORYWINDOW_H
#define HISTORYWINDOW_H

#include "historyrun.h"

#include <QDialog>
#include <QVector>

class HistoryStore;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class RunListModel;

// The runs on record, newest first: this instrument's, or every instrument's; for the chosen
// one its slots before and after. Accepted when the user asked to restore the state before a
// run; backupToRestore() then names the backup.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    // Without a serial every instrument's runs are shown and nothing can be restored.
    HistoryWindow(HistoryStore &store, const QString &serial, QWidget *parent = nullptr);

    QString backupToRestore() const { return m_shown.backup; }

private:
    void listRuns();
    void showRun(int row);
    void exportCsv();
    void exportPdf();

    HistoryStore &m_store;
    QString m_serial;
    HistoryRun m_shown;
    QLabel *m_intro;
    QCheckBox *m_everyInstrument;
    QTableView *m_runList;
    RunListModel *m_model;
    QTableWidget *m_slotTable;
    QPushButton *m_restore;
    QPushButton *m_exportCsv;
    QPushButton *m_exportPdf;
};

#endif
