// SPDX-License-Identifier: MIT
#include "state.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace standin {

namespace {

constexpr char kHeader[] = "tarvik-standin-state 1";
// A complete state is about 5 KiB; anything far larger is not one of ours.
constexpr std::streamoff kMaxStateFileSize = 64 * 1024;
constexpr int kMaxDelayMs = 60000;

std::string toHex(const void *data, std::size_t size)
{
    static const char digits[] = "0123456789abcdef";
    const auto *bytes = static_cast<const unsigned char *>(data);
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0x0f];
    }
    return hex;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool fromHex(const std::string &hex, std::string &bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

constexpr long long kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kInt32Max = std::numeric_limits<std::int32_t>::max();

std::string serialize(const InstrumentState &s)
{
    std::ostringstream out;
    const CallFault &call = s.faults.call;
    out << kHeader << '\n'
        << "attached " << (s.attached ? 1 : 0) << '\n'
        << "serial " << toHex(s.serial.data(), s.serial.size()) << '\n'
        << "delay-ms " << s.delayMs << '\n'
        << "fault-open " << s.faults.openResult << '\n'
        << "fault-serial " << s.faults.serialResult << '\n'
        << "fault-call " << callFunctionName(call.function);
    if (call.function != CallFunction::None)
        out << ' ' << call.slot << ' ' << call.code << ' ' << call.occurrence << ' ' << call.seen;
    out << '\n'
        << "fault-corrupt-write " << s.faults.corruptWriteSlot << ' ' << s.faults.corruptWriteByte << '\n'
        << "fault-unterminated-serial " << (s.faults.unterminatedSerial ? 1 : 0) << '\n'
        << "fault-unterminated-names " << (s.faults.unterminatedNames ? 1 : 0) << '\n'
        << "interpreted-bytes-only " << (s.interpretedBytesOnly ? 1 : 0) << '\n'
        << "open-by " << s.openBy << '\n';
    for (int slot = 0; slot < kSlotCount; ++slot)
        out << "slot " << slot << ' ' << toHex(&s.blocks[slot], sizeof(CalibrationBlock)) << '\n';
    out << "end\n";
    return out.str();
}

// Reads the lines after the header; each key must appear exactly once.
class StateParser
{
public:
    explicit StateParser(InstrumentState &state) : m_state(state) {}

    // Returns an empty string or what is wrong with the line.
    std::string parseLine(const std::vector<std::string> &t)
    {
        const std::string &key = t[0];
        if (key == "slot")
            return parseSlot(t);
        if (!m_seenKeys.insert(key).second)
            return "'" + key + "' appears twice";
        long long v = 0;
        if (key == "attached") {
            if (t.size() != 2 || !parseInteger(t[1], 0, 1, v))
                return "expected 'attached 0' or 'attached 1'";
            m_state.attached = v == 1;
        } else if (key == "serial") {
            std::string serial;
            if (t.size() > 2 || (t.size() == 2 && !fromHex(t[1], serial)))
                return "the serial number must be given in hexadecimal";
            if (serial.size() > kMaxSerialLength || serial.find('\0') != std::string::npos)
                return "the serial number must be at most 13 non-zero bytes";
            m_state.serial = serial;
        } else if (key == "delay-ms") {
            if (t.size() != 2 || !parseInteger(t[1], 0, kMaxDelayMs, v))
                return "the delay must be 0 to 60000 milliseconds";
            m_state.delayMs = int(v);
        } else if (key == "open-by") {
            if (t.size() != 2 || !parseInteger(t[1], 0, std::numeric_limits<int>::max(), v))
                return "the process holding the instrument must be 0 or a process id";
            m_state.openBy = long(v);
        } else if (key == "fault-open") {
            if (t.size() != 2 || !parseInteger(t[1], kInt32Min, 0, v))
                return "the open result must be 0 or negative";
            m_state.faults.openResult = std::int32_t(v);
        } else if (key == "fault-serial") {
            if (t.size() != 2 || !parseInteger(t[1], kInt32Min, kInt32Max, v))
                return "the serial result must be a 32-bit integer";
            m_state.faults.serialResult = std::int32_t(v);
        } else if (key == "fault-call") {
            return parseCallFault(t);
        } else if (key == "fault-corrupt-write") {
            long long byte = m_state.faults.corruptWriteByte;
            if (t.size() < 2 || t.size() > 3 || !parseInteger(t[1], -1, kSlotCount - 1, v)
                || (v >= 0 && v <= kLastWriteProtectedSlot)
                || (t.size() == 3 && !parseInteger(t[2], 0, sizeof(CalibrationBlock) - 1, byte)))
                return "the corrupt-write slot must be -1 or 9 to 37, its byte 0 to 63";
            m_state.faults.corruptWriteSlot = int(v);
            m_state.faults.corruptWriteByte = int(byte);
        } else if (key == "fault-unterminated-serial" || key == "fault-unterminated-names"
                   || key == "interpreted-bytes-only") {
            if (t.size() != 2 || !parseInteger(t[1], 0, 1, v))
                return "expected 0 or 1";
            (key == "fault-unterminated-serial"  ? m_state.faults.unterminatedSerial
                 : key == "fault-unterminated-names" ? m_state.faults.unterminatedNames
                                                     : m_state.interpretedBytesOnly) = v == 1;
        } else {
            return "unknown key '" + key + "'";
        }
        return {};
    }

    std::string missing() const
    {
        for (const char *key : {"attached", "serial", "delay-ms", "fault-open", "fault-serial", "fault-call",
                                "fault-corrupt-write", "fault-unterminated-serial", "fault-unterminated-names"}) {
            if (m_seenKeys.count(key) == 0)
                return std::string("'") + key + "' is missing";
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!m_seenSlots[slot])
                return "slot " + std::to_string(slot) + " is missing";
        }
        return {};
    }

private:
    std::string parseSlot(const std::vector<std::string> &t)
    {
        long long slot = 0;
        if (t.size() != 3 || !parseInteger(t[1], 0, kSlotCount - 1, slot))
            return "expected 'slot N HEX' with N from 0 to 37";
        if (m_seenSlots[slot])
            return "slot " + t[1] + " appears twice";
        std::string bytes;
        if (!fromHex(t[2], bytes) || bytes.size() != sizeof(CalibrationBlock))
            return "slot " + t[1] + " must hold 64 bytes in hexadecimal";
        CalibrationBlock &block = m_state.blocks[slot];
        std::memcpy(&block, bytes.data(), sizeof block);
        if (calNameLength(block) == kCalNameSize)
            return "slot " + t[1] + ": the name has no terminating zero";
        m_seenSlots[slot] = true;
        return {};
    }

    std::string parseCallFault(const std::vector<std::string> &t)
    {
        CallFault fault;
        if (t.size() < 2 || !parseCallFunction(t[1], fault.function))
            return "unknown function in fault-call";
        if (fault.function == CallFunction::None) {
            if (t.size() != 2)
                return "'fault-call none' takes nothing more";
            m_state.faults.call = fault;
            return {};
        }
        long long slot = 0, code = 0, occurrence = 0, seen = 0;
        if (t.size() != 6 || !parseInteger(t[2], 0, kSlotCount - 1, slot)
            || !parseInteger(t[3], kInt32Min, kInt32Max, code) || code == 0
            || !parseInteger(t[4], 0, kInt32Max, occurrence) || !parseInteger(t[5], 0, kInt32Max, seen))
            return "expected 'fault-call FUNCTION SLOT CODE OCCURRENCE SEEN' with a non-zero code";
        fault.slot = int(slot);
        fault.code = std::int32_t(code);
        fault.occurrence = int(occurrence);
        fault.seen = int(seen);
        m_state.faults.call = fault;
        return {};
    }

    InstrumentState &m_state;
    std::set<std::string> m_seenKeys;
    bool m_seenSlots[kSlotCount] = {};
};

std::vector<std::string> splitWords(const std::string &line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

std::string parentDirectory(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeDirectories(const std::string &dir)
{
    if (dir.empty() || dir == "/" || dir == ".")
        return true;
    struct stat info;
    if (::stat(dir.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (!makeDirectories(parentDirectory(dir)))
        return false;
    return ::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
}

bool writeAll(int fd, const std::string &data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

} // namespace

bool parseInteger(const std::string &text, long long min, long long max, long long &value)
{
    if (text.empty())
        return false;
    errno = 0;
    char *end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

InstrumentState::InstrumentState()
{
    blocks.fill(emptyCalibrationBlock());
}

const char *callFunctionName(CallFunction function)
{
    switch (function) {
    case CallFunction::GetDeviceCalName:
        return "getdevicecalname";
    case CallFunction::RetrieveDeviceCal:
        return "retrievedevicecal";
    case CallFunction::LoadDeviceCal:
        return "loaddevicecal";
    case CallFunction::None:
        break;
    }
    return "none";
}

bool parseCallFunction(const std::string &text, CallFunction &function)
{
    for (CallFunction f : {CallFunction::None, CallFunction::GetDeviceCalName, CallFunction::RetrieveDeviceCal,
                           CallFunction::LoadDeviceCal}) {
        if (text == callFunctionName(f)) {
            function = f;
            return true;
        }
    }
    return false;
}

std::string statePath()
{
    const char *explicitPath = std::getenv("TARVIK_STANDIN_STATE");
    if (explicitPath && *explicitPath)
        return explicitPath;
    std::string dataHome;
    const char *xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg) {
        dataHome = xdg;
    } else {
        const char *home = std::getenv("HOME");
        dataHome = std::string(home ? home : ".") + "/.local/share";
    }
    return dataHome + "/tarvik-standin/instrument.state";
}

bool load(const std::string &path, InstrumentState &state, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened (" + std::strerror(errno) + ")";
        return false;
    }
    in.seekg(0, std::ios::end);
    if (in.tellg() > kMaxStateFileSize) {
        error = path + ": too large to be an instrument state";
        return false;
    }
    in.seekg(0);

    InstrumentState parsed;
    StateParser parser(parsed);
    std::string line;
    int number = 0;
    bool ended = false;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = path + ": line " + std::to_string(number) + ": ";
        if (ended) {
            error = where + "text after 'end'";
            return false;
        }
        if (number == 1) {
            if (line != kHeader) {
                error = where + "not a stand-in instrument state (expected '" + kHeader + "')";
                return false;
            }
            continue;
        }
        const std::vector<std::string> words = splitWords(line);
        if (words.empty()) {
            error = where + "empty line";
            return false;
        }
        if (words.size() == 1 && words[0] == "end") {
            ended = true;
            continue;
        }
        const std::string problem = parser.parseLine(words);
        if (!problem.empty()) {
            error = where + problem;
            return false;
        }
    }
    if (!ended) {
        error = path + ": incomplete, 'end' is missing";
        return false;
    }
    const std::string missing = parser.missing();
    if (!missing.empty()) {
        error = path + ": " + missing;
        return false;
    }
    state = parsed;
    return true;
}

StateLock::StateLock(const std::string &path)
    : m_fd(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666))
{
    // Without a lock file (no folder yet) there is no state to share either.
    while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

StateLock::~StateLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool save(const std::string &path, const InstrumentState &state, std::string &error)
{
    const std::string dir = parentDirectory(path);
    if (!makeDirectories(dir)) {
        error = dir + ": cannot create the directory (" + std::strerror(errno) + ")";
        return false;
    }
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(&temp[0]);
    if (fd < 0) {
        error = temp + ": cannot create (" + std::strerror(errno) + ")";
        return false;
    }
    const bool written = writeAll(fd, serialize(state)) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = path + ": cannot be written (" + std::strerror(written ? errno : savedErrno) + ")";
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::string blockName(const CalibrationBlock &block)
{
    return std::string(block.calName, calNameLength(block));
}

void setBlockName(CalibrationBlock &block, const std::string &name)
{
    std::memset(block.calName, 0, kCalNameSize);
    std::memcpy(block.calName, name.data(), std::min(name.size(), kCalNameSize - 1));
}

} // namespace standin
