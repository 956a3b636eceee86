#pragma once

// GetDriveTypeW's answer in the numbering the core compares with (Platform::DriveType*).

#include <cstdint>

#include "platform/Drives.h"
#include "platform/win32/WindowsApi.h"

namespace Platform::Win32 {

constexpr std::int32_t DriveTypeFromWindows(UINT type) {
    switch (type) {
        case DRIVE_REMOVABLE:
            return DriveTypeRemovable;
        case DRIVE_FIXED:
            return DriveTypeFixed;
        case DRIVE_REMOTE:
            return DriveTypeNetwork;
        case DRIVE_CDROM:
            return DriveTypeOptical;
        case DRIVE_RAMDISK:
            return DriveTypeRamDisk;
        default:
            // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR (no such drive) and anything a later Windows adds.
            return DriveTypeUnknown;
    }
}

}  // namespace Platform::Win32
