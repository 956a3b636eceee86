// The walker over what only POSIX file systems hold: names hidden by their leading dot, named
// pipes, and links made by anyone.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "DirDrillWalk.h"
#include "platform/FileSystem.h"
#include "support/CDirDrill.h"
#include "testsupport/TempFolder.h"

using DirDrillTest::Search;
using DirDrillTest::Walk;
using Support::CDirDrill;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
namespace fs = std::filesystem;

TEST(CDirDrill, DotFilesAreHiddenFiles) {
    TempFolder drive;
    drive.WriteFile(".profile", "");
    drive.WriteFile("Visible/y.txt", "");
    CDirDrill drill;
    Walk walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/Visible/y.txt"));

    drill.SetAttributeMask(Platform::AttrHidden);
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, UnorderedElementsAre("/.profile", "/Visible/y.txt"));
}

TEST(CDirDrill, EntriesThatAreNeitherFileNorFolderNeedTheSystemBit) {
    TempFolder drive;
    drive.WriteFile("notes.txt", "");
    ASSERT_EQ(::mkfifo((drive.Path() / "pipe.txt").c_str(), 0600), 0);
    CDirDrill drill;
    drill.SetPattern(u"*.TXT");
    Walk walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/notes.txt"));
    drill.SetAttributeMask(Platform::AttrSystem);
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, UnorderedElementsAre("/notes.txt", "/pipe.txt"));
}

TEST(CDirDrill, LinksBackUpTheTreeAreNotFollowed) {
    TempFolder drive;
    drive.WriteFile("A/a.txt", "");
    drive.WriteFile("B/b.txt", "");
    fs::create_directory_symlink(drive.Path(), drive.Path() / "A" / "ToTop");
    fs::create_directory_symlink(drive.Path() / "A", drive.Path() / "A" / "ToSelf");
    fs::create_directory_symlink(drive.Path() / "B", drive.Path() / "A" / "ToB");
    CDirDrill drill;
    const Walk walk = Search(drill, drive);
    // B is taken at the top, before A is searched, so the link to it is not followed again.
    EXPECT_THAT(walk.Files, UnorderedElementsAre("/A/a.txt", "/B/b.txt"));
    EXPECT_EQ(walk.TotalFolders, 3);
    EXPECT_EQ(walk.DoneCount, 1);
}

TEST(CDirDrill, LinksThatBranchAndMeetAgainAreWalkedOnce) {
    // Each level reaches the next through its real sub-folder and two links: followed
    // blindly, the walk would visit the deepest folder 3^8 times.
    TempFolder drive;
    fs::path level = drive.Path();
    constexpr int Depth = 8;
    for (int k = 1; k <= Depth; ++k) {
        const fs::path next = level / ("N" + std::to_string(k));
        fs::create_directory(next);
        fs::create_directory_symlink(next, level / "p");
        fs::create_directory_symlink(next, level / "q");
        std::ofstream(next / "f.txt") << k;
        level = next;
    }
    CDirDrill drill;
    const Walk walk = Search(drill, drive);
    EXPECT_EQ(walk.Files.size(), static_cast<std::size_t>(Depth));
    EXPECT_EQ(walk.TotalFiles, Depth);
    EXPECT_EQ(walk.TotalFolders, Depth + 1);
}
