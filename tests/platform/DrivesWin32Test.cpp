// Drives as Windows reports them, on the machine (or in the Wine prefix) the tests run on.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/Drives.h"
#include "platform/win32/DriveTypeMapping.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"

using TestSupport::TempFolder;
using TestSupport::Utf8;

namespace {

bool IsOneUpperLetter(const std::u16string& key) {
    return key.size() == 1 && key[0] >= u'A' && key[0] <= u'Z';
}

// A letter no drive uses, or 0.
char16_t FreeLetter() {
    const DWORD used = GetLogicalDrives();
    for (char16_t letter = u'Y'; letter >= u'D'; --letter) {
        if ((used & (1U << (letter - u'A'))) == 0) {
            return letter;
        }
    }
    return 0;
}

// A drive letter that leads to a folder that does not exist, as an empty card reader or a
// stale mapping does: Windows lists the drive but cannot open its root. Gone again when the
// object ends, for every program of the session sees it.
class DriveWithoutMedia {
  public:
    DriveWithoutMedia(char16_t letter, const std::u16string& missingFolder)
        : name_{static_cast<wchar_t>(letter), L':'}, target_(Platform::Win32::Wide(missingFolder)) {
        defined_ = DefineDosDeviceW(0, name_.c_str(), target_.c_str()) != FALSE;
    }
    DriveWithoutMedia(const DriveWithoutMedia&) = delete;
    DriveWithoutMedia& operator=(const DriveWithoutMedia&) = delete;
    ~DriveWithoutMedia() {
        if (defined_) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, name_.c_str(),
                             target_.c_str());
        }
    }
    bool Defined() const { return defined_; }

  private:
    std::wstring name_;
    std::wstring target_;
    bool defined_ = false;
};

}  // namespace

TEST(DriveTypeMapping, EveryWindowsTypeHasItsNumber) {
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_UNKNOWN), Platform::DriveTypeUnknown);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_NO_ROOT_DIR), Platform::DriveTypeUnknown);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_REMOVABLE), Platform::DriveTypeRemovable);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_FIXED), Platform::DriveTypeFixed);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_REMOTE), Platform::DriveTypeNetwork);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_CDROM), Platform::DriveTypeOptical);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(DRIVE_RAMDISK), Platform::DriveTypeRamDisk);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(7), Platform::DriveTypeUnknown);
    EXPECT_EQ(Platform::Win32::DriveTypeFromWindows(0xFFFFFFFFU), Platform::DriveTypeUnknown);
    // The numbers themselves, which callers compare with.
    static_assert(Platform::DriveTypeRemovable == 1 && Platform::DriveTypeFixed == 2 &&
                  Platform::DriveTypeNetwork == 3 && Platform::DriveTypeOptical == 4 &&
                  Platform::DriveTypeRamDisk == 5 && Platform::DriveTypeUnknown == 0);
}

TEST(DrivesWin32, TheTemporaryFolderLiesOnAListedReadyDrive) {
    TempFolder temp;
    auto drives = Platform::SystemDrives();
    const auto keys = drives->DriveKeys();
    ASSERT_FALSE(keys.empty());
    for (const auto& key : keys) {
        EXPECT_TRUE(IsOneUpperLetter(key)) << Utf8(key);
    }
    EXPECT_EQ(std::set<std::u16string>(keys.begin(), keys.end()).size(), keys.size());

    const auto key = drives->KeyOfPath(temp.Text());
    ASSERT_TRUE(IsOneUpperLetter(key)) << Utf8(temp.Text());
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << Utf8(key);
    EXPECT_TRUE(drives->IsReady(key));
    EXPECT_NE(drives->DriveType(key), Platform::DriveTypeUnknown);
    const auto sizes = drives->SizesOf(key);
    ASSERT_TRUE(sizes.has_value());
    EXPECT_GT(sizes->TotalBytes, 0U);
    EXPECT_LE(sizes->FreeBytes, sizes->TotalBytes);
}

TEST(DrivesWin32, KeyOfPathIsTheUpperCaseLetter) {
    auto drives = Platform::SystemDrives();
    EXPECT_EQ(drives->KeyOfPath(u"x:\\foo"), u"X");
    EXPECT_EQ(drives->KeyOfPath(u"C:\\"), u"C");
    EXPECT_EQ(drives->KeyOfPath(u"d:"), u"D");
    EXPECT_EQ(drives->KeyOfPath(u"d:relative"), u"D");  // drive-relative, still on D
    EXPECT_EQ(drives->KeyOfPath(u"E:/Apps"), u"E");
    EXPECT_EQ(drives->KeyOfPath(u"\\\\?\\f:\\long\\path"), u"F");
    EXPECT_EQ(drives->KeyOfPath(u"\\\\?\\G:"), u"G");
    EXPECT_EQ(drives->KeyOfPath(u"\\\\.\\H:\\"), u"H");

    EXPECT_EQ(drives->KeyOfPath(u"\\\\server\\share\\x"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"\\\\?\\UNC\\server\\share\\x"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"\\\\?\\Gx:\\"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"foo"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"\\foo"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"1:\\foo"), u"");
    EXPECT_EQ(drives->KeyOfPath(u"\u00C4:\\foo"), u"");
    EXPECT_EQ(drives->KeyOfPath(u""), u"");
}

TEST(DrivesWin32, WhatIsNoDriveIsNeverReady) {
    auto drives = Platform::SystemDrives();
    // Keys that are no drive letter, and the letter of a drive that does not exist.
    std::vector<std::u16string> keys = {u"", u"c", u"CC", u"C:", u"C:\\", u"1", u"\\\\server"};
    const char16_t free = FreeLetter();
    if (free != 0) {
        keys.emplace_back(1, free);
    }
    for (const auto& key : keys) {
        EXPECT_EQ(drives->DriveType(key), Platform::DriveTypeUnknown) << Utf8(key);
        EXPECT_FALSE(drives->IsReady(key)) << Utf8(key);
        EXPECT_FALSE(drives->SizesOf(key).has_value()) << Utf8(key);
    }
}

TEST(DrivesWin32, AListedDriveThatCannotBeOpenedIsNotReady) {
    TempFolder temp;
    const char16_t letter = FreeLetter();
    ASSERT_NE(letter, 0) << "every drive letter is taken";
    const DriveWithoutMedia drive(letter, temp.Text("missing"));
    ASSERT_TRUE(drive.Defined()) << Utf8(Platform::Win32::ErrorText(GetLastError()));

    auto drives = Platform::SystemDrives();
    const std::u16string key(1, letter);
    const auto keys = drives->DriveKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end());
    EXPECT_FALSE(drives->IsReady(key));
    EXPECT_FALSE(drives->SizesOf(key).has_value());
}

// Error boxes are off only while Windows is asked; afterwards the thread has its own mode back.
TEST(DrivesWin32, EveryQueryLeavesTheThreadsErrorModeAsItWas) {
    TempFolder temp;
    auto drives = Platform::SystemDrives();
    const auto key = drives->KeyOfPath(temp.Text());
    DWORD original = 0;
    ASSERT_TRUE(SetThreadErrorMode(SEM_NOGPFAULTERRORBOX, &original));
    drives->DriveKeys();
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX)) << "DriveKeys";
    drives->DriveType(key);
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX)) << "DriveType";
    drives->IsReady(key);
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX)) << "IsReady";
    drives->SizesOf(key);
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX)) << "SizesOf";
    SetThreadErrorMode(original, nullptr);
}
