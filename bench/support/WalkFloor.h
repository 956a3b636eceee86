#pragma once

// What CDirDrill is measured against, in a file of each system's own (WalkFloorPosix.cpp,
// WalkFloorWin32.cpp; CMake picks the one for the target): on POSIX GNU find, on Windows the
// least any walk must do, every folder listed once with FindFirstFileW/FindNextFileW.

#include <filesystem>

namespace WalkFloor {

// Wall-clock and processor time of one walk. The machine may be busy with other work, which
// stretches the wall-clock times; the processor times are what the walk itself costs.
struct Timing {
    double Wall = 0;
    double Processor = 0;
    long Files = -1;  // the files the floor saw; -1 when it does not count them
};

// The floor's name for the table, what its processor time covers, and the ratio to aim for.
extern const char* const Name;
extern const char* const ProcessorNote;
extern const double Goal;

// Processor time (user and system) this process has used so far.
double OwnProcessorSeconds();

// One walk over the tree below root.
Timing Walk(const std::filesystem::path& root);

}  // namespace WalkFloor
