#pragma once

// The drives the program can tell about: their keys, kind, readiness and sizes. Reading the
// list touches no media; readiness and sizes are asked for one drive at a time, so a slow or
// empty drive (a card reader without a card, a stalled network share) is queried only when it
// is the one wanted.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Platform {

// Drive types in the numbering callers compare with (2 is a fixed disk).
inline constexpr std::int32_t DriveTypeUnknown = 0;
inline constexpr std::int32_t DriveTypeRemovable = 1;
inline constexpr std::int32_t DriveTypeFixed = 2;
inline constexpr std::int32_t DriveTypeNetwork = 3;
inline constexpr std::int32_t DriveTypeOptical = 4;
inline constexpr std::int32_t DriveTypeRamDisk = 5;

struct DriveSizes {
    std::uint64_t TotalBytes = 0;
    std::uint64_t FreeBytes = 0;  // free on the drive, not only what this user may fill
};

class Drives {
  public:
    virtual ~Drives() = default;

    // The key of every drive, in the platform's order. On Windows a drive letter, on Linux the
    // mount point.
    virtual std::vector<std::u16string> DriveKeys() = 0;

    // The key of the drive that holds path (empty when none does).
    virtual std::u16string KeyOfPath(const std::u16string& path) = 0;

    // Details of the drive with this key.
    virtual std::int32_t DriveType(const std::u16string& key) = 0;
    virtual bool IsReady(const std::u16string& key) = 0;
    // Nothing when the sizes cannot be read.
    virtual std::optional<DriveSizes> SizesOf(const std::u16string& key) = 0;
};

// The drives of the machine the program runs on.
std::unique_ptr<Drives> SystemDrives();

}  // namespace Platform
