#pragma once

// The least work any application scan must do over a drive of application folders: list the
// drive, and for every sub-folder read its descriptor and list the sub-folder, with the
// plainest calls the system has. One version per system (ScanFloorPosix.cpp,
// ScanFloorWin32.cpp); CMake picks the one for the target.

#include <filesystem>

namespace ScanFloor {

// The calls the floor is made of, for the table's heading.
extern const char* const Calls;

// Lists drive and every sub-folder and reads descriptorName in each sub-folder; the number of
// descriptors read.
long ListAndRead(const std::filesystem::path& drive, const std::filesystem::path& descriptorName);

}  // namespace ScanFloor
