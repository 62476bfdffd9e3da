// What the benchmarks read about their own process: resident memory and its peak.
#pragma once

#include <cstring>
#include <fstream>
#include <string>

// A kilobyte field of /proc/self/status, such as "VmRSS:" or "VmHWM:"; 0 when missing.
inline long statusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(std::strlen(field)));
        }
    }
    return 0;
}
