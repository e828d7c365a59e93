// SPDX-License-Identifier: MIT
#ifndef WRITEPLAN_H
#define WRITEPLAN_H

#include "calibrationblock.h"
#include "calibrationlist.h"
#include "calibrationrecord.h"

#include <QString>
#include <QVector>

// What an update writes: blocks[0] goes to the ambient slot, blocks[1 + i] to user slot i.
// A plan that cannot be carried out whole is refused before anything is written.
struct WritePlan
{
    QVector<CalibrationBlock> blocks;
    QString refusal; // why nothing may be written; empty when the plan is sound

    bool isSound() const { return refusal.isEmpty(); }
};

// A chosen name is looked up in the catalogue first, then among the instrument's own
// calibrations: one the catalogue lacks is kept as the instrument holds it, never erased,
// and calibrations that share a name keep their own blocks.
WritePlan planInstrumentWrite(const CalibrationPairList &chosen, const CalibrationBlock *ambient,
                              const CalibrationList &catalogue, const CalibrationList &instrument);

#endif
