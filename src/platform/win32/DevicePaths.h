#pragma once

// Paths through which Windows opens a device instead of a file: a reserved name such as CON,
// NUL.txt or COM1 as the last component (also behind a colon, "nul:"), and the device
// namespace ("\\.\COM1", "\\?\Volume{...}") apart from its drive-letter and UNC forms. The
// program never opens one, whatever it meant to do with it.

#include <string>

namespace Platform::Win32 {

bool IsDevicePath(const std::u16string& path);

}  // namespace Platform::Win32
