// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "ui_dialog.h"

#include "historystore.h"
#include "sorting.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QShortcut>
#include <QSplashScreen>

dialog::dialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::dialog)
{
    // Never the shared temporary directory itself: a file of that name there may be another
    // account's. When the run's directory cannot be made, the name stays empty and every
    // open of it fails.
    tmpCalFile.setFileName(m_runDirectory.filePath("qTRVtmpCalFile.txt"));

    ui->setupUi(this);
    ui->progressBar->hide();
    ui->restoreButton->hide();
    ui->reasonLabel->hide();
    ui->pushButton->setText(tr("Connect"));

    connect(ui->pushButton_2, SIGNAL(clicked()), this, SLOT(fileExit()));
    connect(ui->pushButton, SIGNAL(clicked()), this, SLOT(findTARVIK()));
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &dialog::slotShowAbout);

    sortingDialog = new Sorting(nullptr);
    connect(sortingDialog, SIGNAL(exportItemsChanged(QList<std::pair<QString, QString> >)),
            this, SLOT(updateTARVIK(QList<std::pair<QString, QString> >)));
    connect(sortingDialog, &Sorting::restoreRequested, this, &dialog::restoreCalibrations);
    connect(ui->restoreButton, &QPushButton::clicked, this, &dialog::restoreCalibrations);
    connect(sortingDialog, &Sorting::historyRequested, this, &dialog::showHistory);
    connect(ui->historyButton, &QPushButton::clicked, this, &dialog::showHistory);
    sortingDialog->setConfirmation([this](const CalibrationPairList &chosen) { return confirmWrite(chosen); });

    downloadCalibrations();
}

dialog::~dialog()
{
    delete sortingDialog; // a top-level window of its own, so no parent takes it along
    delete ui;
}

void dialog::showEvent(QShowEvent *event)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *splash = qobject_cast<QSplashScreen *>(window))
            splash->close();
    }
    QDialog::showEvent(event);
}

void dialog::slotShowAbout()
{
    QMessageBox::about(this, tr("About TARVIK Calibration Updater"),
                       tr("TARVIK Calibration Updater %1.\n\nFree software under the MIT licence: you may use, copy, "
                          "change and pass it on, keeping its copyright notice; it comes without any warranty.")
                           .arg(QStringLiteral(TARVIK_VERSION)));
}

void dialog::fileExit()
{
    m_quitRequested = true;
    QCoreApplication::quit();
}

void dialog::showReason(const QString &reason)
{
    ui->reasonLabel->setText(reason);
    ui->reasonLabel->setVisible(!reason.isEmpty());
}
