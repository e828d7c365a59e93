#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "restoredialog.h"
#include "restoreplan.h"
#include "smallfile.h"
#include "sorting.h"
#include "tarvikdll.h"
#include "unfinishedupdate.h"

#include <QDebug>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include <cstring>

namespace {
UnfinishedUpdate unfinishedUpdateOf(const QString &serial)
{
    const SmallFile file = readSmallRegularFile(unfinishedUpdatePath(serial), 4096);
    return file.ok() ? readUnfinishedUpdate(file.bytes) : UnfinishedUpdate();
}
}

// Restore's windows open over the window the user is looking at.
QWidget *dialog::frontWindow()
{
    return sortingDialog->isVisible() ? static_cast<QWidget *>(sortingDialog) : this;
}

void dialog::offerRestore()
{
    ui->restoreButton->setVisible(!backupsOf(backupDirectory(), serial()).isEmpty());
}

void dialog::showInFront(const QString &reason)
{
    show();
    raise();
    activateWindow();
    if (deviceHandle != 0)
        ui->pushButton->hide(); // no second discovery of an open instrument
    showReason(reason);
}

void dialog::noticeUnfinishedUpdate()
{
    const UnfinishedUpdate unfinished = unfinishedUpdateOf(serial());
    if (!unfinished.isValid())
        return;
    showInFront(tr("The last update of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.")
                    .arg(backupTimeText(unfinished.began), backupTimeText(unfinished.backupTime)));
    offerRestore();
}

void dialog::restoreCalibrations()
{
    const QString path = RestoreDialog::choose(frontWindow(), serial(), unfinishedUpdateOf(serial()).backupPath);
    if (!path.isEmpty())
        restoreFrom(path);
}

bool dialog::restoreFrom(const QString &backupPath)
{
    const BackupReading reading = readBackupFile(backupPath);
    if (!reading.ok()) {
        showInFront(tr("%1 cannot be restored: %2").arg(QDir::toNativeSeparators(backupPath), reading.failure));
        return false;
    }
    const RestorePlan plan = planRestore(reading.backup, serial());
    if (!plan.isSound()) {
        showInFront(plan.refusal);
        return false;
    }
    QMessageBox confirm(QMessageBox::Question, tr("Restore calibrations"),
                        tr("Every calibration of the TARVIK %1 in slots 9 to 37 will be replaced by the backup of %2: %3. "
                           "What the TARVIK holds now is backed up first.")
                            .arg(serial(), backupTimeText(reading.backup.time), backupNames(reading.backup).join(", ")),
                        QMessageBox::Ok | QMessageBox::Cancel, frontWindow());
    confirm.button(QMessageBox::Ok)->setText(tr("Restore"));
    confirm.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    confirm.setDefaultButton(QMessageBox::Ok);
    if (confirm.exec() != QMessageBox::Ok || (deviceHandle == 0 && !reopenInstrument()))
        return false;

    startWriting();
    const QVector<CalibrationBlock> held = readHeldSlots();
    if (held.isEmpty()) {
        finishUpdate(false);
        return false;
    }
    if (!beginWriting(held))
        return false;
    bool succeeded = true;
    for (int i = 0; succeeded && i < plan.writes.size(); ++i) {
        // 29 steps, so the bar ends where an update's does
        announceStep(tr("Restoring slot %1.").arg(plan.writes.at(i).slot), i);
        CalibrationBlock block = plan.writes.at(i).block;
        succeeded = writeSlot(plan.writes.at(i).slot, block);
    }
    finishUpdate(succeeded);
    return succeeded;
}

// After an update the instrument is closed; Restore opens it again, and only the same one.
bool dialog::reopenInstrument()
{
    char found[kSerialNumberSize + 1] = {};
    const std::int32_t opened = TARVIKopen(&deviceHandle, 1);
    const bool same = opened >= 0 && TARVIKgetserial(deviceHandle, found) == 0 && QString::fromUtf8(found) == serial();
    if (same)
        return true;
    if (opened == kTarvikInUse)
        showConnectionError(true);
    else
        ui->label->setText(opened == kTarvikNotFound ? tr("No Quillor TARVIK found.")
                                                     : tr("Communication error with Quillor TARVIK."));
    if (opened >= 0) {
        TARVIKclose(deviceHandle);
        if (found[0] != '\0')
            showReason(tr("The TARVIK attached now is %1, not %2: nothing was written.").arg(QString::fromUtf8(found), serial()));
    }
    deviceHandle = 0;
    return false;
}

QVector<CalibrationBlock> dialog::readHeldSlots()
{
    QVector<CalibrationBlock> held(kLastSlot - kAmbientSlot + 1);
    for (int i = 0; i < held.size(); ++i) {
        if (TARVIKretrievedevicecal(deviceHandle, kAmbientSlot + i, &held[i]) != 0) {
            ui->label->setText(tr("Communication error with Quillor TARVIK."));
            return {};
        }
    }
    return held;
}
