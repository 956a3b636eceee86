// A program the tests start for real: it leaves, next to itself as "<own file name>.ran", the
// command line it was given and the folder it was started in, as UTF-16 text separated by a
// line feed. The file appears in one step (written aside, then renamed), so a test polling for
// it never reads half of it.
//
// Nothing but Windows' own DLLs is needed, so that a copy of this program runs from any folder
// without runtime DLLs beside it.

#include "platform/win32/WindowsApi.h"

namespace {

constexpr DWORD Capacity = 32768;  // the longest command line and path Windows allows
wchar_t Text[2 * Capacity + 2];
wchar_t Target[Capacity + 8];
wchar_t Aside[Capacity + 8];
wchar_t Folder[Capacity];

DWORD Append(DWORD at, const wchar_t* text) {
    while (*text != L'\0' && at < sizeof Text / sizeof Text[0]) {
        Text[at++] = *text++;
    }
    return at;
}

}  // namespace

int main() {
    DWORD length = Append(0, GetCommandLineW());
    length = Append(length, L"\n");
    const DWORD folderLength = GetCurrentDirectoryW(Capacity, Folder);
    if (folderLength == 0 || folderLength >= Capacity) {
        return 2;
    }
    length = Append(length, Folder);

    const DWORD self = GetModuleFileNameW(nullptr, Target, Capacity);
    if (self == 0 || self >= Capacity) {
        return 3;
    }
    lstrcpyW(Aside, Target);
    lstrcatW(Target, L".ran");
    lstrcatW(Aside, L".tmp");

    const HANDLE file = CreateFileW(Aside, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 4;
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, Text, length * static_cast<DWORD>(sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    if (wrote == FALSE || MoveFileExW(Aside, Target, MOVEFILE_REPLACE_EXISTING) == FALSE) {
        return 5;
    }
    return 0;
}
