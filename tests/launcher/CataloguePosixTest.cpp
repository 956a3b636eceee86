// The scan over what only POSIX systems allow: links made by anyone, and a current folder
// that is removed while the launcher runs in it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launcher/LauncherFixture.h"

using ::testing::ElementsAreArray;
using TestSupport::LauncherOnDrive;
namespace fs = std::filesystem;

TEST(Scan, LinksThatBranchAndMeetAgainAreScannedOnce) {
    // Every application folder N<k> holds two links, N<k+1> and P<k+1>, to the next one, and
    // P<k> beside N<k> is a link to it: followed blindly, the deepest is registered 2^8 times.
    LauncherOnDrive launcher;
    constexpr int Depth = 8;
    const fs::path top = launcher.Drive.Path();
    for (int k = 1; k <= Depth; ++k) {
        launcher.App("N" + std::to_string(k), "n.exe");
        fs::create_directory_symlink(top / ("N" + std::to_string(k)),
                                     top / ("P" + std::to_string(k)));
    }
    for (int k = 1; k < Depth; ++k) {
        const fs::path here = top / ("N" + std::to_string(k));
        const fs::path next = top / ("N" + std::to_string(k + 1));
        fs::create_directory_symlink(next, here / ("N" + std::to_string(k + 1)));
        fs::create_directory_symlink(next, here / ("P" + std::to_string(k + 1)));
    }
    launcher.Start();
    int shown = 0;
    for (const auto& tip : launcher.View.ToolTips()) {
        shown += tip.empty() ? 0 : 1;
    }
    EXPECT_EQ(shown, Depth);
    EXPECT_FALSE(launcher.View.ScrollEnabled);
}

TEST(Scan, LinksBackUpTheTreeEndQuietly) {
    LauncherOnDrive launcher;
    launcher.App("Loop", "l.exe");
    // Links back up the tree, to the application and to the scanned folder itself.
    fs::create_directory_symlink(launcher.Drive.Path() / "Loop",
                                 launcher.Drive.Path() / "Loop/Loop");
    fs::create_directory_symlink(launcher.Drive.Path(), launcher.Drive.Path() / "Loop/Root");
    launcher.App("Root", "r.exe");
    launcher.Start();
    std::vector<std::u16string> tips;
    for (const auto& tip : launcher.View.ToolTips()) {
        if (!tip.empty()) {
            tips.push_back(tip);
        }
    }
    EXPECT_THAT(tips, ::testing::UnorderedElementsAre(u"Loop", u"Root"));
}

TEST(Scan, AScannedFolderThatCannotBeReadGivesAnEmptyCatalogue) {
    LauncherOnDrive gone;
    gone.Apps(3);
    gone.Drive.MakeFolder("Elsewhere");
    {
        const TestSupport::ScopedCurrentFolder here(gone.Drive.Path() / "Elsewhere");
        fs::remove(gone.Drive.Path() / "Elsewhere");  // the current folder vanishes
        gone.Form->Form_Load();
        gone.Form->Timer1_Timer();
    }
    EXPECT_THAT(gone.View.ToolTips(), ElementsAreArray(std::vector<std::u16string>(20)));
    EXPECT_FALSE(gone.View.ScrollEnabled);
}
