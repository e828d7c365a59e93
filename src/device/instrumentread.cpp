// SPDX-License-Identifier: MIT
#include "dialog.h"
#include "ui_dialog.h"

#include "sorting.h"
#include "tarvikdll.h"

#include <QCoreApplication>
#include <QDebug>

#include <cstring>

namespace {
bool isAmbient(const CalibrationBlock &block)
{
    return calNameLength(block) == sizeof kAmbientName - 1
        && std::memcmp(block.calName, kAmbientName, sizeof kAmbientName - 1) == 0;
}
}

int dialog::getCalInternal()
{
    const auto failedAt = [this](int slot, std::int32_t result) {
        showReason(tr("The TARVIK failed to read slot %1 (code %2).").arg(slot).arg(result));
        return result;
    };
    char name[kCalNameSize];
    for (int slot = kFirstFactorySlot; slot <= kLastFactorySlot; ++slot) {
        // The window that says the instrument is being read must get painted on a slow one too.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const std::int32_t result = TARVIKgetdevicecalname(deviceHandle, slot, name);
        if (result != 0)
            return failedAt(slot, result);
        const QString factoryName = boundedName(name, sizeof name);
        qDebug() << "factory calibration" << slot << factoryName;
        if (factoryName.contains(QLatin1String("GBRLED"), Qt::CaseInsensitive))
            gbrledFound = true;
        if (factoryName.contains(QLatin1String("RGBBLU"), Qt::CaseInsensitive))
            rgbbluFound = true;
    }

    const QString instrument = QString::fromUtf8(serialNumber) + "-" + (rgbbluFound ? "R" : "")
        + (gbrledFound ? "G" : "");
    sortingDialog->setInstrumentLabel(tr("Found Quillor TARVIK: %1").arg(instrument));

    for (int slot = kAmbientSlot; slot <= kLastSlot; ++slot) {
        const int step = slot - kAmbientSlot + 1;
        ui->label->setText(tr("Reading calibration %1 of %2…").arg(step).arg(kReadSlotCount));
        ui->progressBar->setValue(step);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const std::int32_t blockResult = TARVIKretrievedevicecal(deviceHandle, slot, &workBlock);
        const std::int32_t nameResult = TARVIKgetdevicecalname(deviceHandle, slot, name);
        qDebug() << "slot" << slot << workBlock.xCal[0] << boundedName(name, sizeof name);
        if (nameResult != 0)
            return failedAt(slot, nameResult);
        // Without this, a failed read would list the previous slot's block a second time.
        if (blockResult != 0)
            return failedAt(slot, blockResult);

        m_slotsRead.append(workBlock);
        if (isAmbient(workBlock)) {
            const std::int32_t ambientResult = TARVIKretrievedevicecal(deviceHandle, slot, &ambientBlock);
            if (ambientResult != 0)
                return failedAt(slot, ambientResult);
            ambientFound = true;
            qDebug() << "Ambient found at slot" << slot;
        } else if (!isEmptyBlock(workBlock)) {
            instrumentCalibrations.append(CalibrationRecord(workBlock));
        }
    }
    return 0;
}

void dialog::showSorting()
{
    sortingDialog->setExportItems(addableCalibrations.pairs(), instrumentCalibrations.pairs());
    sortingDialog->showLeftOut(m_leftOut.nonFinite, m_leftOut.sameFirst19Bytes);
    sortingDialog->showCatalogueSignature(m_catalogueKeyId);
    sortingDialog->show();
}
