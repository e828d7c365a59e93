// SPDX-License-Identifier: MIT
#include "state.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace standin {

std::string callLogPath(const std::string &statePath)
{
    return statePath + ".log";
}

void appendCallLog(const std::string &statePath, const CallLogEntry &entry)
{
    const std::string line = entry.function + ' ' + std::to_string(entry.slot) + ' '
        + std::to_string(entry.result) + '\n';
    // One write of a whole line with O_APPEND, so lines of concurrent processes never interleave.
    const int fd = ::open(callLogPath(statePath).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return; // the log serves tests; an instrument call never fails for want of it
    ssize_t n;
    do {
        n = ::write(fd, line.data(), line.size());
    } while (n < 0 && errno == EINTR);
    ::close(fd);
}

std::vector<CallLogEntry> readCallLog(const std::string &statePath)
{
    std::vector<CallLogEntry> entries;
    std::ifstream in(callLogPath(statePath));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        CallLogEntry entry;
        std::string rest;
        if (words >> entry.function >> entry.slot >> entry.result && !(words >> rest))
            entries.push_back(entry);
    }
    return entries;
}

bool clearCallLog(const std::string &statePath)
{
    return std::remove(callLogPath(statePath).c_str()) == 0 || errno == ENOENT;
}

} // namespace standin
