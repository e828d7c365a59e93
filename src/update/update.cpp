#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "sorting.h"
#include "tarvikdll.h"
#include "writeplan.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

void dialog::updateTARVIK(QList<std::pair<QString, QString> > chosen)
{
    ui->pushButton->hide();
    ui->progressBar->show();
    ui->label->setText(tr("Updating TARVIK..."));
    sortingDialog->hide();
    show();

    const WritePlan plan = writePlan(chosen);
    if (!plan.isSound()) {
        qDebug() << "nothing written to the instrument:" << plan.refusal;
        finishUpdate(false);
        return;
    }

    m_lastBackup = writeBackup(backupDirectory(), QString::fromUtf8(serialNumber),
                               QDateTime::currentDateTime(), m_slotsRead);
    if (m_lastBackup.isEmpty()) {
        qDebug() << "could not write a backup to" << backupDirectory() << "- nothing written to the instrument";
        finishUpdate(false);
        ui->label->setText(tr("Backup failed: nothing was written."));
        showReason(tr("Could not save the instrument's calibrations to %1.")
                       .arg(QDir::toNativeSeparators(backupDirectory())));
        return;
    }
    qDebug() << "Backup saved to" << m_lastBackup;

    // The ambient step comes first with an empty bar, so the bar never goes backwards.
    announceStep(tr("Updating the ambient calibration."), 0);
    CalibrationBlock ambient = plan.blocks.first();
    bool succeeded = writeSlot(kAmbientSlot, ambient);
    if (!ambientFound)
        qDebug() << "warning, did not find Ambient in TARVIK, filling 10'th slot with EMPTY matrix";

    // After any failed write nothing more is written: the user's set is never half replaced in silence.
    for (int i = 0; succeeded && i < kUserSlotCount; ++i) {
        announceStep(tr("Updating calibration %1.").arg(i), i + 1);
        CalibrationBlock block = plan.blocks.at(1 + i);
        succeeded = writeSlot(kFirstUserSlot + i, block);
    }
    finishUpdate(succeeded);
}

void dialog::announceStep(const QString &text, int progress)
{
    ui->label->setText(text);
    ui->progressBar->setValue(progress);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool dialog::writeSlot(int slot, CalibrationBlock &block)
{
    if (TARVIKloaddevicecal(deviceHandle, slot, &block) != 0) {
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        qDebug() << "writing slot" << slot << "failed";
        return false;
    }
    CalibrationBlock readBack;
    if (TARVIKretrievedevicecal(deviceHandle, slot, &readBack) != 0) {
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        qDebug() << "reading back slot" << slot << "failed";
        return false;
    }
    if (!sameAsInterpreted(readBack, block)) {
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        qDebug() << "slot" << slot << "differs from what was written";
        return false;
    }
    return true;
}

void dialog::finishUpdate(bool succeeded)
{
    TARVIKclose(deviceHandle);
    deviceHandle = 0;
    ui->pushButton->hide();
    ui->progressBar->hide();
    ui->pushButton_2->setEnabled(true);
    if (succeeded) {
        ui->label->setText(tr("Loading calibrations Ok."));
        ui->label_2->setText(tr("Your Quillor TARVIK is up to date."));
        showWhereTheBackupWent();
    } else {
        ui->label->setText(tr("Loading calibrations failed"));
        ui->label_2->setText(tr("Please restart the application!"));
    }
}

// Two more lines between the labels and the buttons, so the user learns where the old set
// went: the folder and the file, each shortened in the middle only when it must be.
void dialog::showWhereTheBackupWent()
{
    auto *backupLine = new QLabel(this);
    backupLine->setObjectName(QStringLiteral("backupLabel"));
    backupLine->setGeometry(ui->label_2->x(), ui->progressBar->y(), ui->label_2->width(), 36);
    const QFileInfo backup(m_lastBackup);
    const QString folder = tr("Backup saved to %1").arg(QDir::toNativeSeparators(backup.path() + '/'));
    const auto fitted = [backupLine](const QString &text) {
        return backupLine->fontMetrics().elidedText(text, Qt::ElideMiddle, backupLine->width());
    };
    backupLine->setText(fitted(folder) + '\n' + fitted(backup.fileName()));
    backupLine->setToolTip(tr("Backup saved to %1").arg(QDir::toNativeSeparators(m_lastBackup)));
    backupLine->show();
}
