// SPDX-License-Identifier: MIT
#ifndef STANDINFIXTURE_H
#define STANDINFIXTURE_H

#include "state.h"

#include <QStringList>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// The stand-in instrument of this test process, kept in the file TARVIK_STANDIN_STATE names.
namespace instrument {

inline void install(const standin::InstrumentState &state)
{
    std::string error;
    QVERIFY2(standin::save(standin::statePath(), state, error), error.c_str());
    standin::clearCallLog();
}

inline standin::InstrumentState current()
{
    standin::InstrumentState state;
    std::string error;
    if (!standin::load(standin::statePath(), state, error))
        qWarning("stand-in state unreadable: %s", error.c_str());
    return state;
}

inline standin::InstrumentState make(standin::Family family = standin::Family::Both, int ambientSlot = 9,
    const std::vector<std::string> &user = {"Lab Bench A", "Lab Bench B"}, const std::string &serial = "TRV-0042")
{
    return standin::makeInstrument(family, serial, ambientSlot, user);
}

// How often the library saw a call of this function (optionally at this slot).
inline int calls(const char *function, int slot = -2)
{
    const auto log = standin::readCallLog();
    return int(std::count_if(log.begin(), log.end(), [&](const standin::CallLogEntry &e) {
        return e.function == function && (slot == -2 || e.slot == slot);
    }));
}

inline std::vector<int> slotsWritten()
{
    std::vector<int> written;
    for (const auto &e : standin::readCallLog())
        if (e.function == "TARVIKloaddevicecal" && e.result == 0)
            written.push_back(e.slot);
    return written;
}

// The names the instrument holds in slots from..to.
inline QStringList namesIn(int from, int to)
{
    QStringList names;
    for (int slot = from; slot <= to; ++slot)
        names << QString::fromStdString(standin::blockName(current().blocks[slot]));
    return names;
}

inline bool sameBlock(const CalibrationBlock &a, const CalibrationBlock &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace instrument

#endif
