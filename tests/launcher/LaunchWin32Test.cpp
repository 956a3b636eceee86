// A slot's command, resolved by the core and started by Windows: the script named in full
// runs, and no shorter program planted along its path ever does.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "launcher/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/NativePath.h"
#include "testsupport/TempFolder.h"

using Launcher::ResolveCommand;
using TestSupport::TempFolder;
using TestSupport::Utf8;
namespace fs = std::filesystem;

namespace {

// The marker program (tests/platform/MarkerProgramWin32.cpp) is built beside the test program;
// each copy leaves "<its path>.ran" holding its command line and current folder.
std::u16string PlantMarker(const TempFolder& drive, std::string_view relative) {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const fs::path target = drive.Path() / relative;
    fs::create_directories(target.parent_path());
    fs::copy_file(fs::path(self).parent_path() / L"MarkerProgramWin32.exe", target,
                  fs::copy_options::overwrite_existing);
    return drive.Text(relative);
}

// The marker's text, once it is there and can be read (a few seconds at most), or empty.
std::u16string WaitForMarker(const std::u16string& program, std::chrono::milliseconds patience) {
    const fs::path marker = TestSupport::PathOfText(program + u".ran");
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::FILE* file = nullptr;
    while ((file = _wfopen(marker.c_str(), L"rb")) == nullptr) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::u16string text;
    char16_t unit = 0;
    while (std::fread(&unit, sizeof unit, 1, file) == 1) {
        text.push_back(unit);
    }
    std::fclose(file);
    return text;
}

bool IsFile(const std::u16string& path) {
    return Platform::KindOfPath(path) == Platform::PathKind::File;
}

}  // namespace

TEST(LaunchWin32, TheScriptNamedInFullRunsAndNoPlantedShorterProgram) {
    TempFolder drive;
    drive.WriteFile("My Apps/Tool/run.cmd", "@\"%~dp0marker.exe\" %*\r\n");
    const auto marker = PlantMarker(drive, "My Apps/Tool/marker.exe");
    // Everything a careless start could pick instead: the path cut at its first space, and
    // the script's name without its extension.
    const std::u16string planted[] = {
        PlantMarker(drive, "My"),
        PlantMarker(drive, "My.exe"),
        PlantMarker(drive, "My Apps/Tool/run"),
        PlantMarker(drive, "My Apps/Tool/run.exe"),
    };
    const std::u16string folder = drive.Text("My Apps/Tool");
    auto processes = Platform::SystemProcesses();

    for (const std::u16string arguments : {u" --fast \"x y\"", u""}) {
        fs::remove(TestSupport::PathOfText(marker + u".ran"));
        const std::u16string command = drive.Text("My Apps/Tool/run.cmd") + arguments + u"\r\n";
        const auto resolved = ResolveCommand(command, folder.size() + 1, IsFile);
        ASSERT_TRUE(resolved.has_value()) << Utf8(command);
        EXPECT_EQ(resolved->Program, drive.Text("My Apps/Tool/run.cmd"));
        const auto status =
            processes->Start(resolved->Program, resolved->ArgumentText, resolved->WorkingFolder);
        ASSERT_TRUE(status.Ok) << Utf8(status.Reason);

        const auto ran = WaitForMarker(marker, std::chrono::seconds(10));
        ASSERT_FALSE(ran.empty()) << "run.cmd did not run: " << Utf8(command);
        // The script ran in its own folder and passed the arguments on as written.
        EXPECT_EQ(ran.substr(ran.find(u'\n') + 1), folder);
        EXPECT_NE(ran.find(arguments + u"\n"), std::u16string::npos) << Utf8(ran);
    }
    for (const auto& program : planted) {
        EXPECT_TRUE(WaitForMarker(program, std::chrono::milliseconds(300)).empty())
            << Utf8(program) << " ran";
    }
}
