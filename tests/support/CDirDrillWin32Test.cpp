// The walker over what Windows file systems hold: hidden and system attributes, drive paths,
// and junctions back up the tree.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DirDrillWalk.h"
#include "LinkedTreeWin32.h"
#include "platform/FileSystem.h"
#include "platform/win32/WindowsApi.h"
#include "support/CDirDrill.h"
#include "testsupport/TempFolder.h"

using DirDrillTest::Search;
using DirDrillTest::SearchTree;
using DirDrillTest::Walk;
using Support::CDirDrill;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;
using TestSupport::TempFolder;

namespace {

void AddAttributes(const TempFolder& drive, std::string_view relative, DWORD attributes) {
    const std::u16string path = drive.Text(relative);
    const std::wstring wide(path.begin(), path.end());
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | attributes));
}

}  // namespace

TEST(CDirDrill, HiddenAndSystemAreTheAttributesNotTheName) {
    TempFolder drive;
    drive.WriteFile(".profile", "");
    drive.WriteFile("secret.txt", "");
    drive.WriteFile("boot.txt", "");
    drive.WriteFile("Visible/y.txt", "");
    drive.WriteFile("Stash/z.txt", "");
    drive.WriteFile("Core/w.txt", "");
    AddAttributes(drive, "secret.txt", FILE_ATTRIBUTE_HIDDEN);
    AddAttributes(drive, "boot.txt", FILE_ATTRIBUTE_SYSTEM);
    AddAttributes(drive, "Stash", FILE_ATTRIBUTE_HIDDEN);
    AddAttributes(drive, "Core", FILE_ATTRIBUTE_SYSTEM);
    // Wine marks a name with a leading dot hidden, as its Unix host would show it, unless its
    // prefix says otherwise; Windows does not. Either way the attribute decides.
    const std::u16string dotFile = drive.Text(".profile");
    const bool dotHidden =
        (GetFileAttributesW(std::wstring(dotFile.begin(), dotFile.end()).c_str()) &
         FILE_ATTRIBUTE_HIDDEN) != 0;
    std::vector<std::string> visible{"/Visible/y.txt"};
    if (!dotHidden) {
        visible.push_back("/.profile");
    }
    CDirDrill drill;

    // Hidden and system folders are neither counted nor searched.
    Walk walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, UnorderedElementsAreArray(visible));
    EXPECT_EQ(walk.TotalFolders, 2);

    drill.SetAttributeMask(Platform::AttrHidden);
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, UnorderedElementsAre("/.profile", "/secret.txt", "/Visible/y.txt"));
    drill.SetAttributeMask(Platform::AttrSystem | Platform::AttrHidden | Platform::AttrDirectory);
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files,
                UnorderedElementsAre("/.profile", "/secret.txt", "/boot.txt", "/Visible/y.txt"));
    EXPECT_EQ(walk.TotalFolders, 2);
}

TEST(CDirDrill, DrivePathsSplitAtEitherSeparator) {
    CDirDrill drill;
    EXPECT_EQ(drill.ExtractName(u"Q:\\dir\\file.txt", false), u"file.txt");
    EXPECT_EQ(drill.ExtractName(u"Q:\\dir/file.txt", true), u"file");
    EXPECT_EQ(drill.ExtractName(u"Q:\\file.txt", true), u"file");
    EXPECT_EQ(drill.ExtractPath(u"Q:\\dir\\file.txt"), u"Q:\\dir\\");
    EXPECT_EQ(drill.ExtractPath(u"Q:\\file.txt"), u"Q:\\");

    // A folder gets the separator Windows prints.
    TempFolder drive;
    drive.MakeFolder("dir");
    EXPECT_EQ(drill.ExtractPath(drive.Text("dir")), drive.Text() + u"\\dir\\");
}

TEST(CDirDrill, LinksBackUpTheTreeAreNotFollowed) {
    const TestSupport::LinkedTree tree({"walk",
                                        {{"A/a.txt", ""}, {"B/b.txt", ""}},
                                        {{"A/ToTop", ""}, {"A/ToSelf", "A"}, {"A/ToB", "B"}}});
    ASSERT_FALSE(tree.HostTreeBroken()) << tree.WhyNot();
    if (!tree.Root()) {
        GTEST_SKIP() << "no tree with links: " << tree.WhyNot();
    }
    CDirDrill drill;
    const Walk walk = SearchTree(drill, *tree.Root());
    // B is taken at the top, before A is searched, so the link to it is not followed again.
    EXPECT_THAT(walk.Files, UnorderedElementsAre("/A/a.txt", "/B/b.txt"));
    EXPECT_EQ(walk.TotalFolders, 3);
    EXPECT_EQ(walk.DoneCount, 1);
}
