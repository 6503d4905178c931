#pragma once
// The process's memory as the kernel reports it in /proc/self/status.

#include <fstream>
#include <string>

namespace tonel::testing {

// A "Vm..." line's value in KiB ("VmRSS" resident now, "VmHWM" the peak); -1 when it is missing.
inline long processMemoryKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    const std::string prefix = field + ':';
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

}  // namespace tonel::testing
