#pragma once

// The marker program (tests/platform/MarkerProgramWin32.cpp) is built beside each test program
// that starts it; each copy of it leaves "<its path>.ran" holding the command line it got and
// the folder it started in.

#include <chrono>
#include <string>
#include <string_view>

#include "testsupport/TempFolder.h"

namespace TestSupport {

// A copy of the marker program at relative inside folder; its full path.
std::u16string PlantMarker(const TempFolder& folder, std::string_view relative);

struct MarkerRun {
    bool Ran = false;
    std::u16string CommandLine;
    std::u16string Folder;
};

// What the copy at program left behind, waiting up to patience for it: nothing is waited for
// when a program starts. Reading is retried as well, since a scanner may hold a new file open
// for a moment.
MarkerRun WaitForMarker(const std::u16string& program,
                        std::chrono::milliseconds patience = std::chrono::seconds(10));

// For copies that must not run: once the real program has left its marker, a short while is
// enough for one that was started beside it.
bool RanMeanwhile(const std::u16string& program);

}  // namespace TestSupport
