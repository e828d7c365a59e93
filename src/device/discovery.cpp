// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "ui_dialog.h"

#include "backup.h"
#include "tarvikdll.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cstring>

bool dialog::findTARVIK()
{
    ambientFound = false;
    // A retry after a failed attempt starts afresh, so nothing is listed twice.
    rgbbluFound = false;
    gbrledFound = false;
    instrumentCalibrations.clear();
    catalogueCalibrations.clear();
    addableCalibrations.clear();
    m_slotsRead.clear();
    m_leftOut = {};
    showReason(QString());

    // The file the last attempt could not read would fail the same way again.
    if (m_catalogueFailed) {
        m_catalogueFailed = false;
        downloadCalibrations();
        if (!m_catalogueChosen) {
            m_catalogueChosen = m_catalogueFailed = true;
            showReason(tr("No calibration catalogue was chosen."));
            return false;
        }
    }

    // Without the whole catalogue nothing may be offered for writing.
    if (!m_catalogueStored) {
        ui->label->setText(tr("Could not store the calibration catalogue."));
        ui->label_2->setText(tr("Nothing was written to the TARVIK."));
        return false;
    }

    const std::int32_t opened = TARVIKopen(&deviceHandle, 1);
    if (opened == kTarvikNotFound) {
        ui->label->setText(tr("No Quillor TARVIK found."));
        return false;
    }
    if (opened < 0) {
        showConnectionError(opened == kTarvikInUse);
        TARVIKclose(deviceHandle);
        deviceHandle = 0;
        return false;
    }
    ui->label->setText(tr("Found Quillor TARVIK:"));

    if (TARVIKgetserial(deviceHandle, serialNumber) != 0) {
        serialNumber[0] = '\0';
        ui->label->setText(tr("Communication error with Quillor TARVIK."));
        TARVIKclose(deviceHandle);
        deviceHandle = 0;
        return false;
    }
    // The library promises a terminating zero; a serial without one is shown cut, not overread.
    serialNumber[sizeof serialNumber - 1] = '\0';
    ui->label_2->setText(tr("Serial: %1").arg(QString::fromUtf8(serialNumber)));
    if (!lockInstrument()) {
        showConnectionError(true);
        TARVIKclose(deviceHandle);
        deviceHandle = 0;
        return false;
    }

    // Reading takes seconds on a slow instrument, so the window stays up with its progress.
    // Connect goes meanwhile: the events let in between the slots must not start a second discovery.
    ui->pushButton->hide();
    const int writeMaximum = ui->progressBar->maximum();
    ui->progressBar->setMaximum(kReadSlotCount);
    ui->progressBar->show();
    show();
    const int readResult = getCalInternal();
    ui->progressBar->hide();
    ui->progressBar->setMaximum(writeMaximum);
    ui->label->setText(tr("Found Quillor TARVIK:"));
    ui->pushButton->show();
    // A Quit pressed while reading ends the program once the reading is over, as during writing.
    if (readResult != 0 || (!m_restoreOnly && getCalFromFile() != 0) || m_quitRequested) {
        TARVIKclose(deviceHandle);
        deviceHandle = 0;
        offerRestore();
        return false;
    }
    if (m_restoreOnly) {
        showInFront(QString());
        offerRestore();
        QMetaObject::invokeMethod(this, &dialog::restoreCalibrations, Qt::QueuedConnection);
    } else {
        hide();
        showSorting();
    }
    noticeUnfinishedUpdate();
    return true;
}

// Another program's hold on the instrument is a reason of its own, too long for the headline.
void dialog::showConnectionError(bool inUse)
{
    ui->label->setText(tr("Error while connecting to Quillor TARVIK."));
    showReason(inUse ? tr("The TARVIK is in use by another TARVIK Calibration Updater.") : QString());
}

// Stale locks, of programs that died, are taken over. A folder that cannot hold a lock
// leaves the instrument unguarded rather than unusable: the backup will say why it fails.
bool dialog::lockInstrument()
{
    m_instrumentLock.reset(); // a retry of this program, for this or another instrument
    const QString path = instrumentLockPath(serial());
    QDir().mkpath(QFileInfo(path).path());
    m_instrumentLock.reset(new QLockFile(path));
    m_instrumentLock->setStaleLockTime(0);
    return m_instrumentLock->tryLock(0) || m_instrumentLock->error() != QLockFile::LockFailedError;
}
