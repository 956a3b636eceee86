// The file system as only POSIX has it: names hidden by their leading dot, permission bits,
// named pipes and devices, links made by anyone, and names that are bytes rather than text.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "testsupport/TempFolder.h"
#include "testsupport/Unprivileged.h"

using namespace Platform;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::U;
namespace fs = std::filesystem;

TEST(PathAttributes, NamesWithALeadingDotAreHidden) {
    TempFolder drive;
    drive.WriteFile(".hidden", "x");
    drive.WriteFile("a.txt", "x");
    EXPECT_NE(PathAttributes(drive.Text(".hidden")) & AttrHidden, 0);
    EXPECT_EQ(PathAttributes(drive.Text("a.txt")) & AttrHidden, 0);
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

TEST(ReadWholeFile, TurnsAwayPipesAndDevices) {
    // What a drive may hold in place of a descriptor, icon or note: a named pipe (whose
    // opening would wait for a writer), a link to an endless device.
    TempFolder drive;
    ASSERT_EQ(::mkfifo((drive.Path() / "pipe.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", drive.Path() / "zero.gif");
    EXPECT_FALSE(ReadWholeFile(drive.Text("pipe.ini")).has_value());
    EXPECT_FALSE(ReadWholeFile(drive.Text("zero.gif")).has_value());
}

TEST(WriteFileAtomically, ReportsWhyInTheSystemsWordsAndKeepsTheOldText) {
    TempFolder drive;
    const IoStatus noFolder = WriteFileAtomically(drive.Text("Missing/file.txt"), "x");
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

TEST(StraySaves, AFileARunningSaveHoldsIsNotTakenAndGoesOnceItIsLetGo) {
    TempFolder drive;
    const auto stray = drive.WriteFile("Notes/.kivola-save-RUNNING", "half");
    // Another instance of the program in the middle of its save: the file held under its lock.
    const int held = ::open(stray.c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    RemoveStraySaves(drive.Text("Notes"));
    EXPECT_TRUE(fs::exists(stray));
    // A save of our own beside it leaves it alone too.
    EXPECT_TRUE(WriteFileAtomically(drive.Text("Notes/a.txt"), "a"));
    EXPECT_TRUE(fs::exists(stray));
    ::close(held);  // the other save ended without renaming it: killed
    RemoveStraySaves(drive.Text("Notes"));
    EXPECT_FALSE(fs::exists(stray));
    EXPECT_EQ(drive.ReadFile("Notes/a.txt"), "a");
}
