#include "ui/win32/Win32Dialogs.h"

#include <cwchar>
#include <string>
#include <vector>

#include "platform/FileFilter.h"
#include "platform/FileSystem.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

#include <commdlg.h>

namespace Win32Ui {

namespace {

// Windows' longest path is 32767 characters, with the terminating null 32768.
constexpr DWORD kLongestPath = 32768;

// The active window of this thread, when it is one of this process's windows (with input shared
// through AttachThreadInput it can be another's); else none, and the dialog stands on its own.
HWND OwnerWindow() {
    HWND active = GetActiveWindow();
    if (active == nullptr) {
        return nullptr;
    }
    DWORD process = 0;
    if (GetWindowThreadProcessId(active, &process) == 0 || process != GetCurrentProcessId()) {
        return nullptr;
    }
    return active;
}

UINT IconStyle(Platform::MessageIcon icon) {
    switch (icon) {
        case Platform::MessageIcon::Critical:
            return MB_ICONERROR;
        case Platform::MessageIcon::Question:
            return MB_ICONQUESTION;
        case Platform::MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case Platform::MessageIcon::Information:
            return MB_ICONINFORMATION;
        case Platform::MessageIcon::None:
            break;
    }
    return 0;
}

// "Description\0pattern;pattern\0...\0\0", the form lpstrFilter takes. A filter without a
// pattern is left out: its empty pattern would end the list early.
std::wstring FilterText(const std::u16string& filter) {
    std::wstring text;
    for (const auto& each : Platform::ParseFileFilter(filter)) {
        if (each.Patterns.empty()) {
            continue;
        }
        text += Platform::Win32::Wide(each.Description);
        text += L'\0';
        for (std::size_t index = 0; index < each.Patterns.size(); ++index) {
            if (index > 0) {
                text += L';';
            }
            text += Platform::Win32::Wide(each.Patterns[index]);
        }
        text += L'\0';
    }
    if (!text.empty()) {
        text += L'\0';
    }
    return text;
}

// The name and extension of a full path: from the offset the dialog gives, else after the
// last separator.
std::wstring TitleOf(const std::wstring& path, WORD fileOffset) {
    if (fileOffset > 0 && fileOffset < path.size()) {
        return path.substr(fileOffset);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

}  // namespace

Platform::MessageResult Win32Dialogs::ShowMessage(const Platform::MessageBoxRequest& request) {
    const bool question = request.Buttons == Platform::MessageButtons::YesNo;
    UINT style = (question ? MB_YESNO : MB_OK) | IconStyle(request.Icon) | MB_SETFOREGROUND;
    style |= question && request.DefaultButton == Platform::MessageResult::No ? MB_DEFBUTTON2
                                                                              : MB_DEFBUTTON1;
    const std::wstring prompt = Platform::Win32::Wide(request.Prompt);
    const std::wstring title = Platform::Win32::Wide(request.Title);
    const int answer = MessageBoxW(OwnerWindow(), prompt.c_str(), title.c_str(), style);
    if (!question) {
        return Platform::MessageResult::Ok;
    }
    // Only a real Yes is Yes: a box closed some other way, or one that could not be shown at
    // all (0; Wine gives -1), must not go on with what the question asked about.
    return answer == IDYES ? Platform::MessageResult::Yes : Platform::MessageResult::No;
}

std::optional<Platform::OpenFileChoice> Win32Dialogs::ShowOpen(const std::u16string& filter) {
    const std::wstring filterText = FilterText(filter);
    const std::wstring initialFolder = Platform::Win32::Wide(Platform::CurrentFolder());
    std::vector<wchar_t> file(kLongestPath, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = OwnerWindow();
    dialog.lpstrFilter = filterText.empty() ? nullptr : filterText.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kLongestPath;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    // The current folder is the drive the program scans: browsing must never change it.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_EXPLORER | OFN_DONTADDTORECENT;
    if (GetOpenFileNameW(&dialog) == FALSE) {
        // Cancelled, or failed (CommDlgExtendedError() tells which); either way no choice. A
        // too small buffer holds a size there, not a name, so it is not read.
        return std::nullopt;
    }
    const std::wstring path(file.data(), wcsnlen(file.data(), file.size()));
    if (path.empty()) {
        return std::nullopt;
    }
    Platform::OpenFileChoice choice;
    choice.FileName = Platform::Win32::FromWide(path);
    choice.FileTitle = Platform::Win32::FromWide(TitleOf(path, dialog.nFileOffset));
    return choice;
}

}  // namespace Win32Ui
