#pragma once

// The program's 16-bit texts and Windows' wide strings hold the same UTF-16 code units; these
// only change the type. Also the wording of a Windows error for the user.

#include <string>
#include <string_view>

#include "platform/IoStatus.h"
#include "platform/win32/WindowsApi.h"

namespace Platform::Win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

std::wstring Wide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

// The system's own wording of an error code ("The system cannot find the file specified."),
// without the line end FormatMessageW puts after it.
std::u16string ErrorText(DWORD error);

// A failure worded from an error code (GetLastError() by default).
IoStatus ErrorFailure(DWORD error = GetLastError());

}  // namespace Platform::Win32
