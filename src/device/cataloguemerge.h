// SPDX-License-Identifier: MIT
#ifndef CATALOGUEMERGE_H
#define CATALOGUEMERGE_H

#include "calibrationfile.h"
#include "calibrationlist.h"

#include <QStringList>

// The instrument's side of the merge: what it holds and which model families it belongs to.
struct InstrumentModel
{
    const CalibrationList &calibrations;
    bool rgbbluFound;
    bool gbrledFound;
};

// Catalogue calibrations left out, by name: the instrument must never receive them.
struct LeftOutCalibrations
{
    QStringList nonFinite; // a number that is not finite
    QStringList sameFirst19Bytes; // stored, the name would be that of an earlier, different one
    int count() const { return nonFinite.size() + sameFirst19Bytes.size(); }
};

// Fills the empty catalogue, and the empty list of calibrations the instrument could
// take, with the records read from a catalogue file, in file order: empty blocks are dropped, version suffixes
// (looked for on the whole name as read, before any cut) removed, a family whose model
// the instrument is not is dropped, the first record of a name wins except that a V1.1
// record takes the place of the earlier ones of its name. A name that differs from an earlier
// one only past the 19 bytes a block holds would pass for it, so that record is left out.
LeftOutCalibrations mergeCatalogueBlocks(const CalibrationFileContents &contents, const InstrumentModel &instrument,
                          CalibrationList &catalogue, CalibrationList &addable);

#endif
