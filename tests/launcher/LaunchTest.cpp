// Clicking a slot starts its application: real scripts on a temporary drive.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "launcher/CommandLine.h"
#include "launcher/LauncherFixture.h"
#include "launcher/LauncherSystem.h"
#include "platform/Paths.h"

using Launcher::ResolveCommand;
using LauncherTest::ScriptExtension;
using TestSupport::LauncherOnDrive;
using TestSupport::Utf8;

namespace {

// A file name with the extension of the system's scripts: "run" + ".sh" or ".cmd".
std::string Script(std::string_view name) {
    return std::string(name) + ScriptExtension;
}

// Waits (up to a few seconds) for a started program to leave its marker with lines lines.
std::string WaitForMarker(const LauncherOnDrive& launcher, const std::string& relative,
                          std::size_t lines = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string content;
    while (std::chrono::steady_clock::now() < deadline) {
        content = launcher.Drive.ReadFile(relative);
        // Batch files end their lines as Windows does.
        std::erase(content, '\r');
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
    launcher.App("Runner", Script("run") + "\r\n");  // as a text editor saves it
    LauncherTest::WriteMarkerScript(launcher.Drive, "Runner/" + Script("run"));
    launcher.App("Args", Script("run") + " one \"two words\"");
    LauncherTest::WriteMarkerScript(launcher.Drive, "Args/" + Script("run"));
    launcher.Start();

    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Runner"));
    EXPECT_EQ(WaitForMarker(launcher, "Runner/marker"), Utf8(launcher.Drive.Text("Runner")) + "\n");
    // Twice: two processes. The second click waits for the first line, since two scripts
    // appending to one file at the same moment may collide on Windows.
    const auto args = Utf8(launcher.Drive.Text("Args")) + "|one|two words\n";
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Args"));
    EXPECT_EQ(WaitForMarker(launcher, "Args/marker"), args);
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Args"));
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
    launcher.App("My Apps", Script("run me") + " --fast");
    LauncherTest::WriteMarkerScript(launcher.Drive, "My Apps/" + Script("run me"));
    LauncherTest::WriteTouchScript(launcher.Drive, "My", "planted-root");
    LauncherTest::WriteTouchScript(launcher.Drive, "My Apps/run", "planted-app");
    launcher.Start();
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Apps"));
    EXPECT_EQ(WaitForMarker(launcher, "My Apps/marker"),
              Utf8(launcher.Drive.Text("My Apps")) + "|--fast\n");
    EXPECT_FALSE(launcher.Drive.Exists("My Apps/planted-app"));
    EXPECT_FALSE(launcher.Drive.Exists("planted-root"));
    EXPECT_FALSE(launcher.Drive.Exists("My Apps/planted-root"));
}

TEST(Launch, CommandThatCannotStartIsToldAndTheLauncherGoesOn) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("Missing", Script("missing"));
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
        {u"Missing", launcher.Drive.Text("Missing/" + Script("missing")),
         LauncherTest::MissingProgramReason()},
        {u"Empty", launcher.Drive.Text("Empty/"), LauncherTest::FolderProgramReason()},
        {u"Plain", launcher.Drive.Text("Plain/plain.txt"),
         LauncherTest::NotAProgramReason(u"plain.txt")},
    };
    for (const auto& c : cases) {
        launcher.Dialogs.Messages.clear();
        launcher.Form->imgApp_Click(SlotTitled(launcher, c.title));
        ASSERT_EQ(launcher.Dialogs.Messages.size(), 1U) << Utf8(c.title);
        const auto& message = launcher.Dialogs.Messages[0];
        EXPECT_EQ(message.Title, u"Kivola");
        EXPECT_NE(message.Prompt.find(c.command), std::u16string::npos);
        EXPECT_NE(message.Prompt.find(c.reason), std::u16string::npos)
            << Utf8(message.Prompt) << "\nshould say: " << Utf8(c.reason);
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
    launcher.App("My Apps", Script("tool") + " --fast");  // the script is not there
    launcher.App("My Tools", "");                         // no executable at all
    LauncherTest::WriteTouchScript(launcher.Drive, "My", "planted-ran");
    launcher.Start();
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Apps"));
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"My Tools"));
    ASSERT_EQ(launcher.Dialogs.Messages.size(), 2U);
    EXPECT_NE(
        launcher.Dialogs.Messages[0].Prompt.find(launcher.Drive.Text("My Apps/" + Script("tool"))),
        std::u16string::npos);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(launcher.Drive.Exists("planted-ran"));
}

TEST(CommandLine, DotDotMayNotLeadOutOfTheApplicationFolder) {
    const std::u16string folder =
        std::u16string(u"/d/App") + Platform::SeparatorOf(Platform::NativePathStyle);
    const auto path = [&](std::u16string_view rest) { return folder + std::u16string(rest); };
    const auto at = [&](std::u16string_view rest) {
        std::u16string text = path(rest);
        std::replace(text.begin(), text.end(), u'/',
                     Platform::SeparatorOf(Platform::NativePathStyle));
        return text;
    };
    const std::size_t length = folder.size();
    EXPECT_TRUE(Launcher::LeavesFolder(at(u"../x"), length));
    EXPECT_TRUE(Launcher::LeavesFolder(at(u"a/../../x"), length));
    EXPECT_TRUE(Launcher::LeavesFolder(at(u"./../x"), length));
    EXPECT_FALSE(Launcher::LeavesFolder(at(u"a/../x"), length));
    EXPECT_FALSE(Launcher::LeavesFolder(at(u"a/./b/../../x"), length));
    EXPECT_FALSE(Launcher::LeavesFolder(at(u"..x/y"), length));  // a name, not the folder above
    EXPECT_FALSE(Launcher::LeavesFolder(at(u"run"), length));

    // A program planted outside is never taken, however the command is cut; arguments may
    // name ".." freely.
    const std::set<std::u16string> files{at(u"../../bin/touch"), at(u"run"), at(u"../run")};
    const auto isFile = [&files](const std::u16string& p) { return files.contains(p); };
    EXPECT_FALSE(ResolveCommand(at(u"../../bin/touch /tmp/x"), length, isFile).has_value());
    EXPECT_FALSE(ResolveCommand(at(u"../run"), length, isFile).has_value());
    const auto inside = ResolveCommand(at(u"run ../data"), length, isFile);
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(inside->ArgumentText, at(u"run ../data").substr(length + 4));
}

TEST(Launch, ADescriptorClimbingOutOfItsFolderStartsNothingAndSaysWhy) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    // The program beside the application folder, at the drive's root: a real script that
    // would leave its mark there.
    LauncherTest::WriteTouchScript(launcher.Drive, Script("outside"), "outside-ran");
    launcher.App("Climber", "../" + Script("outside"));
    launcher.App("Climber Args", "../" + Script("outside") + " --now");
    launcher.App("Inside", "sub/../" + Script("run"));
    LauncherTest::WriteMarkerScript(launcher.Drive, "Inside/" + Script("run"));
    launcher.Drive.MakeFolder("Inside/sub");  // POSIX resolves ".." only after a real folder
    launcher.Start();

    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Climber"));
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Climber Args"));
    ASSERT_EQ(launcher.Dialogs.Messages.size(), 2U);
    for (const auto& message : launcher.Dialogs.Messages) {
        EXPECT_NE(message.Prompt.find(u"The program lies outside its application folder."),
                  std::u16string::npos)
            << Utf8(message.Prompt);
    }
    // A ".." that stays inside is only a way of writing the path.
    launcher.Form->imgApp_Click(SlotTitled(launcher, u"Inside"));
    EXPECT_EQ(WaitForMarker(launcher, "Inside/marker"), Utf8(launcher.Drive.Text("Inside")) + "\n");
    EXPECT_EQ(launcher.Dialogs.Messages.size(), 2U);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(launcher.Drive.Exists("outside-ran"));
}
