#include "platform/FileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "testsupport/TempFolder.h"
#include "testsupport/Unprivileged.h"

using namespace Platform;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::U;
namespace fs = std::filesystem;

TEST(PathAttributes, TellsFilesFoldersAndMissingPaths) {
    TempFolder drive;
    drive.WriteFile("a.txt", "x");
    drive.MakeFolder("Apps");
    drive.WriteFile(".hidden", "x");
    EXPECT_EQ(PathAttributes(drive.Text("a.txt")) & AttrDirectory, 0);
    EXPECT_NE(PathAttributes(drive.Text("Apps")) & AttrDirectory, 0);
    EXPECT_NE(PathAttributes(drive.Text(".hidden")) & AttrHidden, 0);
    EXPECT_EQ(PathAttributes(drive.Text("a.txt")) & AttrHidden, 0);
    EXPECT_EQ(PathAttributes(drive.Text("missing")), -1);
    EXPECT_EQ(PathAttributes(u""), -1);
    EXPECT_EQ(KindOfPath(drive.Text("a.txt")), PathKind::File);
    EXPECT_EQ(KindOfPath(drive.Text("Apps")), PathKind::Folder);
    EXPECT_EQ(KindOfPath(drive.Text("nope")), PathKind::Missing);
    EXPECT_TRUE(FolderExists(drive.Text("Apps")));
    EXPECT_FALSE(FolderExists(drive.Text("a.txt")));
}

TEST(PathAttributes, MarksFilesWeCannotWriteAsReadOnly) {
    TempFolder drive;
    const auto file = drive.WriteFile("locked.txt", "x");
    drive.WriteFile("open.txt", "x");
    fs::permissions(file, fs::perms::owner_read);
    TestSupport::RunWithoutRoot(drive, [&drive] {
        EXPECT_NE(PathAttributes(drive.Text("locked.txt")) & AttrReadOnly, 0);
        EXPECT_EQ(PathAttributes(drive.Text("open.txt")) & AttrReadOnly, 0);
    });
}

TEST(ListFolder, SplitsFilesFromFoldersFollowingLinks) {
    TempFolder drive;
    drive.WriteFile("one.txt", "1");
    drive.WriteFile("two.txt", "2");
    drive.MakeFolder("Sub");
    fs::create_directory_symlink(drive.Path() / "Sub", drive.Path() / "LinkToSub");
    fs::create_symlink(drive.Path() / "gone", drive.Path() / "Dangling");
    const auto contents = ListFolder(drive.Text());
    ASSERT_TRUE(contents.has_value());
    EXPECT_THAT(contents->Files, UnorderedElementsAre(u"one.txt", u"two.txt", u"Dangling"));
    EXPECT_THAT(contents->SubFolders, UnorderedElementsAre(u"Sub", u"LinkToSub"));
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

TEST(ReadWholeFile, TurnsAwayPipesDevicesAndOversizedFiles) {
    // What a drive may hold in place of a descriptor, icon or note: a named pipe (whose
    // opening would wait for a writer), a link to an endless device, a huge file.
    TempFolder drive;
    ASSERT_EQ(::mkfifo((drive.Path() / "pipe.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", drive.Path() / "zero.gif");
    drive.WriteFile("big.ini", std::string(4096, 'x'));
    EXPECT_FALSE(ReadWholeFile(drive.Text("pipe.ini")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("zero.gif")).has_value());
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
    EXPECT_EQ(noFolder.Reason, U("No such file or directory"));

    drive.WriteFile("Locked/note.txt", "keep me");
    fs::permissions(drive.Path() / "Locked", fs::perms::owner_read | fs::perms::owner_exec);
    drive.WriteFile("ReadOnlyFile/note.txt", "keep me too");
    fs::permissions(drive.Path() / "ReadOnlyFile/note.txt", fs::perms::owner_read);
    TestSupport::RunWithoutRoot(drive, [&drive] {
        const IoStatus locked = WriteFileAtomically(drive.Text("Locked/note.txt"), "lost?");
        EXPECT_FALSE(locked);
        EXPECT_EQ(locked.Reason, U("Permission denied"));
        EXPECT_FALSE(WriteFileAtomically(drive.Text("ReadOnlyFile/note.txt"), "lost?"));
    });
    EXPECT_EQ(drive.ReadFile("Locked/note.txt"), "keep me");
    EXPECT_EQ(drive.ReadFile("ReadOnlyFile/note.txt"), "keep me too");
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
    EXPECT_NE(program.back(), u'/');
    EXPECT_TRUE(FolderExists(program));
    EXPECT_EQ(KindOfPath(program + u"/platform_tests"), PathKind::File);
}

TEST(IdentityOfPath, SeesThroughLinks) {
    TempFolder drive;
    drive.MakeFolder("A/B");
    fs::create_directory_symlink(drive.Path() / "A", drive.Path() / "A/B/Up");
    EXPECT_EQ(IdentityOfPath(drive.Text("A")), IdentityOfPath(drive.Text("A/B/Up")));
    EXPECT_NE(IdentityOfPath(drive.Text("A")), IdentityOfPath(drive.Text("A/B")));
    EXPECT_FALSE(IdentityOfPath(drive.Text("none")).has_value());
}

TEST(FileNames, NamesThatAreNotUtf8StillOpen) {
    TempFolder drive;
    drive.WriteFile("caf\xE9.txt", "bytes");
    const auto contents = ListFolder(drive.Text());
    ASSERT_TRUE(contents.has_value());
    ASSERT_EQ(contents->Files.size(), 1U);
    EXPECT_EQ(ReadWholeFile(drive.Text() + u"/" + contents->Files[0]), "bytes");
}
