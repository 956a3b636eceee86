#pragma once

// The mount table of /proc/self/mountinfo, read into what the drive list needs.

#include <string>
#include <string_view>
#include <vector>

namespace Platform::Posix {

struct MountEntry {
    std::string Device;      // "major:minor"
    std::string MountPoint;  // unescaped
    std::string FsType;
};

// Lines that do not have the expected fields are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The mount point that holds path (an absolute path without "." or ".." parts): the longest
// one that is path itself or a leading run of its components. Empty when none is.
std::string MountPointOf(std::string_view path, const std::vector<MountEntry>& mounts);

}  // namespace Platform::Posix
