#include "dialog.h"
#include "ui_dialog.h"

#include "tarvikdll.h"

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
        ui->label->setText(tr("Error while connecting to Quillor TARVIK."));
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

    hide();
    if (getCalInternal() != 0 || getCalFromFile() != 0) {
        TARVIKclose(deviceHandle);
        deviceHandle = 0;
        show();
        return false;
    }
    showSorting();
    return true;
}
