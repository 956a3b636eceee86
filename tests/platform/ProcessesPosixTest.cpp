#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Processes.h"
#include "platform/posix/ArgumentSplit.h"
#include "testsupport/TempFolder.h"

using TestSupport::TempFolder;
namespace fs = std::filesystem;

TEST(Processes, StartsDetachedInTheFolderAndLeavesNoZombie) {
    TempFolder drive;
    const auto script = drive.WriteFile("run.sh",
                                        "#!/bin/sh\nprintf '%s|%s' \"$PWD\" \"$1\" > out.tmp\n"
                                        "mv out.tmp out\n");
    fs::permissions(script, fs::perms::owner_all);
    drive.MakeFolder("work");
    auto processes = Platform::SystemProcesses();
    const auto status =
        processes->Start(drive.Text("run.sh"), u"\"a b\"  ignored", drive.Text("work"));
    ASSERT_TRUE(status.Ok) << TestSupport::Utf8(status.Reason);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!drive.Exists("work/out") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(drive.ReadFile("work/out"), (drive.Path() / "work").string() + "|a b");
    // The program is not our child: nothing of it is left for us to reap.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(Processes, SaysWhyAProgramDidNotStart) {
    TempFolder drive;
    drive.WriteFile("plain.txt", "text");
    const auto noShebang = drive.WriteFile("binary", "\x01\x02\x03\x04garbage");
    fs::permissions(noShebang, fs::perms::owner_all);
    const auto ok = drive.WriteFile("ok.sh", "#!/bin/sh\n");
    fs::permissions(ok, fs::perms::owner_all);
    auto processes = Platform::SystemProcesses();
    const auto reason = [&](const std::u16string& program, const std::u16string& folder) {
        const auto status = processes->Start(program, {}, folder);
        EXPECT_FALSE(status.Ok);
        return TestSupport::Utf8(status.Reason);
    };
    EXPECT_EQ(reason(drive.Text("missing"), drive.Text()), "No such file or directory");
    EXPECT_EQ(reason(drive.Text("plain.txt"), drive.Text()), "Permission denied");
    EXPECT_EQ(reason(drive.Text(), drive.Text()), "Is a directory");
    EXPECT_EQ(reason(drive.Text("binary"), drive.Text()), "Exec format error");
    EXPECT_EQ(reason(drive.Text("ok.sh"), drive.Text("no-folder")), "No such file or directory");
    EXPECT_EQ(reason(u"", drive.Text()), "No such file or directory");
}

TEST(Processes, ArgumentTextSplitsAsTheShellQuotes) {
    using Platform::Posix::SplitArguments;
    EXPECT_EQ(SplitArguments(u" -v \"x y\"\t\"\" z"),
              (std::vector<std::u16string>{u"-v", u"x y", u"", u"z"}));
    EXPECT_EQ(SplitArguments(u"a\"b c\"d"), (std::vector<std::u16string>{u"ab cd"}));
    EXPECT_TRUE(SplitArguments(u" \r\n ").empty());
}

namespace {

bool WaitFor(const TempFolder& drive, std::string_view relative) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!drive.Exists(relative) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return drive.Exists(relative);
}

}  // namespace

// As on a FAT drive, where no file has the exec bit: a script starts through the interpreter
// its first line names, with that line's argument, and an ELF program through its loader.
TEST(Processes, StartsProgramsWithoutTheirExecBitAsTheSystemWould) {
    TempFolder drive;
    const auto script = drive.WriteFile(
        "run.sh",
        "#!/bin/sh -eu\nprintf '%s|%s' \"$0\" \"$1\" > script.tmp\nmv script.tmp script\n");
    const auto program = drive.Path() / "touch";
    fs::copy_file("/usr/bin/touch", program);
    const auto noExec = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(script, noExec);
    fs::permissions(program, noExec);
    auto processes = Platform::SystemProcesses();

    auto status = processes->Start(drive.Text("run.sh"), u"\"a b\"", drive.Text());
    ASSERT_TRUE(status.Ok) << TestSupport::Utf8(status.Reason);
    ASSERT_TRUE(WaitFor(drive, "script"));
    EXPECT_EQ(drive.ReadFile("script"), script.string() + "|a b");

    status = processes->Start(drive.Text("touch"), u"elf-ran", drive.Text());
    ASSERT_TRUE(status.Ok) << TestSupport::Utf8(status.Reason);
    EXPECT_TRUE(WaitFor(drive, "elf-ran"));

    // A static program, which names no loader, runs from a copy in memory.
    const auto staticProgram = drive.Path() / "static";
    fs::copy_file(KIVOLA_STATIC_PROGRAM, staticProgram);
    fs::permissions(staticProgram, noExec);
    status = processes->Start(drive.Text("static"), u"static-ran", drive.Text());
    ASSERT_TRUE(status.Ok) << TestSupport::Utf8(status.Reason);
    EXPECT_TRUE(WaitFor(drive, "static-ran"));

    // An AppImage, whose mark the loader refuses, runs from a copy in memory and is told where
    // it lies. (A copy of env, marked as an AppImage in its ELF header.)
    const auto appImage = drive.Path() / "tool.AppImage";
    fs::copy_file("/usr/bin/env", appImage);
    {
        std::fstream file(appImage, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(8);
        file.write("AI\x02", 3);
    }
    fs::permissions(appImage, noExec);
    status = processes->Start(drive.Text("tool.AppImage"),
                              u"sh -c \"printf %s $TARGET_APPIMAGE > appimage\"", drive.Text());
    ASSERT_TRUE(status.Ok) << TestSupport::Utf8(status.Reason);
    ASSERT_TRUE(WaitFor(drive, "appimage"));
    EXPECT_EQ(drive.ReadFile("appimage"), appImage.string());
}
