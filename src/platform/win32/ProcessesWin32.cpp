#include <memory>
#include <string>
#include <string_view>

#include "platform/Paths.h"
#include "platform/Processes.h"
#include "platform/ProgramKind.h"
#include "platform/win32/CriticalErrorsOff.h"
#include "platform/win32/DevicePaths.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {

namespace {

using Win32::ErrorText;
using Win32::Wide;

bool IsBatchFile(std::u16string_view program) {
    std::u16string name = NameOfPath(program);
    // Windows opens "run.cmd. " as "run.cmd", and would run it as the batch file it is.
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) {
        name.pop_back();
    }
    if (name.size() < 4) {
        return false;
    }
    std::u16string extension = name.substr(name.size() - 4);
    for (auto& c : extension) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return extension == u".bat" || extension == u".cmd";
}

// The interpreter in the system folder, not the one an environment variable names.
std::wstring SystemCommandInterpreter() {
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.assign(length, L'\0');  // the size asked for, its null included
        length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    folder.resize(length);
    return folder + L"\\cmd.exe";
}

// A failure worded by Windows. Some wordings carry the name of the file as "%1" ("%1 is not a
// valid Win32 application."); the program's name goes there.
IoStatus StartFailure(DWORD error, std::u16string_view program) {
    std::u16string reason = ErrorText(error);
    const std::u16string name = NameOfPath(program);
    for (auto at = reason.find(u"%1"); at != std::u16string::npos;
         at = reason.find(u"%1", at + name.size())) {
        reason.replace(at, 2, name);
    }
    return IoStatus::Failure(std::move(reason));
}

class Win32Processes final : public Processes {
  public:
    IoStatus Start(const std::u16string& program, const std::u16string& argumentText,
                   const std::u16string& workingFolder) override {
        if (program.empty()) {
            return StartFailure(ERROR_FILE_NOT_FOUND, program);
        }
        if (Win32::IsDevicePath(program)) {
            return IoStatus::Failure(u"This is the name of a device, not of a program.");
        }
        // A program on a drive without media fails here instead of asking for a disk.
        const Win32::CriticalErrorsOff quiet;
        const std::wstring path = Wide(program);
        const bool batch = IsBatchFile(program);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES && batch) {
            // The interpreter would start and only then find no script, in a window that
            // closes at once: the user would never learn why nothing ran.
            return StartFailure(GetLastError(), program);
        }
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return IoStatus::Failure(u"This is a folder, not a program.");
        }
        // Windows would say only that it is no valid application; the drive may well be
        // meant for Linux as well, where this program does start.
        const ProgramKind kind = KindOfProgram(program, ProgramHead(program));
        if (kind == ProgramKind::Elf || kind == ProgramKind::Script) {
            return IoStatus::Failure(
                u"This is a Linux program, which Windows cannot start. It starts from kivola, "
                u"the Linux edition of this launcher, on a Linux computer.");
        }

        // The program is named on its own, so Windows never picks it out of the command line,
        // where an unquoted "E:\My Apps\x.exe" would first try "E:\My.exe" and a name without
        // extension would get ".exe" added. The command line is then only what the program
        // sees: its own name in quotes and the user's text as written.
        std::wstring application = path;
        std::wstring commandLine = L"\"" + path + L"\"";
        if (!argumentText.empty()) {
            commandLine += L" " + Wide(argumentText);
        }
        if (batch) {
            // Batch files run in the command interpreter. With /s it takes off the outer pair of
            // quotes and runs what is left, the quoted script and its arguments, as it stands.
            application = SystemCommandInterpreter();
            if (application.empty()) {
                return StartFailure(GetLastError(), program);
            }
            commandLine = L"cmd.exe /d /s /c \"" + commandLine + L"\"";
        }

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        const std::wstring folder = Wide(workingFolder);
        // The program starts with Windows' default error boxes, whatever this process has
        // turned off for itself.
        const BOOL started =
            CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                           CREATE_DEFAULT_ERROR_MODE, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &process);
        if (started == FALSE) {
            return StartFailure(GetLastError(), program);
        }
        // Nothing of the program is kept: it runs on its own and outlives the launcher.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return IoStatus::Success();
    }
};

}  // namespace

std::unique_ptr<Processes> SystemProcesses() {
    return std::make_unique<Win32Processes>();
}

}  // namespace Platform
