// The scan: which folders are applications, in what order they are numbered, what each slot
// shows and launches, and which page of the catalogue the grid holds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "launcher/LauncherFixture.h"
#include "platform/FileSystem.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using TestSupport::GifBytes;
using TestSupport::LauncherOnDrive;
using TestSupport::RecordingLauncherView;

namespace {

// Names of the drive's application folders in the order the file system lists them.
std::vector<std::u16string> ListedApps(const LauncherOnDrive& launcher) {
    std::vector<std::u16string> names;
    const auto contents = Platform::ListFolder(launcher.Drive.Text());
    for (const auto& name : contents->SubFolders) {
        if (launcher.Drive.Exists(TestSupport::Utf8(name) + "/kivolaapp.ini")) {
            names.push_back(name);
        }
    }
    return names;
}

// The tool tips the grid should show for the catalogue's indexes first..last.
std::vector<std::u16string> Page(const std::vector<std::u16string>& order, int first, int last) {
    std::vector<std::u16string> tips(20);
    for (int i = first; i <= last && i <= static_cast<int>(order.size()); ++i) {
        tips[static_cast<std::size_t>(i - first)] = order[static_cast<std::size_t>(i - 1)];
    }
    return tips;
}

}  // namespace

TEST(Scan, AdmitsFoldersByTheProgramFolderAndNumbersNestedOnesFirst) {
    LauncherOnDrive launcher;
    launcher.App("A", "a.exe");
    launcher.Drive.MakeFolder("B");  // no descriptor: neither registered nor entered
    launcher.App("B/Inner", "inner.exe");
    launcher.App("C", "c1.exe=c1.gif=First,c2.exe=c2.gif=Second");
    launcher.Drive.WriteFile("C/c1.gif", GifBytes);
    launcher.Drive.WriteFile("C/c2.gif", GifBytes);
    // Nested inside A, admitted because the program folder also has a "Tools" with a descriptor.
    launcher.App("A/Tools", "t.exe");
    launcher.App("Tools", "top.exe");
    launcher.App("A/Stray", "stray.exe");  // no "Stray" in the program folder
    launcher.Start();

    // (title, command, picture) in the order the applications must be numbered.
    const auto& drive = launcher.Drive;
    using Expected = std::tuple<std::u16string, std::u16string, std::u16string>;
    std::vector<Expected> expected;
    for (const auto& name : ListedApps(launcher)) {
        if (name == u"A") {
            expected.emplace_back(u"Tools", drive.Text("A/Tools/t.exe"),
                                  drive.Text("A/Tools/appicon.gif"));
            expected.emplace_back(u"A", drive.Text("A/a.exe"), drive.Text("A/appicon.gif"));
        } else if (name == u"C") {
            expected.emplace_back(u"First", drive.Text("C/c1.exe"), drive.Text("C/c1.gif"));
            expected.emplace_back(u"Second", drive.Text("C/c2.exe"), drive.Text("C/c2.gif"));
        } else if (name == u"Tools") {
            expected.emplace_back(u"Tools", drive.Text("Tools/top.exe"),
                                  drive.Text("Tools/appicon.gif"));
        }
    }
    ASSERT_EQ(expected.size(), 5U);
    std::vector<Expected> shown;
    for (int slot = 1; slot <= 20; ++slot) {
        const auto& s = launcher.View.Slots[static_cast<std::size_t>(slot)];
        if (!s.ToolTip.empty() || !launcher.Form->SlotCommand(slot).empty()) {
            shown.emplace_back(s.ToolTip, launcher.Form->SlotCommand(slot), s.Picture);
        }
    }
    EXPECT_THAT(shown, ElementsAreArray(expected));
    EXPECT_FALSE(launcher.View.ScrollEnabled);
}

TEST(Scan, FromAnotherFolderReadsItsDescriptorsButAdmitsByTheProgramFolder) {
    LauncherOnDrive launcher(nullptr, "Program");
    launcher.App("Program/Shared", "old.exe");
    launcher.App("Program/OnlyHere", "x.exe");
    launcher.App("Scan/Shared", "new.exe");
    launcher.App("Scan/Unknown", "u.exe");       // the program folder has no namesake
    launcher.Drive.MakeFolder("Scan/OnlyHere");  // admitted, but no descriptor here: dropped
    launcher.Start("Scan");
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page({u"Shared"}, 1, 20)));
    EXPECT_EQ(launcher.Form->SlotCommand(1), launcher.Drive.Text("Scan/Shared/new.exe"));
}

TEST(Scan, TheDriveEditionsSupportFolderIsNoApplication) {
    // The drive as scripts/make-drive leaves it: both programs at the root, the Linux edition's
    // libraries and plugins in .kivola (a dot folder, which Windows shows unless marked hidden),
    // beside the user's applications and notes.
    LauncherOnDrive launcher;
    launcher.Drive.WriteFile("kivola", "ELF");
    launcher.Drive.WriteFile("KIVOLA.exe", "MZ");
    launcher.Drive.WriteFile(".kivola/lib/libQt6Core.so.6", "ELF");
    launcher.Drive.WriteFile(".kivola/plugins/platforms/libqxcb.so", "ELF");
    launcher.Drive.WriteFile(".kivola/plugins/imageformats/libqgif.so", "ELF");
    launcher.Drive.WriteFile("Notes/Welcome.txt", "Hello\r\n");
    launcher.App("Mail", "mail.sh");
    launcher.App("Music", "music.sh");
    launcher.Start();
    std::vector<std::u16string> tips;
    for (int slot = 1; slot <= 20; ++slot) {
        const auto& tip = launcher.View.Slots[static_cast<std::size_t>(slot)].ToolTip;
        if (!tip.empty()) {
            tips.push_back(tip);
        }
    }
    std::sort(tips.begin(), tips.end());
    EXPECT_THAT(tips, ElementsAre(u"Mail", u"Music"));
}

TEST(Scan, SlotCommandsAreTheFolderAndTheDescriptorsText) {
    LauncherOnDrive launcher;
    launcher.App("Empty", "");
    launcher.App("Fields", "a.exe=a.gif=Alpha");
    launcher.App("Spaced", "My Tool/run me.sh --fast\r\n");
    launcher.App("List", "x.sh,y.sh\n");
    launcher.Start();
    std::map<std::u16string, std::u16string> commands;
    for (int slot = 1; slot <= 20; ++slot) {
        const auto& tip = launcher.View.Slots[static_cast<std::size_t>(slot)].ToolTip;
        if (!tip.empty()) {
            commands[tip] += launcher.Form->SlotCommand(slot) + u"|";
        }
    }
    const auto& drive = launcher.Drive;
    EXPECT_EQ(commands[u"Empty"], drive.Text("Empty/") + u"|");
    EXPECT_EQ(commands[u"Fields"], drive.Text("Fields/a.exe=a.gif=Alpha") + u"|");
    // The descriptor's text follows the folder as written, its own '/' included.
    EXPECT_EQ(commands[u"Spaced"], drive.Text("Spaced/") + u"My Tool/run me.sh --fast\r\n|");
    EXPECT_EQ(commands[u"List"], drive.Text("List/x.sh") + u"|" + drive.Text("List/y.sh") + u"\n|");
    EXPECT_EQ(launcher.Form->AppIndex(), 1);
}

TEST(Scan, IconsFallBackWithoutCostingAnApplicationItsPlace) {
    LauncherOnDrive launcher;
    launcher.App("Own", "o.exe");
    launcher.App("NoIcon", "n.exe", false);
    launcher.App("Broken", "b.exe", false);
    launcher.Drive.WriteFile("Broken/appicon.gif", "this is not a picture");
    launcher.Start();
    std::map<std::u16string, std::u16string> pictures;
    auto collect = [&] {
        pictures.clear();
        for (int slot = 1; slot <= 20; ++slot) {
            const auto& s = launcher.View.Slots[static_cast<std::size_t>(slot)];
            if (!s.ToolTip.empty()) {
                pictures[s.ToolTip] = s.Picture;
            }
        }
    };
    collect();
    ASSERT_EQ(pictures.size(), 3U);
    EXPECT_EQ(pictures[u"Own"], launcher.Drive.Text("Own/appicon.gif"));
    EXPECT_EQ(pictures[u"NoIcon"], RecordingLauncherView::BuiltInPicture);
    EXPECT_EQ(pictures[u"Broken"], RecordingLauncherView::BuiltInPicture);

    // With the scanned folder's default icon, that one stands in.
    launcher.Drive.WriteFile("defaulticon.gif", GifBytes);
    launcher.View.MoveScroll(2);
    launcher.View.MoveScroll(1);
    collect();
    EXPECT_EQ(pictures[u"NoIcon"], launcher.Drive.Text("defaulticon.gif"));
    EXPECT_EQ(pictures[u"Broken"], launcher.Drive.Text("defaulticon.gif"));
    EXPECT_EQ(pictures[u"Own"], launcher.Drive.Text("Own/appicon.gif"));
}

TEST(Scan, ScrollBarIsEnabledFromTwentyApplications) {
    for (const int count : {0, 19, 20, 21}) {
        LauncherOnDrive launcher;
        launcher.Apps(count);
        launcher.Start();
        EXPECT_EQ(launcher.View.ScrollEnabled, count >= 20) << count << " applications";
        EXPECT_EQ(launcher.Form->AppIndex(), 1);
        EXPECT_FALSE(launcher.View.TimerEnabled);
        EXPECT_FALSE(launcher.View.LoadingVisible);
        const auto filled = std::count_if(launcher.View.Slots.begin(), launcher.View.Slots.end(),
                                          [](const auto& s) { return !s.Picture.empty(); });
        EXPECT_EQ(filled, std::min(count, 20));
    }
}

TEST(Paging, PageWindowFollowsTheScrollBarValue) {
    LauncherOnDrive launcher;
    launcher.Apps(25);
    launcher.Start();
    const auto order = ListedApps(launcher);
    ASSERT_EQ(order.size(), 25U);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 1, 20)));

    launcher.View.MoveScroll(2);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 21, 40)));
    EXPECT_TRUE(launcher.Form->SlotCommand(6).empty());
    EXPECT_TRUE(launcher.View.Slots[6].Picture.empty());
    EXPECT_EQ(launcher.Form->SlotCommand(1),
              launcher.Drive.Text(TestSupport::Utf8(order[20]) + "/run.sh"));
    EXPECT_THAT(launcher.View.LoadingHistory, ElementsAre(false, true, false));

    launcher.View.MoveScroll(1);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 1, 20)));

    // A thumb drag of several steps lands on the page of the value, in either direction, and
    // never drifts outside the catalogue.
    launcher.View.MoveScroll(4);
    EXPECT_EQ(launcher.Form->PageStart(), 61);
    EXPECT_EQ(launcher.Form->PageEnd(), 80);
    launcher.View.MoveScroll(3);
    launcher.View.MoveScroll(2);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 21, 40)));
    launcher.View.MoveScroll(5);
    launcher.View.MoveScroll(1);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 1, 20)));
    EXPECT_EQ(launcher.Form->LastScroll(), 1);
    EXPECT_EQ(launcher.Form->AppIndex(), 1);
}

TEST(Paging, IndexesPastOneHundredBelongToNoSlot) {
    LauncherOnDrive launcher;
    launcher.Apps(120);
    launcher.Start();
    const auto order = ListedApps(launcher);
    ASSERT_EQ(order.size(), 120U);
    for (std::int16_t page = 1; page <= 5; ++page) {
        launcher.View.MoveScroll(page);
        EXPECT_THAT(launcher.View.ToolTips(),
                    ElementsAreArray(Page(order, (page - 1) * 20 + 1, page * 20)));
    }
    // A value past the range the bar was given shows the last page, not an empty one.
    launcher.View.MoveScroll(2);
    launcher.View.ScrollValueNow = 9;
    launcher.Form->VScroll1_Change();
    EXPECT_EQ(launcher.Form->PageStart(), 81);
    EXPECT_EQ(launcher.Form->PageEnd(), 100);
    EXPECT_THAT(launcher.View.ToolTips(), ElementsAreArray(Page(order, 81, 100)));
}

TEST(Scan, ADescriptorListingMoreThanAnIndexCanCountStopsAtTheTop) {
    // One descriptor listing more applications than a 16-bit index can count: a wrapping
    // index would come round to 1 again and overwrite the first page.
    std::string many = "0";
    for (int i = 1; i < 70000; ++i) {
        many += ',';
        many += std::to_string(i);
    }
    LauncherOnDrive big;
    big.App("Big", many);
    big.Start();
    EXPECT_EQ(big.Form->SlotCommand(1), big.Drive.Text("Big/0"));
    EXPECT_EQ(big.Form->SlotCommand(20), big.Drive.Text("Big/19"));
    EXPECT_TRUE(big.View.ScrollEnabled);
    big.View.MoveScroll(5);
    EXPECT_EQ(big.Form->SlotCommand(20), big.Drive.Text("Big/99"));

    EXPECT_EQ(big.Form->CountFiles(big.Drive.Text("missing/")), 0);
}
