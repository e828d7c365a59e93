// SPDX-License-Identifier: MIT
#ifndef BODYLIMIT_H
#define BODYLIMIT_H

#include <QtGlobal>

// Catalogue listings and calibration files are small text files. A body larger than
// this is broken or hostile, and is refused rather than held in memory.
constexpr qint64 maxCatalogueBodyBytes = 64 * 1024 * 1024;

// The head of a real reply is a few hundred bytes; one past this is refused unread.
constexpr qint64 maxReplyHeadBytes = 64 * 1024;

#endif
