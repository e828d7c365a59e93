// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "historystore.h"
#include "restoredialog.h"
#include "restoreplan.h"
#include "sorting.h"
#include "tarvikdll.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <cstring>

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

// At the instrument's start: runs a killed program left pending were interrupted, and when the
// last run did not end well the user learns which backup holds the state from before.
void dialog::noticeUnfinishedUpdate()
{
    HistoryStore &store = history();
    QStringList told {store.notice()};
    // An update would say why the history cannot be written; until then the selection stays in front.
    if (!store.markInterrupted(serial()) || !store.importBackups(serial(), familyText(), backupsOf(backupDirectory(), serial())))
        qDebug() << "the history" << historyPath() << "cannot be written:" << store.errorString();
    const QVector<HistoryRun> runs = store.runs(serial());
    const auto last = std::find_if(runs.begin(), runs.end(), [](const HistoryRun &run) { return run.kind != RunKind::BackupTaken; });
    if (last != runs.end() && last->leftUnfinished()) {
        const QString good = lastGoodBackup(runs);
        const auto first = std::find_if(runs.begin(), runs.end(), [&good](const HistoryRun &run) { return run.backup == good; });
        const bool restore = last->kind == RunKind::Restore;
        const QString began = backupTimeText(last->started), taken = backupTimeText(first->started);
        if (QFileInfo::exists(good))
            told << (restore ? tr("The last restore of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.")
                             : tr("The last update of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2."))
                        .arg(began, taken);
        else
            told << (restore ? tr("The last restore of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.")
                             : tr("The last update of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone."))
                        .arg(began, QDir::toNativeSeparators(good), taken);
    }
    told.removeAll(QString());
    if (told.isEmpty())
        return;
    showInFront(told.join("\n\n"));
    offerRestore();
}

void dialog::restoreCalibrations()
{
    const QVector<HistoryRun> runs = history().runs(serial());
    const QString path = RestoreDialog::choose(frontWindow(), serial(), lastGoodBackup(runs), backupNotes(runs));
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
    HistoryRun run;
    run.kind = RunKind::Restore;
    run.source = backupPath;
    run.sourceSha256 = reading.sha256;
    for (int i = 0; i < held.size(); ++i) {
        const auto write = std::find_if(plan.writes.begin(), plan.writes.end(),
                                        [i](const SavedSlot &saved) { return saved.slot == kAmbientSlot + i; });
        const CalibrationBlock after = write == plan.writes.end() ? held.at(i) : write->block;
        run.slotsWritten.append({kAmbientSlot + i, held.at(i), after,
                                 std::memcmp(&after, &held.at(i), sizeof after) == 0 ? tr("Kept as it is") : tr("Restored")});
    }
    if (!beginWriting(held, run))
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
