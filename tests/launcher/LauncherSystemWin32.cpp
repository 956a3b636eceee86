#include "launcher/LauncherSystem.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace LauncherTest {

const char ScriptExtension[] = ".cmd";

void WriteMarkerScript(const TestSupport::TempFolder& drive, const std::string& relative) {
    // Delayed expansion reads the line only after the command is parsed, so a '|' in it is
    // text, not a pipe. The line always begins with the folder, so echo never takes it for
    // one of its switches.
    drive.WriteFile(relative,
                    "@echo off\r\n"
                    "setlocal EnableDelayedExpansion\r\n"
                    "set \"line=!CD!\"\r\n"
                    ":next\r\n"
                    "if \"%~1\"==\"\" goto done\r\n"
                    "set \"line=!line!|%~1\"\r\n"
                    "shift\r\n"
                    "goto next\r\n"
                    ":done\r\n"
                    ">>marker echo !line!\r\n");
}

void WriteTouchScript(const TestSupport::TempFolder& drive, const std::string& relative,
                      std::string_view touched) {
    drive.WriteFile(relative, "@echo off\r\ntype nul > \"" + std::string(touched) + "\"\r\n");
}

std::u16string MissingProgramReason() {
    return Platform::Win32::ErrorText(ERROR_FILE_NOT_FOUND);
}

std::u16string FolderProgramReason() {
    return u"This is a folder, not a program.";
}

std::u16string NotAProgramReason(std::u16string_view name) {
    // Windows words this one with the file's name in place of "%1".
    std::u16string reason = Platform::Win32::ErrorText(ERROR_BAD_EXE_FORMAT);
    if (const auto at = reason.find(u"%1"); at != std::u16string::npos) {
        reason.replace(at, 2, name);
    }
    return reason;
}

std::u16string MissingFolderReason() {
    return Platform::Win32::ErrorText(ERROR_PATH_NOT_FOUND);
}

}  // namespace LauncherTest
