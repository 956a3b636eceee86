// Clicking a slot starts its application: real scripts on a temporary drive.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "launcher/CommandLine.h"
#include "launcher/LauncherFixture.h"

using Launcher::ResolveCommand;
using TestSupport::LauncherOnDrive;
namespace fs = std::filesystem;

namespace {

// A script that writes its working folder and arguments to "marker" in that folder, one
// more line per run.
constexpr std::string_view MarkerScript =
    "#!/bin/sh\n"
    "{ printf '%s' \"$PWD\"; for a in \"$@\"; do printf '|%s' \"$a\"; done; echo; } >> marker\n";

void Script(const LauncherOnDrive& launcher, const std::string& relative,
            std::string_view text = MarkerScript) {
    const auto path = launcher.Drive.WriteFile(relative, text);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

// Waits (up to a few seconds) for a started program to leave its marker with lines lines.
std::string WaitForMarker(const LauncherOnDrive& launcher, const std::string& relative,
                          std::size_t lines = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string content;
    while (std::chrono::steady_clock::now() < deadline) {
        content = launcher.Drive.ReadFile(relative);
        if (static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) >= lines) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return content;
}

int SlotTitled(const LauncherOnDrive& launcher, std::u16string_view title) {
    for (int slot = 1; slot <= 20; ++slot) {
        if (launcher.View.Slots[static_cast<std::size_t>(slot)].ToolTip == title) {
            return slot;
        }
    }
    ADD_FAILURE() << "no slot shows " << TestSupport::Utf8(title);
    return 1;
}

}  // namespace

TEST(Launch, ClickStartsTheScriptInItsOwnFolder) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("Runner", "run.sh\r\n");  // as a text editor saves it
    Script(launcher, "Runner/run.sh");
    launcher.App("Args", "run.sh one \"two words\"");
    Script(launcher, "Args/run.sh");
    launcher.Start();

    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Runner"));
    const auto runner = launcher.Drive.Path() / "Runner";
    EXPECT_EQ(WaitForMarker(launcher, "Runner/marker"), runner.string() + "\n");
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Args"));
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Args"));  // twice: two processes
    const auto args = (launcher.Drive.Path() / "Args").string() + "|one|two words\n";
    EXPECT_EQ(WaitForMarker(launcher, "Args/marker", 2), args + args);
    EXPECT_TRUE(launcher.Dialogs.Messages.empty());

    // Empty slots do nothing.
    launcher.Form->imgApp_Click(20);
    launcher.Form->imgApp_Click(0);
    launcher.Form->imgApp_Click(21);
    EXPECT_TRUE(launcher.Dialogs.Messages.empty());
}

TEST(Launch, LongestExistingPathIsTheProgram) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    // Spaces in the folder and in the file name; shorter programs planted along the way would
    // run instead if the command were cut at its first space.
    launcher.App("My Apps", "run me.sh --fast");
    Script(launcher, "My Apps/run me.sh");
    Script(launcher, "My", "#!/bin/sh\ntouch \"$PWD/planted-root\"\n");
    Script(launcher, "My Apps/run", "#!/bin/sh\ntouch \"$PWD/planted-app\"\n");
    launcher.Start();
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Apps"));
    EXPECT_EQ(WaitForMarker(launcher, "My Apps/marker"),
              (launcher.Drive.Path() / "My Apps").string() + "|--fast\n");
    EXPECT_FALSE(launcher.Drive.Exists("My Apps/planted-app"));
    EXPECT_FALSE(launcher.Drive.Exists("planted-root"));
    EXPECT_FALSE(launcher.Drive.Exists("My Apps/planted-root"));
}

TEST(Launch, CommandThatCannotStartIsToldAndTheLauncherGoesOn) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("Missing", "missing.sh");
    launcher.App("Empty", "");
    launcher.App("Plain", "plain.txt");
    launcher.Drive.WriteFile("Plain/plain.txt", "not a program");
    launcher.Start();
    struct Case {
        std::u16string title;
        std::u16string command;
        std::u16string reason;
    };
    const Case cases[] = {
        {u"Missing", launcher.Drive.Text("Missing/missing.sh"), u"No such file or directory"},
        {u"Empty", launcher.Drive.Text("Empty/"), u"Is a directory"},
        {u"Plain", launcher.Drive.Text("Plain/plain.txt"), u"Permission denied"},
    };
    for (const auto& c : cases) {
        launcher.Dialogs.Messages.clear();
        launcher.Form->imgApp_Click(SlotTitled(launcher, c.title));
        ASSERT_EQ(launcher.Dialogs.Messages.size(), 1U) << TestSupport::Utf8(c.title);
        const auto& message = launcher.Dialogs.Messages[0];
        EXPECT_EQ(message.Title, u"Kivola");
        EXPECT_NE(message.Prompt.find(c.command), std::u16string::npos);
        EXPECT_NE(message.Prompt.find(c.reason), std::u16string::npos)
            << TestSupport::Utf8(message.Prompt);
    }
}

TEST(CommandLine, ResolvesAgainstWhatExists) {
    const std::set<std::u16string> files{u"/d/a b/c d.sh", u"/d/a", u"/run", u"/d/x", u"/d/My"};
    const auto isFile = [&files](const std::u16string& path) { return files.contains(path); };
    const std::size_t inAB = std::u16string(u"/d/a b/").size();
    const std::size_t inD = std::u16string(u"/d/").size();
    const auto resolved = ResolveCommand(u"/d/a b/c d.sh  -v \"x y\"\r\n\r\n", inAB, isFile);
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(resolved->Program, u"/d/a b/c d.sh");
    EXPECT_EQ(resolved->ArgumentText, u" -v \"x y\"");  // as written, for the platform to take
    EXPECT_EQ(resolved->WorkingFolder, u"/d/a b");
    EXPECT_EQ(ResolveCommand(u"/run\n", 1, isFile)->WorkingFolder, u"/");
    EXPECT_EQ(ResolveCommand(u"/d/x y z", inD, isFile)->ArgumentText, u"y z");
    EXPECT_FALSE(ResolveCommand(u"/d/b c", inD, isFile).has_value());
    EXPECT_FALSE(ResolveCommand(u"\r\n", 0, isFile).has_value());
    EXPECT_FALSE(ResolveCommand(u" /d/a", 0, isFile).has_value());
    // Never a file outside the application folder: the cut may only fall in the executable text.
    const std::size_t inMyApps = std::u16string(u"/d/My Apps/").size();
    EXPECT_FALSE(ResolveCommand(u"/d/My Apps/tool.sh", inMyApps, isFile).has_value());
    EXPECT_FALSE(ResolveCommand(u"/d/My Apps/", inMyApps, isFile).has_value());
    EXPECT_FALSE(ResolveCommand(u"/d/My Apps/ x", inMyApps, isFile).has_value());
}

TEST(Launch, AMissingProgramNeverStartsOnePlantedAlongItsFolder) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("My Apps", "tool.sh --fast");  // tool.sh is not there
    launcher.App("My Tools", "");               // no executable at all
    Script(launcher, "My", "#!/bin/sh\ntouch \"$PWD/planted-ran\"\n");
    launcher.Start();
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Apps"));
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Tools"));
    ASSERT_EQ(launcher.Dialogs.Messages.size(), 2U);
    EXPECT_NE(launcher.Dialogs.Messages[0].Prompt.find(launcher.Drive.Text("My Apps/tool.sh")),
              std::u16string::npos);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(launcher.Drive.Exists("planted-ran"));
}
