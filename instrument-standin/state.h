// SPDX-License-Identifier: MIT
#ifndef STANDIN_STATE_H
#define STANDIN_STATE_H

// The simulated instrument behind the stand-in TARVIKdll: its slots, serial
// number and injected faults, the file that keeps them between processes, and
// the call log. Free of Qt so that the library, its tool and the tests share it.

#include "calibrationblock.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace standin {

constexpr int kSlotCount = 38;
constexpr int kLastWriteProtectedSlot = 8; // factory slots and the reserved slot 8
constexpr std::size_t kMaxSerialLength = 13; // plus the terminating zero: 14 bytes
constexpr std::size_t kNameBufferSize = 20;

// Results of TARVIKopen besides 0 and the vendor's -2 (no instrument).
constexpr std::int32_t kOpenStateUnreadable = -3;
constexpr std::int32_t kOpenNullHandle = -4;

// Non-zero results of the other calls; injected faults return their own code.
constexpr std::int32_t kErrorBadHandle = 1;
constexpr std::int32_t kErrorBadSlot = 2;
constexpr std::int32_t kErrorWriteProtected = 3;
constexpr std::int32_t kErrorStateFile = 4;
constexpr std::int32_t kErrorNullBuffer = 5;
constexpr std::int32_t kErrorDetached = 6;
constexpr std::int32_t kErrorUnterminatedName = 7;

enum class CallFunction { None, GetDeviceCalName, RetrieveDeviceCal, LoadDeviceCal };

// "getdevicecalname", "retrievedevicecal", "loaddevicecal" (and "none").
const char *callFunctionName(CallFunction function);
bool parseCallFunction(const std::string &text, CallFunction &function);

// One chosen call fails with `code`. With occurrence N > 0 only the Nth call of
// that function at that slot since the fault was set fails; `seen` counts them
// and is kept in the state file so that the count survives process boundaries.
struct CallFault
{
    CallFunction function = CallFunction::None;
    int slot = 0;
    std::int32_t code = 0;
    int occurrence = 0; // 0: every matching call fails
    int seen = 0;
};

struct Faults
{
    std::int32_t openResult = 0;   // negative: TARVIKopen returns it
    std::int32_t serialResult = 0; // non-zero: TARVIKgetserial returns it
    CallFault call;
    int corruptWriteSlot = -1; // writes here report success but store one byte changed:
    int corruptWriteByte = 24; // this byte of the block, the first of xCal unless chosen
    bool unterminatedSerial = false; // all 14 serial bytes non-zero
    bool unterminatedNames = false;  // all 20 bytes of every name handed out non-zero
};

struct InstrumentState
{
    InstrumentState();

    bool attached = true;
    std::string serial;
    std::array<CalibrationBlock, kSlotCount> blocks;
    Faults faults;
    int delayMs = 0; // before every library call
    // Like a vendor library that keeps only what the instrument interprets: the name up to
    // its zero, the ten numbers and the low byte of the base index; zeros elsewhere.
    bool interpretedBytesOnly = false;
    // The process that holds the instrument open, 0 when none does: a real instrument
    // serves one program at a time.
    long openBy = 0;
};

// TARVIK_STANDIN_STATE, else $XDG_DATA_HOME (or ~/.local/share) + "/tarvik-standin/instrument.state".
std::string statePath();

// Missing, malformed or oversized files give false and a message naming the line.
bool load(const std::string &path, InstrumentState &state, std::string &error);
// Atomic: a temporary file beside `path` is written, synced and renamed over it.
bool save(const std::string &path, const InstrumentState &state, std::string &error);

// Held for every load-modify-save of the state file, by the library and the tool alike, so
// that a change made while a call waits is never overwritten by that call's save. An
// advisory lock on path + ".lock"; the process's death releases it.
class StateLock
{
public:
    explicit StateLock(const std::string &path);
    ~StateLock();
    StateLock(const StateLock &) = delete;
    StateLock &operator=(const StateLock &) = delete;

private:
    int m_fd;
};

// The call log lies beside the state file: statePath + ".log", one line per
// library call, "TARVIKgetdevicecalname 3 0" (slot -1 where the call takes none).
struct CallLogEntry
{
    std::string function;
    int slot = -1;
    std::int32_t result = 0;

    bool operator==(const CallLogEntry &other) const
    {
        return function == other.function && slot == other.slot && result == other.result;
    }
};

std::string callLogPath(const std::string &statePath);
void appendCallLog(const std::string &statePath, const CallLogEntry &entry);
// Lines that do not parse are skipped; a missing log is an empty one.
std::vector<CallLogEntry> readCallLog(const std::string &statePath = standin::statePath());
bool clearCallLog(const std::string &statePath = standin::statePath());

// Model families as the factory slots' names show them. GbrledLowerCase spells
// the family word in lower case to check that it is recognised in any case.
enum class Family { Rgbblu, Gbrled, Both, Neither, GbrledLowerCase };

// "rgbblu", "gbrled", "both", "neither", "gbrled-lower".
bool parseFamily(const std::string &text, Family &family);

// A made-up instrument: factory names in slots 0 to 7, a reserved block in 8,
// the ambient calibration at ambientSlot (none when negative), the user
// calibrations from slot 10 upward skipping the ambient slot, every other user
// slot empty. Each user calibration i (0-based) is userCalibrationBlock(name, i).
// Returns a message when the request cannot be met: a serial longer than 13
// bytes, an ambient slot outside 9 to 37, a name longer than 19 bytes, or more
// calibrations than free slots.
std::string makeInstrumentError(const std::string &serial, int ambientSlot,
                                const std::vector<std::string> &userCalibrations);
// Requires makeInstrumentError(...) to be empty; cuts or drops what does not fit.
InstrumentState makeInstrument(Family family, const std::string &serial, int ambientSlot,
                               const std::vector<std::string> &userCalibrations);

CalibrationBlock ambientCalibrationBlock();
// Distinct, non-empty numbers and base index for each i.
CalibrationBlock userCalibrationBlock(const std::string &name, int index);

// A whole decimal integer from min to max, nothing else on the text.
bool parseInteger(const std::string &text, long long min, long long max, long long &value);

// calName up to its zero, never past its 20 bytes.
std::string blockName(const CalibrationBlock &block);
// Stores at most 19 bytes and zero-fills the rest of calName.
void setBlockName(CalibrationBlock &block, const std::string &name);

} // namespace standin

#endif
