#pragma once

// The icon a program carries, as Windows extracts it for the shell.

#include <string>

#include "ui/win32/Bitmap.h"

namespace Win32Ui {

// The program's first icon at side by side pixels (the system takes the entry that suits the
// size best, a PNG-coded one included, and scales it); a null Bitmap when it has none or the
// file is malformed.
Bitmap ProgramIcon(const std::u16string& program, int side);

}  // namespace Win32Ui
