#include "platform/FileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/TempFolder.h"

using namespace Platform;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::U;
namespace fs = std::filesystem;

TEST(PathAttributes, TellsFilesFoldersAndMissingPaths) {
    TempFolder drive;
    drive.WriteFile("a.txt", "x");
    drive.MakeFolder("Apps");
    EXPECT_EQ(PathAttributes(drive.Text("a.txt")) & AttrDirectory, 0);
    EXPECT_NE(PathAttributes(drive.Text("Apps")) & AttrDirectory, 0);
    EXPECT_EQ(PathAttributes(drive.Text("a.txt")) & AttrHidden, 0);
    EXPECT_EQ(PathAttributes(drive.Text("missing")), -1);
    EXPECT_EQ(PathAttributes(u""), -1);
    EXPECT_EQ(KindOfPath(drive.Text("a.txt")), PathKind::File);
    EXPECT_EQ(KindOfPath(drive.Text("Apps")), PathKind::Folder);
    EXPECT_EQ(KindOfPath(drive.Text("nope")), PathKind::Missing);
    EXPECT_TRUE(FolderExists(drive.Text("Apps")));
    EXPECT_FALSE(FolderExists(drive.Text("a.txt")));
}

TEST(ListFolder, SplitsFilesFromFolders) {
    TempFolder drive;
    drive.WriteFile("one.txt", "1");
    drive.WriteFile("two.txt", "2");
    drive.MakeFolder("Sub");
    const auto contents = ListFolder(drive.Text());
    ASSERT_TRUE(contents.has_value());
    EXPECT_THAT(contents->Files, UnorderedElementsAre(u"one.txt", u"two.txt"));
    EXPECT_THAT(contents->SubFolders, UnorderedElementsAre(u"Sub"));
    EXPECT_FALSE(ListFolder(drive.Text("missing")).has_value());
    EXPECT_FALSE(ListFolder(drive.Text("one.txt")).has_value());
}

TEST(ReadWholeFile, FailsOnMissingEmptyOrFolder) {
    TempFolder drive;
    drive.WriteFile("data.bin", std::string("a\0b\r\n", 5));
    drive.WriteFile("empty.txt", "");
    drive.MakeFolder("Folder");
    EXPECT_EQ(ReadWholeFile(drive.Text("data.bin")), std::string("a\0b\r\n", 5));
    EXPECT_FALSE(ReadWholeFile(drive.Text("empty.txt")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("missing.txt")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("Folder")).has_value());
    EXPECT_FALSE(ReadWholeFile(u"").has_value());
}

TEST(ReadWholeFile, TurnsAwayOversizedFiles) {
    TempFolder drive;
    drive.WriteFile("big.ini", std::string(4096, 'x'));
    EXPECT_FALSE(ReadWholeFile(drive.Text("big.ini"), 4095).has_value());
    EXPECT_EQ(ReadWholeFile(drive.Text("big.ini"), 4096)->size(), 4096U);
    EXPECT_EQ(SizeOfFile(drive.Text("big.ini")), 4096U);
    EXPECT_FALSE(SizeOfFile(drive.Text("none")).has_value());
}

TEST(WriteFileAtomically, ReplacesTheWholeFileAndLeavesNoTemporary) {
    TempFolder drive;
    drive.WriteFile("note.txt", "an old and much longer text");
    ASSERT_TRUE(WriteFileAtomically(drive.Text("note.txt"), "new"));
    EXPECT_EQ(drive.ReadFile("note.txt"), "new");
    ASSERT_TRUE(WriteFileAtomically(drive.Text("fresh.txt"), "created"));
    EXPECT_EQ(drive.ReadFile("fresh.txt"), "created");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(drive.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

TEST(WriteFileAtomically, ReportsWhyItFailedAndKeepsTheOldText) {
    TempFolder drive;
    drive.MakeFolder("Target.txt");
    const IoStatus onFolder = WriteFileAtomically(drive.Text("Target.txt"), "x");
    EXPECT_FALSE(onFolder);
    EXPECT_FALSE(onFolder.Reason.empty());

    const IoStatus noFolder = WriteFileAtomically(drive.Text("Missing/file.txt"), "x");
    EXPECT_FALSE(noFolder);
    EXPECT_FALSE(noFolder.Reason.empty());
    EXPECT_FALSE(drive.Exists("Missing"));
}

TEST(RemoveFile, DeletesReadOnlyFilesButNotFolders) {
    TempFolder drive;
    const auto file = drive.WriteFile("ro.txt", "x");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_TRUE(RemoveFile(drive.Text("ro.txt")));
    EXPECT_FALSE(drive.Exists("ro.txt"));
    EXPECT_FALSE(RemoveFile(drive.Text("ro.txt")));
    drive.MakeFolder("Keep");
    EXPECT_FALSE(RemoveFile(drive.Text("Keep")));
    EXPECT_TRUE(drive.Exists("Keep"));
}

TEST(RenameInFolder, RenamesButNeverReplaces) {
    TempFolder drive;
    drive.WriteFile("old.txt", "old");
    drive.WriteFile("taken.txt", "taken");
    const IoStatus refused = RenameInFolder(drive.Text(), u"old.txt", u"taken.txt");
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.Reason.empty());
    EXPECT_EQ(drive.ReadFile("taken.txt"), "taken");
    EXPECT_EQ(drive.ReadFile("old.txt"), "old");

    EXPECT_TRUE(RenameInFolder(drive.Text(), u"old.txt", u"new é€.txt"));
    EXPECT_FALSE(drive.Exists("old.txt"));
    EXPECT_EQ(ReadWholeFile(InFolder(drive.Text(), u"new \u00e9\u20ac.txt")), "old");

    EXPECT_FALSE(RenameInFolder(drive.Text(), u"missing.txt", u"other.txt"));
    EXPECT_FALSE(drive.Exists("other.txt"));
}

TEST(MakeFolder, CreatesOnceAndAcceptsAnExistingFolder) {
    TempFolder drive;
    EXPECT_TRUE(MakeFolder(drive.Text("Notes")));
    EXPECT_TRUE(FolderExists(drive.Text("Notes")));
    EXPECT_TRUE(MakeFolder(drive.Text("Notes")));
    drive.WriteFile("File", "x");
    EXPECT_FALSE(MakeFolder(drive.Text("File")));
    EXPECT_FALSE(MakeFolder(drive.Text("a/b/c")));
}

TEST(Folders, CurrentAndProgramFolderHaveNoTrailingSeparator) {
    TempFolder drive;
    {
        TestSupport::ScopedCurrentFolder inDrive(drive.Path());
        EXPECT_EQ(CurrentFolder(), drive.Text());
    }
    const std::u16string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_NE(program.back(), PathSeparator);
    EXPECT_TRUE(FolderExists(program));
    const auto contents = ListFolder(program);
    ASSERT_TRUE(contents.has_value());
    EXPECT_THAT(contents->Files, Contains(AnyOf(u"platform_tests", u"platform_tests.exe")));
}

TEST(IdentityOfPath, TellsFoldersApart) {
    TempFolder drive;
    drive.MakeFolder("A/B");
    ASSERT_TRUE(IdentityOfPath(drive.Text("A")).has_value());
    EXPECT_EQ(IdentityOfPath(drive.Text("A")), IdentityOfPath(drive.Text("A/B/..")));
    EXPECT_NE(IdentityOfPath(drive.Text("A")), IdentityOfPath(drive.Text("A/B")));
    EXPECT_FALSE(IdentityOfPath(drive.Text("none")).has_value());
}
