#include "writeplan.h"

#include "tarvikdll.h"

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
    for (const auto &entry : chosen) {
        const CalibrationRecord *record = catalogue.find(entry.first);
        if (!record)
            record = instrument.find(entry.first);
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
