// SPDX-License-Identifier: MIT
// tarvik-standin: sets up and inspects the simulated instrument of the stand-in library.

#include "backup.h"
#include "state.h"

#include "tarvikdll.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace standin;
using Args = std::vector<std::string>;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: tarvik-standin [--state FILE] COMMAND [ARGUMENTS]\n"
    "\n"
    "The instrument lives in FILE, by default $TARVIK_STANDIN_STATE or\n"
    "$XDG_DATA_HOME/tarvik-standin/instrument.state.\n"
    "\n"
    "commands:\n"
    "  create --family F --serial S --ambient-slot N|none [--user NAME]...\n"
    "                          a new instrument; F is rgbblu, gbrled, both, neither\n"
    "                          or gbrled-lower; N from 9 to 37\n"
    "  list                    serial number, faults and the name of every slot\n"
    "  dump [--from N] [--to N]\n"
    "                          the slots' blocks as a calibration text file (0 to 37)\n"
    "  fault open CODE         TARVIKopen fails with CODE (negative)\n"
    "  fault serial CODE       TARVIKgetserial fails with CODE (non-zero)\n"
    "  fault call FUNCTION SLOT CODE [N]\n"
    "                          FUNCTION (getdevicecalname, retrievedevicecal or\n"
    "                          loaddevicecal) fails at SLOT with CODE (non-zero);\n"
    "                          with N > 0 only its Nth call there from now on\n"
    "  fault corrupt-write SLOT [BYTE]\n"
    "                          writes at SLOT succeed but store one byte changed,\n"
    "                          BYTE (0 to 63) of the block, else the first of xCal\n"
    "  fault unterminated-serial\n"
    "                          the serial number fills all 14 bytes, no zero\n"
    "  fault unterminated-names\n"
    "                          every name handed out fills its 20 bytes, no zero\n"
    "  fault clear [open|serial|call|corrupt-write|unterminated-serial|\n"
    "               unterminated-names|all]\n"
    "  delay MS                every library call waits MS milliseconds first\n"
    "  detach | attach         unplug or plug in the instrument\n"
    "  log                     the library calls made so far\n"
    "  clear-log               empty the call log\n";

int usageError(const std::string &message)
{
    std::fprintf(stderr, "tarvik-standin: %s\n\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

int failure(const std::string &message)
{
    std::fprintf(stderr, "tarvik-standin: %s\n", message.c_str());
    return kExitFailure;
}

bool parseCode(const std::string &text, long long max, std::int32_t &code)
{
    long long value = 0;
    if (!parseInteger(text, std::numeric_limits<std::int32_t>::min(), max, value) || value == 0)
        return false;
    code = std::int32_t(value);
    return true;
}

bool parseSlot(const std::string &text, int min, int &slot)
{
    long long value = 0;
    if (!parseInteger(text, min, kLastSlot, value))
        return false;
    slot = int(value);
    return true;
}

// Loads the instrument, lets `change` alter it and saves it; `change` returns a usage error or "".
int modify(const std::string &path, const std::function<std::string(InstrumentState &)> &change)
{
    const StateLock lock(path);
    InstrumentState state;
    std::string error;
    if (!load(path, state, error))
        return failure(error);
    const std::string problem = change(state);
    if (!problem.empty())
        return usageError(problem);
    if (!save(path, state, error))
        return failure(error);
    return 0;
}

int create(const std::string &path, const Args &args)
{
    Family family = Family::Neither;
    std::string serial;
    int ambientSlot = -2;
    bool haveFamily = false, haveSerial = false;
    std::vector<std::string> users;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usageError("'" + args[i] + "' needs a value");
        const std::string &option = args[i];
        const std::string &value = args[i + 1];
        if (option == "--family") {
            if (!parseFamily(value, family))
                return usageError("unknown family '" + value + "'");
            haveFamily = true;
        } else if (option == "--serial") {
            serial = value;
            haveSerial = true;
        } else if (option == "--ambient-slot") {
            if (value == "none")
                ambientSlot = -1;
            else if (!parseSlot(value, kAmbientSlot, ambientSlot))
                return usageError("the ambient slot must be 'none' or 9 to 37");
        } else if (option == "--user") {
            users.push_back(value);
        } else {
            return usageError("unknown option '" + option + "' of create");
        }
    }
    if (!haveFamily || !haveSerial || ambientSlot == -2)
        return usageError("create needs --family, --serial and --ambient-slot");
    const std::string problem = makeInstrumentError(serial, ambientSlot, users);
    if (!problem.empty())
        return usageError(problem);
    std::string error;
    if (!save(path, makeInstrument(family, serial, ambientSlot, users), error))
        return failure(error);
    return 0;
}

std::vector<std::string> faultCommands(const Faults &f)
{
    std::vector<std::string> lines;
    if (f.openResult != 0)
        lines.push_back("fault open " + std::to_string(f.openResult));
    if (f.serialResult != 0)
        lines.push_back("fault serial " + std::to_string(f.serialResult));
    if (f.call.function != CallFunction::None) {
        lines.push_back("fault call " + std::string(callFunctionName(f.call.function)) + " "
                        + std::to_string(f.call.slot) + " " + std::to_string(f.call.code) + " "
                        + std::to_string(f.call.occurrence) + "   (matching calls so far: "
                        + std::to_string(f.call.seen) + ")");
    }
    if (f.corruptWriteSlot >= 0)
        lines.push_back("fault corrupt-write " + std::to_string(f.corruptWriteSlot) + " " + std::to_string(f.corruptWriteByte));
    if (f.unterminatedSerial)
        lines.push_back("fault unterminated-serial");
    if (f.unterminatedNames)
        lines.push_back("fault unterminated-names");
    return lines;
}

int list(const std::string &path)
{
    InstrumentState state;
    std::string error;
    if (!load(path, state, error))
        return failure(error);
    std::printf("serial %s, %s, delay %d ms\n", state.serial.c_str(),
                state.attached ? "attached" : "detached", state.delayMs);
    const std::vector<std::string> faults = faultCommands(state.faults);
    if (faults.empty())
        std::printf("no faults\n");
    for (const std::string &line : faults)
        std::printf("%s\n", line.c_str());
    std::printf("slot  name                 contents\n");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const CalibrationBlock &block = state.blocks[slot];
        std::printf("%4d  %-19s  %s\n", slot, blockName(block).c_str(), isEmptyBlock(block) ? "empty" : "calibration");
    }
    return 0;
}

int dump(const std::string &path, const Args &args)
{
    int from = 0, to = kLastSlot;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usageError("'" + args[i] + "' needs a value");
        if (args[i] != "--from" && args[i] != "--to")
            return usageError("unknown option '" + args[i] + "' of dump");
        if (!parseSlot(args[i + 1], 0, args[i] == "--from" ? from : to))
            return usageError("slots run from 0 to 37");
    }
    if (from > to)
        return usageError("--from must not come after --to");
    InstrumentState state;
    std::string error;
    if (!load(path, state, error))
        return failure(error);
    // Written as the program writes its text backup, so that either reads back alike.
    const QByteArray text = formatCalibrationFile(QVector<CalibrationBlock>(state.blocks.begin() + from, state.blocks.begin() + to + 1));
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size()) ? 0 : 1;
}

std::string clearFault(Faults &f, const std::string &kind)
{
    if (kind == "all")
        f = Faults();
    else if (kind == "open")
        f.openResult = 0;
    else if (kind == "serial")
        f.serialResult = 0;
    else if (kind == "call")
        f.call = CallFault();
    else if (kind == "corrupt-write")
        f.corruptWriteSlot = -1;
    else if (kind == "unterminated-serial")
        f.unterminatedSerial = false;
    else if (kind == "unterminated-names")
        f.unterminatedNames = false;
    else
        return "unknown fault '" + kind + "'";
    return {};
}

std::string setCallFault(Faults &f, const Args &a)
{
    CallFault call;
    long long occurrence = 0;
    if (a.size() < 4 || a.size() > 5 || !parseCallFunction(a[1], call.function) || call.function == CallFunction::None
        || !parseSlot(a[2], 0, call.slot) || !parseCode(a[3], std::numeric_limits<std::int32_t>::max(), call.code)
        || (a.size() == 5 && !parseInteger(a[4], 0, std::numeric_limits<int>::max(), occurrence)))
        return "fault call FUNCTION SLOT CODE [N]: FUNCTION getdevicecalname, retrievedevicecal or "
               "loaddevicecal, SLOT 0 to 37, CODE non-zero, N 0 or more";
    call.occurrence = int(occurrence);
    f.call = call;
    return {};
}

std::string setFault(Faults &f, const Args &a)
{
    if (a.empty())
        return "fault needs a kind";
    const std::string &kind = a[0];
    if (kind == "clear") {
        if (a.size() > 2)
            return "fault clear takes at most one kind";
        return clearFault(f, a.size() == 2 ? a[1] : "all");
    }
    if (kind == "call")
        return setCallFault(f, a);
    if (kind == "unterminated-serial" || kind == "unterminated-names") {
        if (a.size() != 1)
            return "fault " + kind + " takes no value";
        (kind == "unterminated-serial" ? f.unterminatedSerial : f.unterminatedNames) = true;
        return {};
    }
    if (kind != "open" && kind != "serial" && kind != "corrupt-write")
        return "unknown fault '" + kind + "'";
    if (kind == "corrupt-write" && a.size() == 3) {
        long long byte = 0;
        if (!parseInteger(a[2], 0, sizeof(CalibrationBlock) - 1, byte))
            return "the corrupted byte runs from 0 to 63";
        f.corruptWriteByte = int(byte);
    } else if (a.size() != 2) {
        return "fault " + kind + " takes one value";
    }
    if (kind == "open")
        return parseCode(a[1], -1, f.openResult) ? "" : "the open result must be negative";
    if (kind == "serial")
        return parseCode(a[1], std::numeric_limits<std::int32_t>::max(), f.serialResult)
            ? ""
            : "the serial result must be a non-zero 32-bit integer";
    return parseSlot(a[1], kAmbientSlot, f.corruptWriteSlot) ? "" : "writable slots run from 9 to 37";
}

int printLog(const std::string &path)
{
    for (const CallLogEntry &entry : readCallLog(path))
        std::printf("%s %d %d\n", entry.function.c_str(), entry.slot, int(entry.result));
    return 0;
}

int run(const std::string &path, const std::string &command, const Args &args)
{
    const auto noArguments = [&](const std::function<int()> &action) {
        return args.empty() ? action() : usageError(command + " takes no arguments");
    };
    if (command == "create")
        return create(path, args);
    if (command == "list")
        return noArguments([&] { return list(path); });
    if (command == "dump")
        return dump(path, args);
    if (command == "fault")
        return modify(path, [&](InstrumentState &s) { return setFault(s.faults, args); });
    if (command == "delay") {
        long long ms = 0;
        if (args.size() != 1 || !parseInteger(args[0], 0, 60000, ms))
            return usageError("delay takes milliseconds from 0 to 60000");
        return modify(path, [&](InstrumentState &s) {
            s.delayMs = int(ms);
            return std::string();
        });
    }
    if (command == "detach" || command == "attach") {
        return noArguments([&] {
            return modify(path, [&](InstrumentState &s) {
                s.attached = command == "attach";
                return std::string();
            });
        });
    }
    if (command == "log")
        return noArguments([&] { return printLog(path); });
    if (command == "clear-log") {
        return noArguments(
            [&] { return clearCallLog(path) ? 0 : failure(callLogPath(path) + ": cannot be removed"); });
    }
    return usageError("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char **argv)
{
    Args args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::string path = statePath();
    if (args.size() >= 2 && args[0] == "--state") {
        path = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return usageError("no command given");
    const std::string command = args[0];
    args.erase(args.begin());
    return run(path, command, args);
}
