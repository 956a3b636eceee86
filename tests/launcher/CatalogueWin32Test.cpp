// The scan on Windows: the program folder at the root of a drive, where paths built by plain
// concatenation hold a doubled separator, and junctions back up the tree.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"

// Needs the types of <windows.h>, which leaves it out under WIN32_LEAN_AND_MEAN.
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "launcher/LauncherFixture.h"
#include "support/LinkedTreeWin32.h"
#include "testsupport/NativePath.h"

using ::testing::UnorderedElementsAre;
using TestSupport::GifBytes;
using TestSupport::LauncherOnDrive;
namespace fs = std::filesystem;

namespace {

// A drive letter for a folder, for the life of the object. Windows resolves paths through the
// letter DefineDosDeviceW defines. Wine 8 accepts that definition but resolves paths through a
// drive table of its own, so there the letter is added as Wine's configuration tool adds a
// drive, through Wine's mount manager. Test programs running side by side take turns, through
// a named mutex, so that two never pick the same free letter.
class ScopedDriveLetter {
  public:
    explicit ScopedDriveLetter(const fs::path& folder)
        : lock_(CreateMutexW(nullptr, FALSE, L"Local\\KivolaTestDriveLetter")) {
        if (lock_ == nullptr || WaitForSingleObject(lock_, 60000) == WAIT_TIMEOUT) {
            whyNot_ = "no turn at the drive letters";
            return;
        }
        locked_ = true;
        const DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Y'; letter >= L'D' && letter_ == 0; --letter) {
            if ((used & (1U << (letter - L'A'))) == 0) {
                letter_ = letter;
            }
        }
        if (letter_ == 0) {
            whyNot_ = "no free drive letter";
            return;
        }
        const std::wstring target = folder.wstring();
        if (DefineDosDeviceW(0, Device().c_str(), target.c_str())) {
            if (Reaches(folder)) {
                how_ = How::DosDevice;
                target_ = target;
                return;
            }
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, Device().c_str(),
                             target.c_str());
        }
        if (WineDefine(folder) && Reaches(folder)) {
            how_ = How::WineDrive;
            return;
        }
        WineRemove();
        whyNot_ = "neither DefineDosDeviceW nor Wine's mount manager gave a drive letter";
    }

    ScopedDriveLetter(const ScopedDriveLetter&) = delete;
    ScopedDriveLetter& operator=(const ScopedDriveLetter&) = delete;

    ~ScopedDriveLetter() {
        if (how_ == How::DosDevice) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, Device().c_str(),
                             target_.c_str());
        } else if (how_ == How::WineDrive) {
            WineRemove();
        }
        if (locked_) {
            ReleaseMutex(lock_);
        }
        if (lock_ != nullptr) {
            CloseHandle(lock_);
        }
    }

    // "K:\", or empty when no letter could be had.
    std::u16string Root() const {
        return how_ == How::None ? std::u16string() : std::u16string{letter_, u':', u'\\'};
    }
    const std::string& WhyNot() const { return whyNot_; }

  private:
    enum class How { None, DosDevice, WineDrive };

    // The mount manager's request to add (or, without a mount point, remove) a drive, as
    // Wine's ddk/mountmgr.h lays it out.
    struct WineUnixDrive {
        ULONG Size;
        ULONG Type;
        ULONG FsType;
        DWORD Serial;
        ULONGLONG UnixDevice;
        WCHAR Letter;
        USHORT MountPointOffset;
        USHORT DeviceOffset;
        USHORT LabelOffset;
    };
    static constexpr DWORD DefineUnixDrive =
        CTL_CODE(0x6D /* 'm' */, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

    std::wstring Device() const { return {letter_, L':'}; }

    // The letter leads to folder: a file put there is seen through it.
    bool Reaches(const fs::path& folder) const {
        const fs::path probe = folder / "drive-letter-probe";
        std::error_code error;
        fs::remove(probe, error);
        const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(file);
        const std::wstring through = Device() + L"\\drive-letter-probe";
        const bool seen = GetFileAttributesW(through.c_str()) != INVALID_FILE_ATTRIBUTES;
        fs::remove(probe, error);
        return seen;
    }

    bool WineSend(const char* unixPath) const {
        const HANDLE manager =
            CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) {
            return false;
        }
        const std::string mountPoint = unixPath != nullptr ? unixPath : "";
        std::vector<char> request(sizeof(WineUnixDrive) +
                                  (unixPath != nullptr ? mountPoint.size() + 1 : 0));
        WineUnixDrive drive{};
        drive.Size = static_cast<ULONG>(request.size());
        drive.Type = DRIVE_FIXED;
        drive.Letter = static_cast<WCHAR>(letter_ - L'A' + L'a');
        if (unixPath != nullptr) {
            drive.MountPointOffset = sizeof(WineUnixDrive);
            std::copy(mountPoint.begin(), mountPoint.end(), request.begin() + sizeof(drive));
        }
        std::memcpy(request.data(), &drive, sizeof drive);
        DWORD returned = 0;
        const BOOL sent =
            DeviceIoControl(manager, DefineUnixDrive, request.data(),
                            static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return sent != FALSE;
    }

    // Wine names the host path of a Windows path through a function of its own.
    bool WineDefine(const fs::path& folder) const {
        using UnixFileName = char*(CDECL*)(const wchar_t*);
        const FARPROC found =
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
        if (found == nullptr) {
            return false;
        }
        const auto unixFileName =
            reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(found));
        char* const unixPath = unixFileName(folder.c_str());
        if (unixPath == nullptr) {
            return false;
        }
        const bool defined = WineSend(unixPath);
        HeapFree(GetProcessHeap(), 0, unixPath);
        return defined;
    }

    void WineRemove() const {
        if (letter_ != 0 && GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                           "wine_get_unix_file_name") != nullptr) {
            WineSend(nullptr);
        }
    }

    HANDLE lock_;
    bool locked_ = false;
    wchar_t letter_ = 0;
    How how_ = How::None;
    std::wstring target_;
    std::string whyNot_;
};

// A launcher whose program folder is the root of a drive letter given to its temporary drive.
// The current folder goes back before the letter does.
struct LauncherAtDriveRoot {
    LauncherOnDrive Launcher;
    ScopedDriveLetter Letter{Launcher.Drive.Path()};
    std::optional<TestSupport::ScopedCurrentFolder> Here;

    // Form_Load and the first tick, run with currentFolder (relative to the root) current.
    void Start(std::string_view currentFolder = {}) {
        Launcher.Form = std::make_unique<Launcher::Form1>(
            Launcher.View, Launcher.Dialogs, Launcher.Drives, Launcher.Processes, Letter.Root());
        Here.reset();
        Here.emplace(TestSupport::PathOfText(Letter.Root()) / currentFolder);
        Launcher.Form->Form_Load();
        Launcher.Form->Timer1_Timer();
    }

    // (tool tip, command, picture) of every filled slot.
    std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> Shown() const {
        std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> shown;
        for (int slot = 1; slot <= 20; ++slot) {
            const auto& s = Launcher.View.Slots[static_cast<std::size_t>(slot)];
            if (!Launcher.Form->SlotCommand(slot).empty()) {
                shown.emplace_back(s.ToolTip, Launcher.Form->SlotCommand(slot), s.Picture);
            }
        }
        return shown;
    }
};

using Slot = std::tuple<std::u16string, std::u16string, std::u16string>;

}  // namespace

TEST(ScanWin32, ProgramFolderAtADriveRootRegistersFoldersWithOneSeparator) {
    LauncherAtDriveRoot at;
    const std::u16string root = at.Letter.Root();
    if (root.empty()) {
        GTEST_SKIP() << at.Letter.WhyNot();
    }
    at.Launcher.App("Tool", "tool.exe");
    // Nested, admitted through the root's "Inner": the path asked is "K:\" + "\Inner\...".
    at.Launcher.App("Tool/Inner", "inner.exe");
    at.Launcher.App("Inner", "top.exe");
    at.Launcher.App("Tool/Stray", "stray.exe");  // no "Stray" at the root
    at.Start();
    EXPECT_THAT(
        at.Shown(),
        UnorderedElementsAre(
            Slot{u"Tool", root + u"Tool\\tool.exe", root + u"Tool\\appicon.gif"},
            Slot{u"Inner", root + u"Tool\\Inner\\inner.exe", root + u"Tool\\Inner\\appicon.gif"},
            Slot{u"Inner", root + u"Inner\\top.exe", root + u"Inner\\appicon.gif"}));
}

TEST(ScanWin32, ScanElsewhereAdmitsByTheProgramFolderAtADriveRoot) {
    LauncherAtDriveRoot at;
    const std::u16string root = at.Letter.Root();
    if (root.empty()) {
        GTEST_SKIP() << at.Letter.WhyNot();
    }
    at.Launcher.App("Shared", "old.exe");
    at.Launcher.App("Scan/Shared", "new.exe");
    at.Launcher.App("Scan/Unknown", "u.exe");  // the program folder has no namesake
    at.Launcher.Drive.WriteFile("Scan/defaulticon.gif", GifBytes);
    at.Start("Scan");
    EXPECT_THAT(at.Shown(), UnorderedElementsAre(Slot{u"Shared", root + u"Scan\\Shared\\new.exe",
                                                      root + u"Scan\\Shared\\appicon.gif"}));
}

TEST(Scan, LinksBackUpTheTreeEndQuietly) {
    const TestSupport::LinkedTree tree(
        {"scan",
         {{"Loop/kivolaapp.ini", "l.exe"}, {"Root/kivolaapp.ini", "r.exe"}},
         {{"Loop/Loop", "Loop"}, {"Loop/Root", ""}}});
    ASSERT_FALSE(tree.HostTreeBroken()) << tree.WhyNot();
    if (!tree.Root()) {
        GTEST_SKIP() << "no tree with links: " << tree.WhyNot();
    }
    TestSupport::RecordingLauncherView view;
    TestSupport::ScriptedDialogs dialogs;
    TestSupport::FakeDrives drives;
    TestSupport::RecordingProcesses processes;
    Launcher::Form1 form(view, dialogs, drives, processes, *tree.Root());
    const TestSupport::ScopedCurrentFolder here(TestSupport::PathOfText(*tree.Root()));
    form.Form_Load();
    form.Timer1_Timer();
    std::vector<std::u16string> tips;
    for (const auto& tip : view.ToolTips()) {
        if (!tip.empty()) {
            tips.push_back(tip);
        }
    }
    EXPECT_THAT(tips, UnorderedElementsAre(u"Loop", u"Root"));
}
