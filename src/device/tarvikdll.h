// SPDX-License-Identifier: MIT
#ifndef TARVIKDLL_H
#define TARVIKDLL_H

// The six functions of the instrument vendor's library, imported by name.
// All integers are 32 bits wide; results are signed, 0 meaning success.

#include "calibrationblock.h"

#include <cstdint>

extern "C" {
std::int32_t TARVIKopen(std::int32_t *handle, std::int32_t mode);
std::int32_t TARVIKgetserial(std::int32_t handle, char *serial /* 14 bytes */);
std::int32_t TARVIKgetdevicecalname(std::int32_t handle, std::int32_t slot, char *name /* 20 bytes */);
std::int32_t TARVIKretrievedevicecal(std::int32_t handle, std::int32_t slot, CalibrationBlock *block);
std::int32_t TARVIKloaddevicecal(std::int32_t handle, std::int32_t slot, CalibrationBlock *block);
std::int32_t TARVIKclose(std::int32_t handle);
}

// Result of TARVIKopen when no instrument is attached.
constexpr std::int32_t kTarvikNotFound = -2;
// Result of TARVIKopen while another process holds the instrument open.
constexpr std::int32_t kTarvikInUse = -5;

constexpr int kSerialNumberSize = 14;
constexpr int kFirstFactorySlot = 0;
constexpr int kLastFactorySlot = 7;
constexpr int kAmbientSlot = 9;
constexpr int kFirstUserSlot = 10;
constexpr int kLastSlot = 37;
constexpr int kUserSlotCount = kLastSlot - kFirstUserSlot + 1; // 28
constexpr int kReadSlotCount = kLastSlot - kAmbientSlot + 1;    // 29, the slots read in full

#endif
