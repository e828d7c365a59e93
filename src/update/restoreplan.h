// SPDX-License-Identifier: MIT
#ifndef RESTOREPLAN_H
#define RESTOREPLAN_H

#include "backup.h"

#include <QString>
#include <QVector>

// What a restore writes: each saved block into its own slot, byte for byte. No catalogue
// rule, renaming or family filter applies: the set comes back as it was read.
struct RestorePlan
{
    QVector<SavedSlot> writes;
    QString refusal; // why nothing may be written; empty when the plan is sound

    bool isSound() const { return refusal.isEmpty(); }
};

// A backup of another serial number is refused. One of the first format, which records no
// serial, holds slots 9 on; the slots after its last block receive the empty block.
RestorePlan planRestore(const Backup &backup, const QString &serial);

#endif
