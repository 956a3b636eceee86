#pragma once

// How the two started programs of the Windows start-up benchmark tell the runner what they saw
// from inside: one line on their standard output, "ENTERED MOMENT PEAK_KB TEXT": the
// performance counter at their entry point and at the moment that counts, their peak working
// set, and words for people. The counter is the same in every process of the machine, so the
// runner can set both against the moment it started the program.
// A GUI program has no console, so the line goes to whatever the runner handed it as standard
// output, and nowhere when it was started without one.

#include "platform/win32/WindowsApi.h"

// K32GetProcessMemoryInfo lives in kernel32 itself, so the programs need not import psapi.dll.
#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2
#endif
#include <psapi.h>

#include <cstdio>
#include <string>

namespace BenchWin32 {

inline LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}

inline double MillisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

inline double MillisecondsSince(LARGE_INTEGER start) {
    return MillisecondsBetween(start, Now());
}

inline std::string Fixed1(double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", value);
    return text;
}

// Read at the end: a peak only grows.
inline unsigned long long PeakWorkingSetKilobytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        return 0;
    }
    return counters.PeakWorkingSetSize / 1024;
}

inline void Report(LARGE_INTEGER entered, LARGE_INTEGER moment, const std::string& text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line = std::to_string(entered.QuadPart) + " " +
                             std::to_string(moment.QuadPart) + " " +
                             std::to_string(PeakWorkingSetKilobytes()) + " " + text + "\r\n";
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace BenchWin32
