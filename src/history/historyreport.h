// SPDX-License-Identifier: MIT
#ifndef HISTORYREPORT_H
#define HISTORYREPORT_H

#include "historyrun.h"

#include <QString>
#include <QStringList>

// A number the instrument uses, as the History window and the record show it.
QString historyNumber(float value);
// The nine matrix values, a row per line.
QString historyMatrixText(const CalibrationBlock &block);

// The heads of the slots' columns: the slot, then name, intensity, matrix and base index before
// and after, then the change.
QStringList historySlotHeaders();

// The record of one run, for the lab to file: its title, the instrument, who ran it where and
// with which program, the source and the checksums, the slots before and after, the verdict.
QString historyReportHtml(const HistoryRun &run);

// That record as a PDF file with page numbers; empty when written, else why not.
QString writeHistoryReport(const HistoryRun &run, const QString &path);

#endif
