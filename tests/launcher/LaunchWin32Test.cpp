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
#include "testsupport/MarkerProgramWin32.h"
#include "testsupport/NativePath.h"
#include "testsupport/TempFolder.h"

using Launcher::ResolveCommand;
using TestSupport::PlantMarker;
using TestSupport::TempFolder;
using TestSupport::Utf8;
using TestSupport::WaitForMarker;
namespace fs = std::filesystem;

namespace {

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

        const auto ran = WaitForMarker(marker);
        ASSERT_TRUE(ran.Ran) << "run.cmd did not run: " << Utf8(command);
        // The script ran in its own folder and passed the arguments on as written.
        EXPECT_EQ(ran.Folder, folder);
        EXPECT_TRUE(ran.CommandLine.ends_with(arguments)) << Utf8(ran.CommandLine);
    }
    for (const auto& program : planted) {
        EXPECT_FALSE(TestSupport::RanMeanwhile(program)) << Utf8(program) << " ran";
    }
}
