// SPDX-License-Identifier: MIT
#ifndef WRITEPREVIEW_H
#define WRITEPREVIEW_H

#include "calibrationblock.h"
#include "writeplan.h"

#include <QString>
#include <QVector>

// What one slot will go through when a plan is written.
enum class SlotChange {
    Ambient,  // the ambient slot, with the ambient calibration or emptied when there is none
    Kept,     // a calibration the instrument holds, written back with the same numbers
    Added,    // a name the instrument does not hold, from the catalogue
    Replaced, // a name the instrument holds, written with other numbers (the catalogue's)
    Removed,  // a calibration the instrument holds that the plan writes nowhere
};

struct PreviewRow
{
    int slot;
    QString name;
    SlotChange change;
    CalibrationBlock before; // the instrument's block of that name; empty for an added one
    CalibrationBlock after;  // what the slot receives; empty for a removed one
    int fromSlot = 0;        // where the instrument holds `before`; 0 for an added one and the ambient slot

    bool moved() const { return fromSlot != 0 && fromSlot != slot; }
};

// `held` is slots 9 to 37 as read. The rows go by slot: the ambient slot, then each slot the
// plan fills, and each calibration that leaves the instrument at the slot it held.
QVector<PreviewRow> previewWrite(const WritePlan &plan, const QVector<CalibrationBlock> &held);

#endif
