// SPDX-License-Identifier: MIT
// The stand-in for the vendor's instrument library. Every call reads the
// simulated instrument from its state file, so that faults set by a test or by
// the tool between calls take effect at once, and every write saves it again.

#include "tarvikdll.h"

#include "state.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <thread>

#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

namespace {

using namespace standin;

// Handles count up from 1 so that a stale handle of an earlier session is refused.
std::int32_t g_openHandle = 0;
std::int32_t g_lastHandle = 0;

constexpr char kPadding = '#';

struct CallSpec
{
    const char *function;
    bool takesSlot;
    int slot;                // logged as -1 when the call takes none
    CallFunction faultable;  // which injected call fault applies
    bool writes;
};

void pause(const InstrumentState &state)
{
    if (state.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(state.delayMs));
}

bool loadReporting(const std::string &path, InstrumentState &state)
{
    std::string error;
    if (load(path, state, error))
        return true;
    std::fprintf(stderr, "TARVIKdll stand-in: %s\n", error.c_str());
    return false;
}

bool saveReporting(const std::string &path, const InstrumentState &state)
{
    std::string error;
    if (save(path, state, error))
        return true;
    std::fprintf(stderr, "TARVIKdll stand-in: %s\n", error.c_str());
    return false;
}

// The injected call fault, counting matching calls when only one of them is to fail.
std::int32_t injectedFailure(const CallSpec &call, InstrumentState &state, bool &changed)
{
    CallFault &fault = state.faults.call;
    if (call.faultable == CallFunction::None || fault.function != call.faultable || fault.slot != call.slot)
        return 0;
    if (fault.occurrence == 0)
        return fault.code;
    if (fault.seen < std::numeric_limits<int>::max()) {
        ++fault.seen;
        changed = true;
    }
    return fault.seen == fault.occurrence ? fault.code : 0;
}

std::int32_t checkedResult(const CallSpec &call, std::int32_t handle, const void *buffer)
{
    if (g_openHandle == 0 || handle != g_openHandle)
        return kErrorBadHandle;
    if (!buffer)
        return kErrorNullBuffer;
    if (call.takesSlot && (call.slot < 0 || call.slot >= kSlotCount))
        return kErrorBadSlot;
    if (call.writes && call.slot <= kLastWriteProtectedSlot)
        return kErrorWriteProtected;
    return 0;
}

// Body: std::int32_t(InstrumentState &, bool &changed); runs only when every check passed.
template <typename Body>
std::int32_t instrumentCall(const CallSpec &call, std::int32_t handle, const void *buffer, Body body)
{
    const std::string path = statePath();
    const StateLock lock(path);
    InstrumentState state;
    std::int32_t result = kErrorStateFile;
    if (loadReporting(path, state)) {
        pause(state);
        result = checkedResult(call, handle, buffer);
        if (result == 0 && !state.attached)
            result = kErrorDetached;
        bool changed = false;
        if (result == 0)
            result = injectedFailure(call, state, changed);
        if (result == 0)
            result = body(state, changed);
        if (changed && !saveReporting(path, state) && result == 0)
            result = kErrorStateFile;
    }
    appendCallLog(path, {call.function, call.slot, result});
    return result;
}

// Fills `size` bytes: the text, then zeros, or, when the instrument is told to
// misbehave, padding so that no byte is zero.
void fillText(char *buffer, std::size_t size, const std::string &text, bool unterminated)
{
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    std::memset(buffer + length, unterminated ? kPadding : '\0', size - length);
}

// Another live process holds it; one that died without closing has let it go.
bool heldByAnother(const InstrumentState &state)
{
    return state.openBy != 0 && state.openBy != long(::getpid())
        && (::kill(pid_t(state.openBy), 0) == 0 || errno == EPERM); // EPERM: alive, another account's
}

} // namespace

extern "C" {

std::int32_t TARVIKopen(std::int32_t *handle, std::int32_t /* mode: always 1 */)
{
    const std::string path = statePath();
    const StateLock lock(path);
    std::int32_t result = 0;
    InstrumentState state;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        result = kTarvikNotFound; // no state file: no instrument was ever plugged in
    } else if (!loadReporting(path, state)) {
        result = kOpenStateUnreadable;
    } else {
        pause(state);
        if (!handle)
            result = kOpenNullHandle;
        else if (!state.attached)
            result = kTarvikNotFound;
        else if (state.faults.openResult < 0)
            result = state.faults.openResult;
        else if (heldByAnother(state))
            result = kTarvikInUse;
    }
    if (result == 0 && state.openBy != long(::getpid())) {
        state.openBy = long(::getpid());
        if (!saveReporting(path, state))
            result = kOpenStateUnreadable;
    }
    if (result == 0) {
        g_lastHandle = g_lastHandle == std::numeric_limits<std::int32_t>::max() ? 1 : g_lastHandle + 1;
        g_openHandle = g_lastHandle;
        *handle = g_openHandle;
    }
    appendCallLog(path, {"TARVIKopen", -1, result});
    return result;
}

std::int32_t TARVIKgetserial(std::int32_t handle, char *serial)
{
    const CallSpec call{"TARVIKgetserial", false, -1, CallFunction::None, false};
    return instrumentCall(call, handle, serial, [&](InstrumentState &state, bool &) {
        if (state.faults.serialResult != 0)
            return state.faults.serialResult;
        fillText(serial, kSerialNumberSize, state.serial, state.faults.unterminatedSerial);
        return std::int32_t(0);
    });
}

std::int32_t TARVIKgetdevicecalname(std::int32_t handle, std::int32_t slot, char *name)
{
    const CallSpec call{"TARVIKgetdevicecalname", true, slot, CallFunction::GetDeviceCalName, false};
    return instrumentCall(call, handle, name, [&](InstrumentState &state, bool &) {
        fillText(name, kNameBufferSize, blockName(state.blocks[slot]), state.faults.unterminatedNames);
        return std::int32_t(0);
    });
}

std::int32_t TARVIKretrievedevicecal(std::int32_t handle, std::int32_t slot, CalibrationBlock *block)
{
    const CallSpec call{"TARVIKretrievedevicecal", true, slot, CallFunction::RetrieveDeviceCal, false};
    return instrumentCall(call, handle, block, [&](InstrumentState &state, bool &) {
        *block = state.blocks[slot];
        if (state.faults.unterminatedNames)
            fillText(block->calName, kCalNameSize, blockName(*block), true);
        return std::int32_t(0);
    });
}

std::int32_t TARVIKloaddevicecal(std::int32_t handle, std::int32_t slot, CalibrationBlock *block)
{
    const CallSpec call{"TARVIKloaddevicecal", true, slot, CallFunction::LoadDeviceCal, true};
    return instrumentCall(call, handle, block, [&](InstrumentState &state, bool &changed) {
        // A name the instrument could not hand back terminated is refused, not stored.
        if (calNameLength(*block) == kCalNameSize)
            return kErrorUnterminatedName;
        CalibrationBlock stored = state.interpretedBytesOnly ? interpretedBytes(*block) : *block;
        if (state.faults.corruptWriteSlot == slot)
            reinterpret_cast<unsigned char *>(&stored)[state.faults.corruptWriteByte] ^= 0x01;
        state.blocks[slot] = stored;
        changed = true;
        return std::int32_t(0);
    });
}

std::int32_t TARVIKclose(std::int32_t handle)
{
    const std::string path = statePath();
    const StateLock lock(path);
    InstrumentState state;
    std::string ignored;
    const bool loaded = load(path, state, ignored);
    if (loaded)
        pause(state);
    // Closing never depends on the state file: an unreadable state must not keep the handle open.
    std::int32_t result = kErrorBadHandle;
    if (g_openHandle != 0 && handle == g_openHandle) {
        g_openHandle = 0;
        result = 0;
        if (loaded && state.openBy == long(::getpid())) {
            state.openBy = 0;
            save(path, state, ignored);
        }
    }
    appendCallLog(path, {"TARVIKclose", -1, result});
    return result;
}

} // extern "C"
