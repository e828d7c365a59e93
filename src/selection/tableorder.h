// SPDX-License-Identifier: MIT
#ifndef TABLEORDER_H
#define TABLEORDER_H

#include "calibrationrecord.h"

#include <QVector>

// The rows in which a table sorted by name shows these calibrations after they were put
// in one after the other: by name in the collation of the default locale, and among
// names that collate as equal the one put in last first. Returns indices into `pairs`.
QVector<int> sortedTableOrder(const CalibrationPairList &pairs);

#endif
