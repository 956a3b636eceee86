#include "testsupport/ChildProcess.h"

#include <filesystem>

#include "platform/win32/WindowsApi.h"

namespace TestSupport {

struct ChildProcess::System {
    HANDLE Process = nullptr;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::u16string>& arguments)
    : system_(std::make_unique<System>()) {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::wstring path =
        (std::filesystem::path(self).parent_path() / std::filesystem::path(program)).wstring();
    std::wstring commandLine = L"\"" + path + L"\"";
    for (const auto& argument : arguments) {
        commandLine += L" \"" + std::wstring(argument.begin(), argument.end()) + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        system_->Process = started.hProcess;
    }
}

ChildProcess::~ChildProcess() {
    Kill();
}

bool ChildProcess::Started() const {
    return system_->Process != nullptr;
}

void ChildProcess::Kill() {
    if (system_->Process != nullptr) {
        TerminateProcess(system_->Process, 9);
        WaitForSingleObject(system_->Process, INFINITE);
        CloseHandle(system_->Process);
        system_->Process = nullptr;
    }
}

}  // namespace TestSupport
