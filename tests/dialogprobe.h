// SPDX-License-Identifier: MIT
#ifndef DIALOGPROBE_H
#define DIALOGPROBE_H

#include "dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

// Lets the tests look into the main window the way its own operations do.
class DialogProbe
{
public:
    explicit DialogProbe(dialog &w) : d(w) {}

    QLabel *label() const { return d.findChild<QLabel *>("label"); }
    QLabel *label2() const { return d.findChild<QLabel *>("label_2"); }
    // The shown reason of a failure, empty when none is shown.
    QString reason() const
    {
        const QLabel *l = d.findChild<QLabel *>("reasonLabel");
        return l->isHidden() ? QString() : l->text();
    }
    QPushButton *connectButton() const { return d.findChild<QPushButton *>("pushButton"); }
    QPushButton *quitButton() const { return d.findChild<QPushButton *>("pushButton_2"); }
    QPushButton *restoreButton() const { return d.findChild<QPushButton *>("restoreButton"); }
    QProgressBar *progressBar() const { return d.findChild<QProgressBar *>("progressBar"); }

    Sorting *sorting() const { return d.sortingDialog; }
    std::int32_t deviceHandle() const { return d.deviceHandle; }
    bool ambientFound() const { return d.ambientFound; }
    const CalibrationBlock &ambientBlock() const { return d.ambientBlock; }
    const CalibrationList &instrument() const { return d.instrumentCalibrations; }
    int networkError() const { return d.networkError; }
    QString lastBackup() const { return d.m_lastBackup; }
    QString tmpCalFileName() const { return d.tmpCalFile.fileName(); }

    bool findTARVIK() { return d.findTARVIK(); }
    void updateTARVIK(const CalibrationPairList &chosen) { d.updateTARVIK(chosen); }
    bool restoreFrom(const QString &backupPath) { return d.restoreFrom(backupPath); }

private:
    dialog &d;
};

#endif
