#ifndef CATALOGUEMERGE_H
#define CATALOGUEMERGE_H

#include "calibrationfile.h"
#include "calibrationlist.h"

// The instrument's side of the merge: what it holds and which model families it belongs to.
struct InstrumentModel
{
    const CalibrationList &calibrations;
    bool rgbbluFound;
    bool gbrledFound;
};

// Fills the empty catalogue, and the empty list of calibrations the instrument could
// take, with the records read from a catalogue file, in file order: empty blocks are dropped, version suffixes
// (looked for on the whole name as read, before any cut) removed, a family whose model
// the instrument is not is dropped, the first record of a name wins except that a V1.1
// record takes the place of the earlier ones of its name.
void mergeCatalogueBlocks(const CalibrationFileContents &contents, const InstrumentModel &instrument,
                          CalibrationList &catalogue, CalibrationList &addable);

#endif
