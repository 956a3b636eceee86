// Starting real programs and batch files: copies of the marker program, which leave behind the
// command line they got and the folder they started in.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Processes.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/MarkerProgramWin32.h"
#include "testsupport/NativePath.h"
#include "testsupport/TempFolder.h"

using TestSupport::MarkerRun;
using TestSupport::PlantMarker;
using TestSupport::RanMeanwhile;
using TestSupport::TempFolder;
using TestSupport::Utf8;
using TestSupport::WaitForMarker;
namespace fs = std::filesystem;

namespace {

// An environment variable of this process (and so of the programs it starts) set for the
// lifetime of the object.
class ScopedVariable {
  public:
    ScopedVariable(const std::wstring& name, const std::wstring& value) : name_(name) {
        std::wstring previous(32767, L'\0');
        const DWORD length = GetEnvironmentVariableW(name.c_str(), previous.data(),
                                                     static_cast<DWORD>(previous.size()));
        if (length > 0 && length < previous.size()) {
            previous.resize(length);
            previous_ = previous;
            had_ = true;
        }
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() {
        SetEnvironmentVariableW(name_.c_str(), had_ ? previous_.c_str() : nullptr);
    }

  private:
    std::wstring name_;
    std::wstring previous_;
    bool had_ = false;
};

std::u16string Quoted(const std::u16string& text) {
    return u"\"" + text + u"\"";
}

}  // namespace

TEST(ProcessesWin32, StartsTheNamedProgramWithTheArgumentTextAsWritten) {
    TempFolder drive;
    const auto program = PlantMarker(drive, "My Tools/marker tool.exe");
    // Shorter programs along the path, which Windows would try first if it had to read the
    // program out of the command line.
    const auto plantedRoot = PlantMarker(drive, "My.exe");
    const auto plantedTools = PlantMarker(drive, "My Tools/marker.exe");
    drive.MakeFolder("work folder");
    auto processes = Platform::SystemProcesses();

    const std::u16string arguments = u"say \"hello world\"  'single'\t\"\" \\\"x\\\" a\\\\ end ";
    const auto status = processes->Start(program, arguments, drive.Text("work folder"));
    ASSERT_TRUE(status.Ok) << Utf8(status.Reason);
    const auto run = WaitForMarker(program);
    ASSERT_TRUE(run.Ran);
    EXPECT_EQ(run.CommandLine, Quoted(program) + u" " + arguments);
    EXPECT_EQ(run.Folder, drive.Text("work folder"));
    EXPECT_FALSE(RanMeanwhile(plantedRoot));
    EXPECT_FALSE(RanMeanwhile(plantedTools));
}

TEST(ProcessesWin32, WithoutArgumentsOrFolderTheCommandLineIsTheQuotedProgram) {
    TempFolder drive;
    const auto program = PlantMarker(drive, "plain.exe");
    auto processes = Platform::SystemProcesses();
    const auto status = processes->Start(program, {}, {});
    ASSERT_TRUE(status.Ok) << Utf8(status.Reason);
    const auto run = WaitForMarker(program);
    ASSERT_TRUE(run.Ran);
    EXPECT_EQ(run.CommandLine, Quoted(program));
    // No folder given: the program starts in ours.
    EXPECT_EQ(run.Folder, TestSupport::TextOfPath(fs::current_path()));
}

// Windows completes a name without extension with ".exe" when it reads the program out of the
// command line; a program named in full runs as it is.
TEST(ProcessesWin32, AProgramWithoutExtensionRunsItselfNotAnExeBesideIt) {
    TempFolder drive;
    const auto program = PlantMarker(drive, "Tools/tool");
    const auto planted = PlantMarker(drive, "Tools/tool.exe");
    auto processes = Platform::SystemProcesses();
    const auto status = processes->Start(program, u"-x", drive.Text("Tools"));
    ASSERT_TRUE(status.Ok) << Utf8(status.Reason);
    const auto run = WaitForMarker(program);
    ASSERT_TRUE(run.Ran);
    EXPECT_EQ(run.CommandLine, Quoted(program) + u" -x");
    EXPECT_FALSE(RanMeanwhile(planted));
}

TEST(ProcessesWin32, RunsBatchFilesThroughTheCommandInterpreter) {
    TempFolder drive;
    // Each script starts the marker beside it with its own arguments; the marker then tells
    // what the interpreter passed on and where the script ran.
    const std::string script = "@\"%~dp0marker.exe\" %*\r\n";
    drive.WriteFile("My Scripts/run it.cmd", script);
    drive.WriteFile("Other Place/GO NOW.BAT", script);
    const auto cmdMarker = PlantMarker(drive, "My Scripts/marker.exe");
    const auto batMarker = PlantMarker(drive, "Other Place/marker.exe");
    const auto planted = PlantMarker(drive, "My.exe");
    const auto plantedOther = PlantMarker(drive, "Other.exe");
    drive.MakeFolder("work");
    // The interpreter is the system's own, whatever the environment names.
    const auto plantedInterpreter = PlantMarker(drive, "cmd.exe");
    const ScopedVariable comSpec(L"ComSpec", Platform::Win32::Wide(plantedInterpreter));
    auto processes = Platform::SystemProcesses();

    auto status = processes->Start(drive.Text("My Scripts/run it.cmd"), u"--fast \"x y\"",
                                   drive.Text("work"));
    ASSERT_TRUE(status.Ok) << Utf8(status.Reason);
    status = processes->Start(drive.Text("Other Place/GO NOW.BAT"), {}, drive.Text("Other Place"));
    ASSERT_TRUE(status.Ok) << Utf8(status.Reason);

    const auto cmdRun = WaitForMarker(cmdMarker);
    ASSERT_TRUE(cmdRun.Ran);
    EXPECT_TRUE(cmdRun.CommandLine.ends_with(u" --fast \"x y\"")) << Utf8(cmdRun.CommandLine);
    EXPECT_EQ(cmdRun.Folder, drive.Text("work"));
    const auto batRun = WaitForMarker(batMarker);
    ASSERT_TRUE(batRun.Ran);
    EXPECT_EQ(batRun.Folder, drive.Text("Other Place"));
    EXPECT_FALSE(RanMeanwhile(planted));
    EXPECT_FALSE(RanMeanwhile(plantedOther));
    EXPECT_FALSE(RanMeanwhile(plantedInterpreter));
}

TEST(ProcessesWin32, SaysWhyAProgramDidNotStart) {
    TempFolder drive;
    drive.WriteFile("notes.txt", "not a program");
    drive.MakeFolder("Folder.exe");
    const auto program = PlantMarker(drive, "marker.exe");
    auto processes = Platform::SystemProcesses();
    const auto reason = [&](const std::u16string& path, const std::u16string& folder) {
        const auto status = processes->Start(path, {}, folder);
        EXPECT_FALSE(status.Ok) << Utf8(path);
        EXPECT_FALSE(status.Reason.empty()) << Utf8(path);
        return status.Reason;
    };
    const auto notFound = Platform::Win32::ErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reason(drive.Text("missing.exe"), drive.Text()), notFound);
    // A missing script is told as such, not left to an interpreter window that closes at once.
    EXPECT_EQ(reason(drive.Text("missing.cmd"), drive.Text()), notFound);
    EXPECT_EQ(reason(u"", drive.Text()), notFound);
    EXPECT_EQ(reason(drive.Text(), drive.Text()), u"This is a folder, not a program.");
    EXPECT_EQ(reason(drive.Text("Folder.exe"), {}), u"This is a folder, not a program.");
    EXPECT_EQ(reason(drive.Text() + u"\\", {}), u"This is a folder, not a program.");
    // Windows words this one around the file's name ("%1 is not a valid Win32 application.").
    const auto notAProgram = reason(drive.Text("notes.txt"), drive.Text());
    EXPECT_EQ(notAProgram.find(u"%1"), std::u16string::npos) << Utf8(notAProgram);
    EXPECT_NE(notAProgram.find(u"notes.txt"), std::u16string::npos) << Utf8(notAProgram);
    reason(program, drive.Text("no such folder"));
    EXPECT_FALSE(RanMeanwhile(program));
    // A drive carried between both systems: a Linux program or script is said to be one.
    drive.WriteFile("tool", std::string("\x7f"
                                        "ELF\x02\x01\x01",
                                        7));
    drive.WriteFile("run.sh", "#!/bin/sh\necho hi\n");
    for (const char* name : {"tool", "run.sh"}) {
        const auto why = reason(drive.Text(name), drive.Text());
        EXPECT_NE(why.find(u"This is a Linux program"), std::u16string::npos) << Utf8(why);
    }
}

TEST(ProcessesWin32, NeverOpensADeviceAsAProgram) {
    TempFolder drive;
    auto processes = Platform::SystemProcesses();
    const std::vector<std::u16string> devices = {drive.Text("CON"),
                                                 drive.Text("nul.exe"),
                                                 drive.Text("COM1.cmd"),
                                                 drive.Text("lpt9 .exe"),
                                                 u"AUX",
                                                 u"\\\\.\\pipe\\kivola",
                                                 u"\\\\.\\C:"};
    for (const auto& device : devices) {
        const auto status = processes->Start(device, {}, {});
        EXPECT_FALSE(status.Ok) << Utf8(device);
        EXPECT_EQ(status.Reason, u"This is the name of a device, not of a program.")
            << Utf8(device);
    }
}
