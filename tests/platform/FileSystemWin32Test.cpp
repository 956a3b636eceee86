#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"

using namespace Platform;
using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::Utf8;
namespace fs = std::filesystem;

namespace {

std::wstring W(std::u16string_view text) {
    return {text.begin(), text.end()};
}

DWORD AttributesOf(const std::u16string& path) {
    return GetFileAttributesW(W(path).c_str());
}

void SetAttributes(const std::u16string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(W(path).c_str(), attributes)) << Utf8(path);
}

std::u16string Lower(std::u16string text) {
    for (auto& c : text) {
        c = static_cast<char16_t>(std::towlower(c));
    }
    return text;
}

// Every name in a folder, hidden ones included, as the standard library lists them.
std::vector<std::u16string> NamesIn(const fs::path& folder) {
    std::vector<std::u16string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::wstring name = entry.path().filename().wstring();
        names.emplace_back(name.begin(), name.end());
    }
    return names;
}

// A file whose name Windows takes for a device, as another system can leave one on a drive;
// only the verbatim "\\?\" form of its path reaches it, also to remove it afterwards.
class DeviceNamedFile {
  public:
    DeviceNamedFile(const std::u16string& path, std::string_view content)
        : verbatim_(L"\\\\?\\" + W(path)) {
        const HANDLE file = CreateFileW(verbatim_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "cannot create " << Utf8(path);
            return;
        }
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    DeviceNamedFile(const DeviceNamedFile&) = delete;
    DeviceNamedFile& operator=(const DeviceNamedFile&) = delete;
    ~DeviceNamedFile() { DeleteFileW(verbatim_.c_str()); }

    std::string Content() const {
        const HANDLE file = CreateFileW(verbatim_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return {};
        }
        std::string content(256, '\0');
        DWORD got = 0;
        ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
        CloseHandle(file);
        content.resize(got);
        return content;
    }

  private:
    std::wstring verbatim_;
};

}  // namespace

TEST(Win32Attributes, AreTheFileSystemsOwnBits) {
    TempFolder drive;
    drive.WriteFile("plain.txt", "x");
    drive.WriteFile("hidden.txt", "x");
    drive.WriteFile("system.txt", "x");
    drive.WriteFile("locked.txt", "x");
    drive.MakeFolder("Apps");
    SetAttributes(drive.Text("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("system.txt"), FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(drive.Text("locked.txt"), FILE_ATTRIBUTE_READONLY);
    constexpr std::int32_t kKnown = AttrReadOnly | AttrHidden | AttrSystem | AttrDirectory;
    EXPECT_EQ(PathAttributes(drive.Text("plain.txt")) & kKnown, 0);
    EXPECT_EQ(PathAttributes(drive.Text("hidden.txt")) & kKnown, AttrHidden);
    EXPECT_EQ(PathAttributes(drive.Text("system.txt")) & kKnown, AttrSystem);
    EXPECT_EQ(PathAttributes(drive.Text("locked.txt")) & kKnown, AttrReadOnly);
    EXPECT_EQ(PathAttributes(drive.Text("Apps")) & kKnown, AttrDirectory);
    EXPECT_EQ(PathAttributes(drive.Text("missing.txt")), -1);
    EXPECT_EQ(KindOfPath(drive.Text("hidden.txt")), PathKind::File);
    EXPECT_EQ(KindOfPath(drive.Text("Apps") + u"\\"), PathKind::Folder);
    EXPECT_EQ(KindOfPath(drive.Text("missing")), PathKind::Missing);
    EXPECT_TRUE(FolderExists(drive.Text("Apps")));
    EXPECT_FALSE(FolderExists(drive.Text("plain.txt")));
}

TEST(Win32Devices, AreNeverOpenedReadWrittenListedOrReportedAsFiles) {
    TempFolder drive;
    drive.WriteFile("plain.txt", "x");
    const DeviceNamedFile leftover(drive.Text("nul.txt"), "left by another system");
    const std::vector<std::u16string> devices = {
        drive.Text("CON"),  drive.Text("NUL"),      drive.Text("nul.txt"),
        drive.Text("COM1"), drive.Text("con "),     drive.Text("Aux.ini"),
        drive.Text("nul:"), drive.Text("LPT9\\"),   u"NUL",
        u"\\\\.\\NUL",      u"\\\\.\\pipe\\kivola", u"\\\\?\\GLOBALROOT\\Device\\Null",
        u"\\??\\NUL"};
    for (const auto& device : devices) {
        SCOPED_TRACE(Utf8(device));
        EXPECT_EQ(PathAttributes(device), -1);
        EXPECT_EQ(KindOfPath(device), PathKind::Missing);
        EXPECT_FALSE(IdentityOfPath(device).has_value());
        EXPECT_FALSE(ReadWholeFile(device).has_value());
        EXPECT_FALSE(SizeOfFile(device).has_value());
        EXPECT_FALSE(ListFolder(device).has_value());
        const IoStatus written = WriteFileAtomically(device, "lost?");
        EXPECT_FALSE(written);
        EXPECT_FALSE(written.Reason.empty());
        const IoStatus removed = RemoveFile(device);
        EXPECT_FALSE(removed);
        EXPECT_FALSE(removed.Reason.empty());
        EXPECT_FALSE(MakeFolder(device));
    }
    EXPECT_EQ(leftover.Content(), "left by another system");
    const auto contents = ListFolder(drive.Text());
    ASSERT_TRUE(contents.has_value());
    EXPECT_THAT(contents->Files, UnorderedElementsAre(u"plain.txt"));
}

TEST(Win32Devices, VerbatimDrivePathsStillReachFiles) {
    TempFolder drive;
    drive.WriteFile("note.txt", "verbatim");
    const std::u16string verbatim = u"\\\\?\\" + drive.Text("note.txt");
    EXPECT_EQ(KindOfPath(verbatim), PathKind::File);
    EXPECT_EQ(ReadWholeFile(verbatim), "verbatim");
    EXPECT_TRUE(WriteFileAtomically(verbatim, "again"));
    EXPECT_EQ(drive.ReadFile("note.txt"), "again");
}

TEST(Win32ListFolder, SplitsFilesFromFoldersHiddenOnesIncluded) {
    TempFolder drive;
    drive.WriteFile("one.txt", "1");
    drive.WriteFile("hidden.txt", "2");
    drive.WriteFile("system.ini", "3");
    drive.MakeFolder("Sub");
    drive.MakeFolder("HiddenSub");
    drive.MakeFolder("Empty");
    SetAttributes(drive.Text("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("system.ini"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("HiddenSub"), FILE_ATTRIBUTE_HIDDEN);
    for (const std::u16string& folder : {drive.Text(), drive.Text() + u"\\", drive.Text() + u"/"}) {
        SCOPED_TRACE(Utf8(folder));
        const auto contents = ListFolder(folder);
        ASSERT_TRUE(contents.has_value());
        EXPECT_THAT(contents->Files,
                    UnorderedElementsAre(u"one.txt", u"hidden.txt", u"system.ini"));
        EXPECT_THAT(contents->SubFolders, UnorderedElementsAre(u"Sub", u"HiddenSub", u"Empty"));
    }
    const auto empty = ListFolder(drive.Text("Empty"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_THAT(empty->Files, IsEmpty());
    EXPECT_THAT(empty->SubFolders, IsEmpty());
    EXPECT_FALSE(ListFolder(drive.Text("missing")).has_value());
    EXPECT_FALSE(ListFolder(drive.Text("missing\\deeper")).has_value());
    EXPECT_FALSE(ListFolder(drive.Text("one.txt")).has_value());
    EXPECT_FALSE(ListFolder(u"").has_value());
}

// The scan and the walker take a plain sub-folder's identity from the listing instead of
// opening it: it must be the very identity IdentityOfPath gives, or a loop would go unseen and
// two folders could be taken for one.
TEST(Win32ListFolder, ListingAndCursorTellTheSubFoldersOwnIdentity) {
    TempFolder drive;
    drive.MakeFolder("A");
    drive.MakeFolder("B");
    drive.WriteFile("file.txt", "x");
    const auto parent = IdentityOfPath(drive.Text());
    ASSERT_TRUE(parent.has_value());
    const auto contents = ListFolder(drive.Text());
    ASSERT_TRUE(contents.has_value());
    ASSERT_EQ(contents->SubFolderNodes.size(), contents->SubFolders.size());
    for (std::size_t i = 0; i < contents->SubFolders.size(); ++i) {
        const auto node = contents->SubFolderNodes[i];
        ASSERT_TRUE(node.has_value()) << Utf8(contents->SubFolders[i]);
        EXPECT_EQ((FileIdentity{parent->Device, *node}),
                  IdentityOfPath(drive.Text(Utf8(contents->SubFolders[i]))));
    }
    std::vector<std::u16string> folders;
    for (auto entry = FindFirstEntry(drive.Text() + u"\\*.*", AttrDirectory); entry;
         entry = FindNextEntry()) {
        if (entry->IsFolder) {
            folders.push_back(entry->Name);
            ASSERT_TRUE(entry->Node.has_value());
            EXPECT_EQ((FileIdentity{parent->Device, *entry->Node}),
                      IdentityOfPath(drive.Text(Utf8(entry->Name))));
        } else {
            EXPECT_FALSE(entry->Node.has_value()) << "a file has no node to tell";
        }
    }
    EXPECT_THAT(folders, UnorderedElementsAre(u"A", u"B"));
}

TEST(Win32ListFolder, ListsTheRootOfADrive) {
    TempFolder drive;
    const std::u16string path = drive.Text();
    ASSERT_EQ(RootLength(path), 3U) << "the temporary folder is not on a drive letter";
    const std::u16string root = path.substr(0, 3);
    const std::u16string_view rest = std::u16string_view(path).substr(3);
    const std::u16string first(rest.substr(0, rest.find(u'\\')));
    const auto contents = ListFolder(root);
    ASSERT_TRUE(contents.has_value()) << Utf8(root);
    std::vector<std::u16string> folders;
    for (const auto& name : contents->SubFolders) {
        folders.push_back(Lower(name));
    }
    EXPECT_THAT(folders, Contains(Lower(first)));

    // "X:" alone is the current folder of drive X, not its root.
    drive.WriteFile("here.txt", "x");
    const TestSupport::ScopedCurrentFolder inDrive(drive.Path());
    const auto current = ListFolder(path.substr(0, 2));
    ASSERT_TRUE(current.has_value());
    EXPECT_THAT(current->Files, UnorderedElementsAre(u"here.txt"));
}

TEST(Win32ReadWholeFile, ReadsRegularFilesWithinTheLimit) {
    TempFolder drive;
    drive.WriteFile("data.bin", std::string("a\0b\r\n\x1a", 6));
    drive.WriteFile("empty.txt", "");
    drive.WriteFile("big.ini", std::string(4096, 'x'));
    drive.MakeFolder("Folder");
    EXPECT_EQ(ReadWholeFile(drive.Text("data.bin")), std::string("a\0b\r\n\x1a", 6));
    EXPECT_FALSE(ReadWholeFile(drive.Text("empty.txt")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("missing.txt")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("Folder")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("big.ini"), 4095).has_value());
    EXPECT_EQ(ReadWholeFile(drive.Text("big.ini"), 4096), std::string(4096, 'x'));
    EXPECT_EQ(SizeOfFile(drive.Text("big.ini")), 4096U);
    EXPECT_EQ(SizeOfFile(drive.Text("empty.txt")), 0U);
    EXPECT_FALSE(SizeOfFile(drive.Text("missing.txt")).has_value());
}

TEST(Win32ReadWholeFile, ReadsAFileAnotherProgramHoldsOpen) {
    // An editor or another saver keeps the note open for writing and deleting.
    TempFolder drive;
    drive.WriteFile("note.txt", "shared");
    const HANDLE held = CreateFileW(W(drive.Text("note.txt")).c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadWholeFile(drive.Text("note.txt")), "shared");
    EXPECT_TRUE(IdentityOfPath(drive.Text("note.txt")).has_value());
    CloseHandle(held);
}

TEST(Win32WriteFileAtomically, ReplacesTheContentAndLeavesNoTemporary) {
    TempFolder drive;
    drive.WriteFile("note.txt", "an old and much longer text");
    ASSERT_TRUE(WriteFileAtomically(drive.Text("note.txt"), "new"));
    EXPECT_EQ(drive.ReadFile("note.txt"), "new");
    ASSERT_TRUE(WriteFileAtomically(drive.Text("fresh.txt"), "created"));
    EXPECT_EQ(drive.ReadFile("fresh.txt"), "created");
    ASSERT_TRUE(WriteFileAtomically(drive.Text("note.txt"), ""));
    EXPECT_EQ(drive.ReadFile("note.txt"), "");
    EXPECT_THAT(NamesIn(drive.Path()), UnorderedElementsAre(u"note.txt", u"fresh.txt"));
    // Written hidden, the temporary must not hand that on to the file it becomes.
    EXPECT_EQ(AttributesOf(drive.Text("note.txt")) & FILE_ATTRIBUTE_HIDDEN, 0U);
    EXPECT_EQ(AttributesOf(drive.Text("fresh.txt")) & FILE_ATTRIBUTE_HIDDEN, 0U);
}

TEST(Win32WriteFileAtomically, KeepsTheAttributesOfTheFileItReplaces) {
    TempFolder drive;
    drive.WriteFile("hidden.txt", "old");
    drive.WriteFile("system.ini", "old");
    SetAttributes(drive.Text("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("system.ini"), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(WriteFileAtomically(drive.Text("hidden.txt"), "new"));
    ASSERT_TRUE(WriteFileAtomically(drive.Text("system.ini"), "new"));
    EXPECT_EQ(drive.ReadFile("hidden.txt"), "new");
    EXPECT_EQ(drive.ReadFile("system.ini"), "new");
    const DWORD hidden = AttributesOf(drive.Text("hidden.txt"));
    const DWORD system = AttributesOf(drive.Text("system.ini"));
    EXPECT_EQ(hidden & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_EQ(system & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD{FILE_ATTRIBUTE_SYSTEM});
    EXPECT_THAT(NamesIn(drive.Path()), UnorderedElementsAre(u"hidden.txt", u"system.ini"));
}

TEST(Win32WriteFileAtomically, LeavesReadOnlyFilesAndFoldersAlone) {
    TempFolder drive;
    drive.WriteFile("locked.txt", "keep me");
    SetAttributes(drive.Text("locked.txt"), FILE_ATTRIBUTE_READONLY);
    drive.MakeFolder("Target.txt");
    const IoStatus locked = WriteFileAtomically(drive.Text("locked.txt"), "lost?");
    EXPECT_FALSE(locked);
    EXPECT_FALSE(locked.Reason.empty());
    EXPECT_EQ(drive.ReadFile("locked.txt"), "keep me");
    EXPECT_NE(AttributesOf(drive.Text("locked.txt")) & FILE_ATTRIBUTE_READONLY, 0U);
    const IoStatus onFolder = WriteFileAtomically(drive.Text("Target.txt"), "x");
    EXPECT_FALSE(onFolder);
    EXPECT_FALSE(onFolder.Reason.empty());
    EXPECT_TRUE(FolderExists(drive.Text("Target.txt")));
    const IoStatus noFolder = WriteFileAtomically(drive.Text("Missing\\note.txt"), "x");
    EXPECT_FALSE(noFolder);
    EXPECT_FALSE(noFolder.Reason.empty());
    EXPECT_THAT(NamesIn(drive.Path()), UnorderedElementsAre(u"locked.txt", u"Target.txt"));
}

TEST(Win32WriteFileAtomically, AFileHeldOpenAgainstDeletionKeepsItsTextAndNoTemporaryStays) {
    TempFolder drive;
    drive.WriteFile("note.txt", "old");
    // Another program reads the note and lets nobody delete or replace it meanwhile.
    const HANDLE held =
        CreateFileW(W(drive.Text("note.txt")).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const IoStatus written = WriteFileAtomically(drive.Text("note.txt"), "new");
    CloseHandle(held);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.Reason.empty());
    EXPECT_EQ(drive.ReadFile("note.txt"), "old");
    EXPECT_THAT(NamesIn(drive.Path()), UnorderedElementsAre(u"note.txt"));
}

TEST(Win32RemoveFile, DeletesReadOnlyFilesButNotFolders) {
    TempFolder drive;
    drive.WriteFile("ro.txt", "x");
    drive.WriteFile("hidden.txt", "x");
    drive.MakeFolder("Keep");
    SetAttributes(drive.Text("ro.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(drive.Text("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(RemoveFile(drive.Text("ro.txt")));
    EXPECT_FALSE(drive.Exists("ro.txt"));
    EXPECT_TRUE(RemoveFile(drive.Text("hidden.txt")));
    EXPECT_FALSE(drive.Exists("hidden.txt"));
    const IoStatus again = RemoveFile(drive.Text("ro.txt"));
    EXPECT_FALSE(again);
    EXPECT_FALSE(again.Reason.empty());
    EXPECT_FALSE(RemoveFile(drive.Text("Keep")));
    EXPECT_TRUE(FolderExists(drive.Text("Keep")));
}

TEST(Win32RemoveFile, AReadOnlyFileThatCannotGoStaysReadOnly) {
    TempFolder drive;
    drive.WriteFile("busy.txt", "x");
    SetAttributes(drive.Text("busy.txt"), FILE_ATTRIBUTE_READONLY);
    // Held open by a program that does not let it be deleted.
    const HANDLE held = CreateFileW(W(drive.Text("busy.txt")).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const IoStatus removed = RemoveFile(drive.Text("busy.txt"));
    CloseHandle(held);
    EXPECT_FALSE(removed);
    EXPECT_FALSE(removed.Reason.empty());
    EXPECT_TRUE(drive.Exists("busy.txt"));
    EXPECT_NE(AttributesOf(drive.Text("busy.txt")) & FILE_ATTRIBUTE_READONLY, 0U);
}

TEST(Win32MakeFolder, CreatesOnceAndAcceptsAnExistingFolder) {
    TempFolder drive;
    EXPECT_TRUE(MakeFolder(drive.Text("Notes")));
    EXPECT_TRUE(FolderExists(drive.Text("Notes")));
    EXPECT_TRUE(MakeFolder(drive.Text("Notes")));
    EXPECT_TRUE(MakeFolder(drive.Text().substr(0, RootLength(drive.Text()))));
    drive.WriteFile("File", "x");
    EXPECT_FALSE(MakeFolder(drive.Text("File")));
    EXPECT_FALSE(MakeFolder(drive.Text("a\\b\\c")));
    EXPECT_FALSE(drive.Exists("a"));
}

TEST(Win32Folders, CurrentFolderHasNoTrailingSeparatorExceptAtARoot) {
    TempFolder drive;
    const std::u16string root = drive.Text().substr(0, RootLength(drive.Text()));
    {
        TestSupport::ScopedCurrentFolder inDrive(drive.Path() / "");
        const std::u16string current = CurrentFolder();
        ASSERT_FALSE(current.empty());
        EXPECT_FALSE(EndsWithSeparator(current)) << Utf8(current);
        EXPECT_EQ(IdentityOfPath(current), IdentityOfPath(drive.Text()));
    }
    {
        TestSupport::ScopedCurrentFolder atRoot(fs::path(W(root)));
        EXPECT_EQ(Lower(CurrentFolder()), Lower(root));
    }
}

TEST(Win32Folders, ProgramFolderHoldsTheRunningProgram) {
    // The system's own account of the image, by another call than the one under test.
    std::wstring image(32768, L'\0');
    DWORD length = static_cast<DWORD>(image.size());
    ASSERT_TRUE(QueryFullProcessImageNameW(GetCurrentProcess(), 0, image.data(), &length));
    image.resize(length);
    const std::u16string imagePath(image.begin(), image.end());

    TempFolder drive;
    const TestSupport::ScopedCurrentFolder elsewhere(drive.Path());
    const std::u16string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(IsRootPath(program) || !EndsWithSeparator(program)) << Utf8(program);
    EXPECT_TRUE(FolderExists(program));
    EXPECT_EQ(KindOfPath(InFolder(program, NameOfPath(imagePath))), PathKind::File)
        << Utf8(program) << " " << Utf8(imagePath);
    EXPECT_EQ(IdentityOfPath(program), IdentityOfPath(FolderOfPath(imagePath)));
}

TEST(Win32IdentityOfPath, OneFolderThroughTwoSpellings) {
    TempFolder drive;
    drive.MakeFolder("A/B");
    drive.MakeFolder("C");
    drive.WriteFile("A/one.txt", "1");
    drive.WriteFile("A/two.txt", "2");
    const std::u16string canonical = drive.Text("A\\B");
    ASSERT_GE(canonical.size(), 3U);
    ASSERT_EQ(canonical[1], u':');
    // "X:\a\b" and "x:/a/b/"
    std::u16string other = canonical + u"/";
    other[0] = static_cast<char16_t>(std::towlower(other[0]));
    for (auto& c : other) {
        c = c == u'\\' ? u'/' : c;
    }
    const auto identity = IdentityOfPath(canonical);
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(IdentityOfPath(other), identity) << Utf8(other);
    EXPECT_NE(IdentityOfPath(drive.Text("A")), identity);
    EXPECT_NE(IdentityOfPath(drive.Text("C")), identity);
    EXPECT_EQ(IdentityOfPath(drive.Text("A\\B\\..\\one.txt")),
              IdentityOfPath(drive.Text("A/one.txt")));
    EXPECT_NE(IdentityOfPath(drive.Text("A/one.txt")), IdentityOfPath(drive.Text("A/two.txt")));
    EXPECT_FALSE(IdentityOfPath(drive.Text("none")).has_value());
    EXPECT_FALSE(IdentityOfPath(u"").has_value());
}

TEST(Win32Locale, DecimalSeparatorIsTheOneWindowsWritesNumbersWith) {
    const char16_t separator = UserDecimalSeparator();
    EXPECT_NE(separator, u'\0');
    // Windows writes 1.5 by the user's settings; what stands between 1 and 5 is the separator.
    wchar_t formatted[64] = {};
    ASSERT_GT(GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"1.5", nullptr, formatted, 64), 0);
    const std::wstring text = formatted;
    const std::size_t five = text.find(L'5');
    ASSERT_NE(five, std::wstring::npos);
    ASSERT_GE(five, 2U);
    const std::wstring written = text.substr(1, five - 1);
    EXPECT_EQ(separator, written.size() == 1 ? static_cast<char16_t>(written[0]) : u'.');
}

TEST(StraySavesWin32, AFileARunningSaveHoldsIsNotTakenAndGoesOnceItIsLetGo) {
    TempFolder drive;
    const auto stray = drive.WriteFile("Notes/.kivola-save-RUNNING", "half");
    // Another instance of the program in the middle of its save: the file open, shared with
    // nobody.
    HANDLE held = CreateFileW(stray.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RemoveStraySaves(drive.Text("Notes"));
    EXPECT_TRUE(fs::exists(stray));
    EXPECT_TRUE(WriteFileAtomically(drive.Text("Notes/a.txt"), "a"));
    EXPECT_TRUE(fs::exists(stray));
    CloseHandle(held);  // the other save ended without renaming it: killed
    RemoveStraySaves(drive.Text("Notes"));
    EXPECT_FALSE(fs::exists(stray));
    EXPECT_EQ(drive.ReadFile("Notes/a.txt"), "a");
}

TEST(StraySavesWin32, ASaveThatCannotRenameLeavesNothingOfItsOwn) {
    TempFolder drive;
    drive.WriteFile("Notes/Plan.txt", "old");
    HANDLE blocker = CreateFileW((drive.Path() / "Notes/Plan.txt").c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    // The target held without delete sharing: the rename fails, and the save says so, leaving
    // nothing of its own behind.
    EXPECT_FALSE(WriteFileAtomically(drive.Text("Notes/Plan.txt"), "new"));
    CloseHandle(blocker);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(drive.Path() / "Notes")) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(names, UnorderedElementsAre("Plan.txt"));
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "old");
}
