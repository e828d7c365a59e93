// SPDX-License-Identifier: MIT
#include "writepreview.h"

#include "calibrationrecord.h"
#include "tarvikdll.h"

#include <QSet>

#include <algorithm>

namespace {
// The instrument's block of that name: one with the same numbers where it holds such, else the first.
const CalibrationBlock *heldNamed(const QVector<CalibrationBlock> &held, const QString &name, const CalibrationBlock &written)
{
    const CalibrationBlock *first = nullptr;
    for (const CalibrationBlock &block : held) {
        if (isEmptyBlock(block) || calibrationName(block) != name)
            continue;
        if (sameAsInterpreted(block, written))
            return &block;
        if (!first)
            first = &block;
    }
    return first;
}
}

QVector<PreviewRow> previewWrite(const WritePlan &plan, const QVector<CalibrationBlock> &held)
{
    QVector<PreviewRow> rows;
    if (!plan.isSound())
        return rows;
    const CalibrationBlock empty = emptyCalibrationBlock();
    const CalibrationBlock &ambient = plan.blocks.first();
    rows.append({kAmbientSlot, isEmptyBlock(ambient) ? QString() : calibrationName(ambient), SlotChange::Ambient,
                 held.value(0, empty), ambient, 0});
    QSet<QString> written{rows.first().name};
    for (int i = 1; i < plan.blocks.size(); ++i) {
        const CalibrationBlock &block = plan.blocks.at(i);
        if (isEmptyBlock(block))
            continue;
        const QString name = calibrationName(block);
        written.insert(name);
        const CalibrationBlock *before = heldNamed(held, name, block);
        const SlotChange change = !before ? SlotChange::Added
            : sameAsInterpreted(*before, block) ? SlotChange::Kept : SlotChange::Replaced;
        rows.append({kAmbientSlot + i, name, change, before ? *before : empty, block,
                     before ? kAmbientSlot + int(before - held.constData()) : 0});
    }
    for (int i = 0; i < held.size(); ++i) {
        const QString name = calibrationName(held.at(i));
        if (!isEmptyBlock(held.at(i)) && !written.contains(name))
            rows.append({kAmbientSlot + i, name, SlotChange::Removed, held.at(i), empty, kAmbientSlot + i});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PreviewRow &a, const PreviewRow &b) { return a.slot < b.slot; });
    return rows;
}
