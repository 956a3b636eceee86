#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"

using namespace Platform;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::Utf8;

namespace {

std::wstring W(std::u16string_view text) {
    return {text.begin(), text.end()};
}

void SetAttributes(const std::u16string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(W(path).c_str(), attributes)) << Utf8(path);
}

std::vector<std::u16string> ListAll(const std::u16string& pathAndPattern, std::int32_t mask) {
    std::vector<std::u16string> names;
    for (auto entry = FindFirstEntry(pathAndPattern, mask); entry; entry = FindNextEntry()) {
        names.push_back(entry->Name);
    }
    return names;
}

std::map<std::u16string, FoundEntry> EntriesOf(const std::u16string& pathAndPattern,
                                               std::int32_t mask) {
    std::map<std::u16string, FoundEntry> entries;
    for (auto entry = FindFirstEntry(pathAndPattern, mask); entry; entry = FindNextEntry()) {
        entries.emplace(entry->Name, *entry);
    }
    return entries;
}

// Whether a handle that reads the folder is open: the system opens a folder it lists for
// reading, so an attempt to have the folder to oneself fails while a listing holds it.
bool ListingHolds(const std::u16string& folder) {
    const HANDLE alone = CreateFileW(W(folder).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (alone == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(alone);
    return false;
}

// Plain, read-only, hidden, system and hidden system files, and plain, hidden and system
// folders, all matching "*.txt".
void MakeEveryKind(const TempFolder& drive) {
    for (const char* name : {"plain.txt", "locked.txt", "hidden.txt", "system.txt", "both.txt"}) {
        drive.WriteFile(name, "");
    }
    for (const char* name : {"Folder.txt", "HiddenFolder.txt", "SystemFolder.txt"}) {
        drive.MakeFolder(name);
    }
    SetAttributes(drive.Text("locked.txt"), FILE_ATTRIBUTE_READONLY);
    SetAttributes(drive.Text("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("system.txt"), FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(drive.Text("both.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(drive.Text("HiddenFolder.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(drive.Text("SystemFolder.txt"), FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace

TEST(Win32FolderCursor, AttributeMaskChoosesHiddenSystemAndFolderEntries) {
    TempFolder drive;
    MakeEveryKind(drive);
    const std::u16string all = drive.Text() + u"\\*.txt";
    EXPECT_THAT(ListAll(all, 0), UnorderedElementsAre(u"plain.txt", u"locked.txt"));
    EXPECT_THAT(ListAll(all, AttrReadOnly), UnorderedElementsAre(u"plain.txt", u"locked.txt"));
    EXPECT_THAT(ListAll(all, AttrHidden),
                UnorderedElementsAre(u"plain.txt", u"locked.txt", u"hidden.txt"));
    EXPECT_THAT(ListAll(all, AttrSystem),
                UnorderedElementsAre(u"plain.txt", u"locked.txt", u"system.txt"));
    EXPECT_THAT(ListAll(all, AttrHidden | AttrSystem),
                UnorderedElementsAre(u"plain.txt", u"locked.txt", u"hidden.txt", u"system.txt",
                                     u"both.txt"));
    EXPECT_THAT(ListAll(all, AttrDirectory),
                UnorderedElementsAre(u"plain.txt", u"locked.txt", u"Folder.txt"));
    EXPECT_THAT(ListAll(all, AttrDirectory | AttrHidden),
                UnorderedElementsAre(u"plain.txt", u"locked.txt", u"hidden.txt", u"Folder.txt",
                                     u"HiddenFolder.txt"));
    EXPECT_THAT(
        ListAll(all, AttrDirectory | AttrHidden | AttrSystem),
        UnorderedElementsAre(u"plain.txt", u"locked.txt", u"hidden.txt", u"system.txt", u"both.txt",
                             u"Folder.txt", u"HiddenFolder.txt", u"SystemFolder.txt"));
}

TEST(Win32FolderCursor, EntriesTellTheirKindAndAttributes) {
    TempFolder drive;
    MakeEveryKind(drive);
    const auto entries =
        EntriesOf(drive.Text() + u"\\*.txt", AttrDirectory | AttrHidden | AttrSystem);
    ASSERT_EQ(entries.size(), 8U);
    const auto expectEntry = [&entries](const char16_t* name, bool folder, bool hidden,
                                        bool system) {
        const auto found = entries.find(name);
        ASSERT_NE(found, entries.end()) << Utf8(name);
        EXPECT_EQ(found->second.IsFolder, folder) << Utf8(name);
        EXPECT_EQ(found->second.IsHidden, hidden) << Utf8(name);
        EXPECT_EQ(found->second.IsSystem, system) << Utf8(name);
    };
    expectEntry(u"plain.txt", false, false, false);
    expectEntry(u"locked.txt", false, false, false);
    expectEntry(u"hidden.txt", false, true, false);
    expectEntry(u"system.txt", false, false, true);
    expectEntry(u"both.txt", false, true, true);
    expectEntry(u"Folder.txt", true, false, false);
    expectEntry(u"HiddenFolder.txt", true, true, false);
    expectEntry(u"SystemFolder.txt", true, false, true);
}

TEST(Win32FolderCursor, StarDotStarMatchesEveryNameButNeverTheDotEntries) {
    TempFolder drive;
    drive.WriteFile("README", "");
    drive.WriteFile("a.b.c", "");
    drive.MakeFolder("Sub");
    const std::u16string everything = drive.Text() + u"\\*.*";
    EXPECT_THAT(ListAll(everything, 0), UnorderedElementsAre(u"README", u"a.b.c"));
    EXPECT_THAT(ListAll(everything, AttrDirectory | AttrHidden | AttrSystem),
                UnorderedElementsAre(u"README", u"a.b.c", u"Sub"));
    EXPECT_THAT(ListAll(drive.Text("Sub") + u"\\*.*", AttrDirectory | AttrHidden | AttrSystem),
                IsEmpty());
    EXPECT_THAT(ListAll(drive.Text() + u"\\*", AttrDirectory),
                UnorderedElementsAre(u"README", u"a.b.c", u"Sub"));
}

TEST(Win32FolderCursor, PlainNamesMissingFoldersAndEmptyPatterns) {
    TempFolder drive;
    drive.WriteFile("exact.ini", "");
    drive.WriteFile("secret.ini", "");
    SetAttributes(drive.Text("secret.ini"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_THAT(ListAll(drive.Text("exact.ini"), 0), UnorderedElementsAre(u"exact.ini"));
    EXPECT_THAT(ListAll(drive.Text("secret.ini"), 0), IsEmpty());
    EXPECT_THAT(ListAll(drive.Text("secret.ini"), AttrHidden), UnorderedElementsAre(u"secret.ini"));
    EXPECT_THAT(ListAll(drive.Text("none.ini"), 0), IsEmpty());
    EXPECT_THAT(ListAll(drive.Text() + u"\\", 0), IsEmpty());
    EXPECT_THAT(ListAll(drive.Text("missing") + u"\\*.*", 0), IsEmpty());
}

TEST(Win32FolderCursor, DeviceNamesListNothing) {
    TempFolder drive;
    drive.WriteFile("plain.txt", "");
    // A file by a device's name, as another system can leave one; only "\\?\" reaches it.
    const std::wstring leftover = L"\\\\?\\" + W(drive.Text("con.txt"));
    const HANDLE created = CreateFileW(leftover.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    constexpr std::int32_t kEverything = AttrDirectory | AttrHidden | AttrSystem;
    for (const std::u16string& pattern :
         {drive.Text("NUL"), drive.Text("nul.*"), drive.Text("CON.txt"), drive.Text("COM1"),
          drive.Text("nul:"), std::u16string(u"\\\\.\\NUL\\*"), std::u16string(u"NUL")}) {
        SCOPED_TRACE(Utf8(pattern));
        EXPECT_THAT(ListAll(pattern, kEverything), IsEmpty());
    }
    EXPECT_THAT(ListAll(drive.Text() + u"\\*.*", kEverything), UnorderedElementsAre(u"plain.txt"));
    EXPECT_TRUE(DeleteFileW(leftover.c_str()));
}

TEST(Win32FolderCursor, StartingAgainClosesThePreviousListing) {
    TempFolder drive;
    drive.WriteFile("A/1", "");
    drive.WriteFile("A/2", "");
    drive.WriteFile("B/only", "");
    const std::u16string folderA = drive.Text("A");
    const std::u16string folderB = drive.Text("B");
    ASSERT_FALSE(ListingHolds(folderA));
    ASSERT_TRUE(FindFirstEntry(folderA + u"\\*", 0).has_value());
    EXPECT_TRUE(ListingHolds(folderA));

    const auto fromB = FindFirstEntry(folderB + u"\\*", 0);
    EXPECT_FALSE(ListingHolds(folderA));
    ASSERT_TRUE(fromB.has_value());
    EXPECT_EQ(fromB->Name, u"only");
    EXPECT_FALSE(FindNextEntry().has_value());
    EXPECT_FALSE(ListingHolds(folderB));
    EXPECT_FALSE(FindNextEntry().has_value());

    ASSERT_TRUE(FindFirstEntry(folderA + u"\\*", 0).has_value());
    EndListing();
    EXPECT_FALSE(ListingHolds(folderA));
    EXPECT_FALSE(FindNextEntry().has_value());
}
