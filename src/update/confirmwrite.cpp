// SPDX-License-Identifier: MIT
#include "dialog.h"

#include "previewwindow.h"
#include "sorting.h"
#include "writeplan.h"

WritePlan dialog::writePlan(const CalibrationPairList &chosen) const
{
    return planInstrumentWrite(chosen, ambientFound ? &ambientBlock : nullptr, catalogueCalibrations,
                               instrumentCalibrations);
}

// A refused plan is not shown: the update itself refuses it and says why.
bool dialog::confirmWrite(const CalibrationPairList &chosen)
{
    const WritePlan plan = writePlan(chosen);
    if (!plan.isSound())
        return true;
    WritePreview preview(previewWrite(plan, m_slotsRead), sortingDialog);
    return preview.exec() == QDialog::Accepted;
}
