#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "durablefile.h"
#include "unfinishedupdate.h"
#include "sorting.h"
#include "tarvikdll.h"
#include "writeplan.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

void dialog::startWriting()
{
    ui->pushButton->hide();
    ui->restoreButton->hide();
    showReason(QString());
    ui->progressBar->show();
    ui->label->setText(tr("Updating TARVIK..."));
    sortingDialog->hide();
    show();
}

void dialog::updateTARVIK(QList<std::pair<QString, QString> > chosen)
{
    startWriting();
    const WritePlan plan = writePlan(chosen);
    if (!plan.isSound()) {
        qDebug() << "nothing written to the instrument:" << plan.refusal;
        finishUpdate(false);
        return;
    }
    if (!beginWriting(m_slotsRead))
        return;

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

// Before the first write, what the instrument holds is known to be on disk, and so is the
// note that an update of it began; otherwise nothing is written and the window says why.
bool dialog::beginWriting(const QVector<CalibrationBlock> &held)
{
    Backup backup {serial(), QDateTime::currentDateTime(), {}};
    for (int i = 0; i < held.size(); ++i)
        backup.savedSlots.append({kAmbientSlot + i, held.at(i)});
    const SavedBackup saved = writeBackup(backupDirectory(), backup);
    QString folder = backupDirectory();
    QString failure = saved.failure;
    if (failure.isEmpty()) {
        folder = QFileInfo(unfinishedUpdatePath(serial())).path();
        failure = saveDurably(unfinishedUpdatePath(serial()),
                              formatUnfinishedUpdate({QDateTime::currentDateTime(), saved.path, backup.time}));
    }
    if (!failure.isEmpty()) {
        qDebug() << "could not save to" << folder << "-" << failure << "- nothing written to the instrument";
        m_lastBackup.clear();
        finishUpdate(false);
        ui->label->setText(tr("Backup failed: nothing was written."));
        showReason((saved.failure.isEmpty() ? tr("Could not save the instrument's calibrations to %1 (%2).")
                                            : tr("The backup of the TARVIK's calibrations could not be saved to %1 (%2). "
                                                 "Free some space there or make the folder writable, then try again."))
                       .arg(QDir::toNativeSeparators(folder), failure));
        return false;
    }
    m_lastBackup = saved.path;
    qDebug() << "Backup saved to" << m_lastBackup;
    return true;
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
    const QString backup = QDir::toNativeSeparators(m_lastBackup);
    if (succeeded) {
        if (!QFile::remove(unfinishedUpdatePath(serial())))
            qDebug() << "could not remove" << unfinishedUpdatePath(serial());
        ui->label->setText(tr("Loading calibrations Ok."));
        ui->label_2->setText(tr("Your Quillor TARVIK is up to date."));
        showReason(tr("Backup saved to %1").arg(backup));
    } else {
        ui->label->setText(tr("Loading calibrations failed"));
        ui->label_2->setText(tr("Please restart the application!"));
        showReason(backup.isEmpty() ? QString() : tr("The calibrations from before are in the backup %1.").arg(backup));
        offerRestore();
    }
}
