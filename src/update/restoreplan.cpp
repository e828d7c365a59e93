// SPDX-License-Identifier: MIT
#include "restoreplan.h"

#include "tarvikdll.h"

#include <QCoreApplication>

RestorePlan planRestore(const Backup &backup, const QString &serial)
{
    RestorePlan plan;
    if (!backup.serial.isNull() && backup.serial != serial) {
        plan.refusal = QCoreApplication::translate("dialog", "This backup is of the TARVIK %1, not of this TARVIK %2: nothing was written.")
                           .arg(backup.serial, serial);
        return plan;
    }
    if (backup.savedSlots.isEmpty()) {
        plan.refusal = QCoreApplication::translate("dialog", "This backup holds no calibrations: nothing was written.");
        return plan;
    }
    plan.writes = backup.savedSlots;
    if (backup.serial.isNull()) {
        for (int slot = plan.writes.last().slot + 1; slot <= kLastSlot; ++slot)
            plan.writes.append({slot, emptyCalibrationBlock()});
    }
    return plan;
}
