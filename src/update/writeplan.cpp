// SPDX-License-Identifier: MIT
#include "writeplan.h"

#include "tarvikdll.h"

#include <QHash>

namespace {
// The n-th record (from 0) of that name in list order; with fewer, the last when orLast, else nullptr.
const CalibrationRecord *nthNamed(const CalibrationList &list, const QString &name, int n, bool orLast)
{
    if (n == 0 || !list.contains(name))
        return list.find(name);
    const CalibrationRecord *found = nullptr;
    for (const CalibrationRecord &record : list) {
        if (calibrationName(record.block) != name)
            continue;
        found = &record;
        if (n-- == 0)
            return found;
    }
    return orLast ? found : nullptr;
}

// A name the catalogue holds is written from the catalogue at every occurrence, the n-th
// from its n-th record where it has one, as a restored backup does. A name it lacks is a
// kept calibration: the n-th of that name is the n-th the instrument held, not the first.
const CalibrationRecord *blockToWrite(const QString &name, int occurrence, const CalibrationList &catalogue,
                                      const CalibrationList &instrument)
{
    if (catalogue.contains(name))
        return nthNamed(catalogue, name, occurrence, true);
    return nthNamed(instrument, name, occurrence, false);
}
}

WritePlan planInstrumentWrite(const CalibrationPairList &chosen, const CalibrationBlock *ambient,
                              const CalibrationList &catalogue, const CalibrationList &instrument)
{
    WritePlan plan;
    if (chosen.size() > kUserSlotCount) {
        plan.refusal = QStringLiteral("%1 calibrations chosen, the instrument has %2 user slots")
                           .arg(chosen.size())
                           .arg(kUserSlotCount);
        return plan;
    }
    const CalibrationBlock empty = emptyCalibrationBlock();
    plan.blocks.reserve(1 + kUserSlotCount);
    plan.blocks.append(ambient ? *ambient : empty);
    QHash<QString, int> occurrences;
    for (const auto &entry : chosen) {
        const CalibrationRecord *record = blockToWrite(entry.first, occurrences[entry.first]++, catalogue, instrument);
        if (!record) {
            plan.blocks.clear();
            plan.refusal = QStringLiteral("no calibration named \"%1\" is known").arg(entry.first);
            return plan;
        }
        plan.blocks.append(record->block);
    }
    while (plan.blocks.size() < 1 + kUserSlotCount)
        plan.blocks.append(empty);
    return plan;
}
