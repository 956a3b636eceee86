#include "testsupport/MarkerProgramWin32.h"

#include <cstdio>
#include <filesystem>
#include <thread>

#include "platform/win32/WindowsApi.h"
#include "testsupport/NativePath.h"

namespace fs = std::filesystem;

namespace TestSupport {

namespace {

fs::path MarkerProgram() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return fs::path(self).parent_path() / L"MarkerProgramWin32.exe";
}

}  // namespace

std::u16string PlantMarker(const TempFolder& folder, std::string_view relative) {
    const fs::path target = folder.Path() / relative;
    fs::create_directories(target.parent_path());
    fs::copy_file(MarkerProgram(), target, fs::copy_options::overwrite_existing);
    return folder.Text(relative);
}

MarkerRun WaitForMarker(const std::u16string& program, std::chrono::milliseconds patience) {
    const fs::path marker = PathOfText(program + u".ran");
    const auto deadline = std::chrono::steady_clock::now() + patience;
    MarkerRun run;
    std::FILE* file = nullptr;
    while ((file = _wfopen(marker.c_str(), L"rb")) == nullptr) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::u16string text;
    char16_t unit = 0;
    while (std::fread(&unit, sizeof unit, 1, file) == 1) {
        text.push_back(unit);
    }
    std::fclose(file);
    const auto newline = text.find(u'\n');
    run.Ran = true;
    run.CommandLine = text.substr(0, newline);
    run.Folder = newline == std::u16string::npos ? u"" : text.substr(newline + 1);
    return run;
}

bool RanMeanwhile(const std::u16string& program) {
    return WaitForMarker(program, std::chrono::milliseconds(300)).Ran;
}

}  // namespace TestSupport
