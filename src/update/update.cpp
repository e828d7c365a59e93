// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "historystore.h"
#include "previewwindow.h"
#include "sorting.h"
#include "tarvikdll.h"
#include "writeplan.h"
#include "writepreview.h"

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
    HistoryRun run;
    run.kind = RunKind::Update;
    run.source = m_catalogueSource;
    run.sourceSha256 = fileSha256(tmpCalFile.fileName());
    const QVector<PreviewRow> preview = previewWrite(plan, m_slotsRead);
    for (int i = 0; i < m_slotsRead.size(); ++i) {
        QStringList changes;
        for (const PreviewRow &row : preview)
            if (row.slot == kAmbientSlot + i)
                changes << WritePreview::changeText(row);
        run.slotsWritten.append({kAmbientSlot + i, m_slotsRead.at(i), plan.blocks.value(i, emptyCalibrationBlock()),
                                 changes.isEmpty() ? tr("Empty") : changes.join("; ")});
    }
    if (!beginWriting(m_slotsRead, run))
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
// run's pending row in the history; otherwise nothing is written and the window says why.
bool dialog::beginWriting(const QVector<CalibrationBlock> &held, HistoryRun run)
{
    Backup backup {serial(), QDateTime::currentDateTime(), {}};
    for (int i = 0; i < held.size(); ++i)
        backup.savedSlots.append({kAmbientSlot + i, held.at(i)});
    const SavedBackup saved = writeBackup(backupDirectory(), backup);
    m_lastBackup.clear();
    if (!saved.failure.isEmpty()) {
        qDebug() << "could not save to" << backupDirectory() << "-" << saved.failure << "- nothing written to the instrument";
        finishUpdate(false);
        ui->label->setText(tr("Backup failed: nothing was written."));
        showReason(tr("The backup of the TARVIK's calibrations could not be saved to %1 (%2). "
                      "Free some space there or make the folder writable, then try again.")
                       .arg(QDir::toNativeSeparators(backupDirectory()), saved.failure));
        return false;
    }
    qDebug() << "Backup saved to" << saved.path;
    run.serial = serial();
    run.family = familyText();
    run.started = QDateTime::currentDateTimeUtc();
    run.user = systemUserName();
    run.host = QSysInfo::machineHostName();
    run.programVersion = QStringLiteral(TARVIK_VERSION);
    run.backup = saved.path;
    run.backupSha256 = fileSha256(saved.path);
    if (!history().beginRun(run)) {
        qDebug() << "could not record the run in" << historyPath() << "-" << history().errorString();
        finishUpdate(false);
        ui->label->setText(tr("Recording the run failed: nothing was written."));
        showReason(tr("The run could not be recorded in the history %1 (%2). The backup was saved to %3. "
                      "Free some space there or make the folder writable, then try again.")
                       .arg(QDir::toNativeSeparators(historyPath()), history().errorString(),
                            QDir::toNativeSeparators(saved.path)));
        return false;
    }
    m_runId = run.id;
    m_failedSlot = m_failedCode = 0;
    m_lastBackup = saved.path;
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
    m_failedSlot = slot;
    if ((m_failedCode = TARVIKloaddevicecal(deviceHandle, slot, &block)) != 0) {
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        qDebug() << "writing slot" << slot << "failed";
        return false;
    }
    CalibrationBlock readBack;
    if ((m_failedCode = TARVIKretrievedevicecal(deviceHandle, slot, &readBack)) != 0) {
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        qDebug() << "reading back slot" << slot << "failed";
        return false;
    }
    if (!sameAsInterpreted(readBack, block)) {
        m_failedCode = kReadBackDiffers;
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
    // A run whose end cannot be recorded stays pending, and the next start shows it as interrupted.
    QString unrecorded;
    if (m_runId != 0 && !history().finishRun(m_runId, succeeded ? RunState::Ok : RunState::Failed, m_failedSlot, m_failedCode))
        unrecorded = tr("How this run ended could not be recorded in the history %1 (%2).")
                         .arg(QDir::toNativeSeparators(historyPath()), history().errorString());
    m_runId = 0;
    if (succeeded) {
        ui->label->setText(tr("Loading calibrations Ok."));
        ui->label_2->setText(tr("Your Quillor TARVIK is up to date."));
        showReason(QStringList({tr("Backup saved to %1").arg(backup), unrecorded}).join('\n').trimmed());
    } else {
        ui->label->setText(tr("Loading calibrations failed"));
        ui->label_2->setText(tr("Please restart the application!"));
        showReason(QStringList({backup.isEmpty() ? QString() : tr("The calibrations from before are in the backup %1.").arg(backup),
                                unrecorded}).join('\n').trimmed());
        offerRestore();
    }
}
