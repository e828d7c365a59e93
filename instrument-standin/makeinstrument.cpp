// SPDX-License-Identifier: MIT
#include "state.h"

#include "tarvikdll.h"

#include <cstring>

namespace standin {

namespace {

const char *const kFactoryLights[kLastFactorySlot + 1] = {
    "D65", "D50", "Illum A", "F11", "LED 4000K", "LED 6500K", "Xenon", "White"};

std::string familyWord(Family family, int slot)
{
    switch (family) {
    case Family::Rgbblu:
        // One mixed-case spelling: the program must recognise the family in any case.
        return slot == kLastFactorySlot ? "Rgbblu" : "RGBBLU";
    case Family::Gbrled:
        return "GBRLED";
    case Family::GbrledLowerCase:
        return "gbrled";
    case Family::Both:
        return slot % 2 == 0 ? "RGBBLU" : "GBRLED";
    case Family::Neither:
        break;
    }
    return "FACTORY";
}

CalibrationBlock block(const std::string &name, float intensity, const float (&m)[9], std::int32_t base)
{
    CalibrationBlock b = emptyCalibrationBlock();
    setBlockName(b, name);
    b.absIntensityCal = intensity;
    std::memcpy(b.xCal, m, sizeof b.xCal);
    std::memcpy(b.yCal, m + 3, sizeof b.yCal);
    std::memcpy(b.zCal, m + 6, sizeof b.zCal);
    b.basCalIndex = base;
    return b;
}

CalibrationBlock factoryBlock(const std::string &name, int slot)
{
    const float d = 0.01f * float(slot + 1);
    const float m[9] = {1.0f + d, -d / 2, 0.0f, d / 3, 1.0f - d, 0.001f, 0.0f, d / 4, 1.0f + d / 2};
    return block(name, 1.0f - d / 10, m, 0);
}

bool isUserSlot(int slot)
{
    return slot >= kFirstUserSlot && slot <= kLastSlot;
}

} // namespace

bool parseFamily(const std::string &text, Family &family)
{
    const std::pair<const char *, Family> names[] = {{"rgbblu", Family::Rgbblu},
                                                      {"gbrled", Family::Gbrled},
                                                      {"both", Family::Both},
                                                      {"neither", Family::Neither},
                                                      {"gbrled-lower", Family::GbrledLowerCase}};
    for (const auto &entry : names) {
        if (text == entry.first) {
            family = entry.second;
            return true;
        }
    }
    return false;
}

CalibrationBlock ambientCalibrationBlock()
{
    const float m[9] = {1.0371f, -0.0212f, 0.0049f, -0.0133f, 0.9874f, 0.0261f, 0.0018f, -0.0307f, 1.1092f};
    return block(kAmbientName, 1.2875f, m, 1);
}

CalibrationBlock userCalibrationBlock(const std::string &name, int index)
{
    const float i = float(index + 1);
    const float m[9] = {1.0f + 0.001f * i, 0.01f * i, -0.002f * i,
                        -0.003f * i, 1.0f - 0.001f * i, 0.004f,
                        0.0005f * i, -0.006f, 1.0f + 0.002f * i};
    return block(name, 1.0f + 0.0125f * i, m, 1 + index % 8);
}

std::string makeInstrumentError(const std::string &serial, int ambientSlot,
                                const std::vector<std::string> &userCalibrations)
{
    if (serial.size() > kMaxSerialLength || serial.find('\0') != std::string::npos)
        return "the serial number must be at most 13 bytes, none of them zero";
    if (ambientSlot >= 0 && (ambientSlot < kAmbientSlot || ambientSlot > kLastSlot))
        return "the ambient calibration belongs in a slot from 9 to 37";
    for (const std::string &name : userCalibrations) {
        if (name.size() >= kCalNameSize || name.find('\0') != std::string::npos)
            return "calibration name '" + name + "' is longer than 19 bytes";
    }
    const std::size_t freeSlots = std::size_t(kUserSlotCount - (isUserSlot(ambientSlot) ? 1 : 0));
    if (userCalibrations.size() > freeSlots)
        return "only " + std::to_string(freeSlots) + " user slots are free";
    return {};
}

InstrumentState makeInstrument(Family family, const std::string &serial, int ambientSlot,
                               const std::vector<std::string> &userCalibrations)
{
    InstrumentState state;
    state.serial = serial.substr(0, kMaxSerialLength);
    for (int slot = kFirstFactorySlot; slot <= kLastFactorySlot; ++slot)
        state.blocks[slot] = factoryBlock(familyWord(family, slot) + " " + kFactoryLights[slot], slot);
    state.blocks[kLastWriteProtectedSlot] = factoryBlock("FACTORY RESERVED", kLastWriteProtectedSlot);
    if (ambientSlot >= kAmbientSlot && ambientSlot <= kLastSlot)
        state.blocks[ambientSlot] = ambientCalibrationBlock();
    int slot = kFirstUserSlot;
    for (std::size_t i = 0; i < userCalibrations.size(); ++i, ++slot) {
        if (slot == ambientSlot)
            ++slot;
        if (slot > kLastSlot)
            break;
        state.blocks[slot] = userCalibrationBlock(userCalibrations[i], int(i));
    }
    return state;
}

} // namespace standin
