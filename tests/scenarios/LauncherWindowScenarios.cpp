// The launcher window on either edition: its controls, pages of applications and their
// pictures, clicks that start them, and the add button. What counts as a click, how paging goes
// and which pictures are too large are the core's rules, tested there; these check that the
// windows carry them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Edition.h"
#include "launcher/Form1.h"
#include "support/MouseDrag.h"

namespace {

using ControlAt = EditionDriver::ControlAt;
using Pixels = EditionDriver::Pixels;

class LauncherWindowScenario : public Edition {};

ControlAt SlotAt(int slot) {
    return {EditionDriver::LauncherControl::imgApp, slot};
}

TEST_F(LauncherWindowScenario, StartsWithTheLoadingCaptionThenPagesThrough25Applications) {
    AddApplications(25);
    AddNoteFile("Welcome", "Hello");
    StartLauncher();

    // The load step has run: notes are open and the drive line written, over an empty grid.
    const ControlAt loading{LauncherControl::lblLoading, 0};
    EXPECT_TRUE(ControlShown(loading));
    EXPECT_EQ(ControlText(loading), "Please wait, loading...");
    EXPECT_EQ(NoteCount(), 1);
    const std::string driveLine = ControlText({LauncherControl::Label1, 0});
    EXPECT_TRUE(std::regex_match(
        driveLine, std::regex("Using [0-9]+[.,][0-9][0-9] MB of [0-9]+[.,][0-9][0-9] MB")))
        << driveLine;
    const std::uint32_t empty = SlotColour(1);
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_TRUE(SlotTitles()[slot - 1].empty()) << slot;
    }

    WaitForGrid();
    EXPECT_FALSE(ControlShown(loading));
    const auto page1 = SlotTitles();
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_FALSE(page1[slot - 1].empty()) << slot;
        EXPECT_NE(SlotColour(slot), empty) << slot;  // each application's picture
    }
    EXPECT_TRUE(ScrollEnabled());
    EXPECT_EQ(ControlName(SlotAt(1)), page1[0]);

    ClickScrollArrow(true);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(Form().PageStart(), 21);
    EXPECT_FALSE(ControlShown(loading));
    const auto page2 = SlotTitles();
    std::set<std::string> all(page1.begin(), page1.end());
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_EQ(page2[slot - 1].empty(), slot > 5) << slot;
        EXPECT_EQ(SlotColour(slot) == empty, slot > 5) << slot;
        all.insert(page2[slot - 1]);
    }
    all.erase("");
    EXPECT_EQ(all.size(), 25U);

    ClickScrollArrow(false);
    EXPECT_EQ(ScrollValue(), 1);
    EXPECT_EQ(SlotTitles(), page1);
}

TEST_F(LauncherWindowScenario,
       TheWindowAndItsControlsSitWhereTheLayoutSaysWithTheirNamesAndPointers) {
    StartLauncher();
    EXPECT_EQ(LauncherTitle(), "KIVOLA");
    EXPECT_TRUE(LauncherHasIcon());
    EXPECT_TRUE(LauncherFrameless());
    EXPECT_EQ(LauncherSize(), Pixels(327, 439));
    // Centred on the screen's area for windows.
    const auto [areaLeft, areaTop, areaWidth, areaHeight] = WorkArea();
    const auto [left, top] = LauncherPlace();
    EXPECT_LE(std::abs(2 * left + 327 - (2 * areaLeft + areaWidth)), 1);
    EXPECT_LE(std::abs(2 * top + 439 - (2 * areaTop + areaHeight)), 1);
    // Twips at 15 to the pixel; the background starts left of the window.
    const std::pair<LauncherControl, Rect> places[] = {
        {LauncherControl::Image2, {-24, 0, 350, 440}},
        {LauncherControl::Label2, {216, 416, 105, 17}},
        {LauncherControl::Label1, {16, 416, 193, 17}},
        {LauncherControl::imgAdd, {294, 390, 13, 13}},
        {LauncherControl::Image1, {299, 7, 18, 21}},
        {LauncherControl::lblLoading, {96, 184, 129, 17}},
        {LauncherControl::lblNewNote, {32, 387, 89, 17}},
        {LauncherControl::VScroll1, {293, 64, 15, 313}},
    };
    for (const auto& [control, place] : places) {
        EXPECT_EQ(ControlPlace({control, 0}), place) << static_cast<int>(control);
    }
    EXPECT_EQ(ControlPlace(SlotAt(1)), (Rect{32, 64, 57, 57}));
    EXPECT_EQ(ControlPlace(SlotAt(7)), (Rect{160, 128, 57, 57}));  // third column, second row
    EXPECT_EQ(ControlPlace(SlotAt(20)), (Rect{224, 320, 57, 57}));
    const Rect collapsed = ControlPlace({LauncherControl::HScroll1, 0});
    EXPECT_EQ(collapsed[2], 0);
    EXPECT_EQ(collapsed[3], 0);

    EXPECT_EQ(StackedTopDown(),
              (std::vector<LauncherControl>{
                  LauncherControl::HScroll1, LauncherControl::VScroll1, LauncherControl::lblNewNote,
                  LauncherControl::lblLoading, LauncherControl::Image1, LauncherControl::imgAdd,
                  LauncherControl::imgApp, LauncherControl::Label1, LauncherControl::Label2,
                  LauncherControl::Image2}));

    EXPECT_EQ(ControlName({LauncherControl::Image1, 0}), "Close KIVOLA");
    EXPECT_EQ(ControlName({LauncherControl::lblNewNote, 0}), "Open a new note");
    EXPECT_EQ(ControlName({LauncherControl::VScroll1, 0}), "Page of applications");

    // The hand over what can be clicked, the arrow over the background.
    for (const ControlAt& control :
         {SlotAt(1), ControlAt{LauncherControl::imgAdd, 0}, ControlAt{LauncherControl::Image1, 0},
          ControlAt{LauncherControl::lblNewNote, 0}}) {
        EXPECT_TRUE(ShowsHandPointer(control)) << static_cast<int>(control.first);
    }
    EXPECT_FALSE(ShowsHandPointer({LauncherControl::Image2, 0}));
}

TEST_F(LauncherWindowScenario, APointerRestingOnASlotShowsItsApplicationsTitleAsATip) {
    AddApplications(3);
    StartLauncher();
    WaitForGrid();
    const std::string second = SlotTitles()[1];
    ASSERT_FALSE(second.empty());
    RestPointerOnSlot(2);
    EXPECT_EQ(WaitForTip(), second);
}

TEST_F(LauncherWindowScenario, APictureClaimingMoreThanAnIconsSizeGivesWayToTheDefaultIcon) {
    // 35 bytes: a 1 x 1 image on a 5000 x 5000 screen.
    const std::string liar(
        "GIF89a\x88\x13\x88\x13\x80\0\0\0\0\0\xFF\xFF\xFF\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02"
        "\x44\x01\0\x3B",
        35);
    AddNamedApplication("A Liar");
    Drive().WriteFile("A Liar/appicon.gif", liar);
    AddNamedApplication("B Plain");
    std::filesystem::remove(Drive().Path() / "B Plain/appicon.gif");  // so the default icon
    StartLauncher();
    WaitForGrid();
    const auto titles = SlotTitles();
    const auto slotOf = [&](const std::string& title) {
        return static_cast<int>(std::find(titles.begin(), titles.end(), title) - titles.begin()) +
               1;
    };
    ASSERT_LE(slotOf("A Liar"), 2);
    ASSERT_LE(slotOf("B Plain"), 2);
    EXPECT_EQ(SlotColour(slotOf("A Liar")), SlotColour(slotOf("B Plain")));
}

// The icon a Windows program carries, shown where the application has no picture file: the
// 48 pixel entry (blue) of the program the build makes with icons of 16, 32, 48 and 256.
TEST_F(LauncherWindowScenario, AnApplicationWithoutAPictureShowsItsProgramsIcon) {
    const std::string programs = KIVOLA_WINDOWS_PROGRAMS;
    if (programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler to make a Windows program";
    }
    std::filesystem::remove(Drive().Path() / "defaulticon.gif");  // which would come first
    Drive().WriteFile("Tool/kivolaapp.ini", "Tool.exe");
    std::filesystem::copy_file(std::filesystem::path(programs) / "WithIcons.exe",
                               Drive().Path() / "Tool/Tool.exe");
    StartLauncher();
    WaitForGrid();
    EXPECT_EQ(SlotColour(1), 0x0000FFU);
}

TEST_F(LauncherWindowScenario, FewerThanAPageOfApplicationsDisablesTheScrollBar) {
    AddApplications(19);
    StartLauncher();
    WaitForGrid();
    EXPECT_FALSE(ScrollEnabled());
    EXPECT_FALSE(SlotTitles()[18].empty());
    EXPECT_TRUE(SlotTitles()[19].empty());
}

TEST_F(LauncherWindowScenario, AClickOnASlotStartsItsApplicationOnEveryPage) {
    AddApplications(25);
    StartLauncher();
    WaitForGrid();
    EXPECT_TRUE(ScrollEnabled());
    const std::string seventh = SlotTitles()[6];
    ClickControl(SlotAt(7));
    EXPECT_TRUE(WaitForStart(seventh)) << seventh;

    ClickScrollArrow(true);
    const std::string first = SlotTitles()[0];
    EXPECT_NE(first, seventh);
    ClickControl(SlotAt(1));
    EXPECT_TRUE(WaitForStart(first)) << first;
    EXPECT_EQ(ProgramStarts(), 2);
    // An empty slot starts nothing and says nothing.
    ClickControl(SlotAt(20));
    EXPECT_TRUE(Dialogs().Messages.empty());

    // A right click, or a press released beside the slot, is no click.
    RightClickControl(SlotAt(2));
    PressAndReleaseBeside(SlotAt(2));
    EXPECT_EQ(ProgramStarts(), 2);
}

TEST_F(LauncherWindowScenario, ADoubleClickOnASlotStartsItsApplicationOnce) {
    AddApplications(1);
    StartLauncher();
    WaitForGrid();
    DoubleClickControl(SlotAt(1));
    EXPECT_TRUE(WaitForStart("App 01"));
    EXPECT_EQ(ProgramStarts(), 1);
}

TEST_F(LauncherWindowScenario, TheAddButtonWritesADescriptorThatTheNextStartFinds) {
    AddApplications(3);
    StartLauncher();
    WaitForGrid();
    const auto before = SlotTitles();
    const ControlAt add{LauncherControl::imgAdd, 0};
    EXPECT_EQ(ControlName(add), "Add a new application");

    // Cancelled: only the warning.
    Dialogs().OpenAnswers.emplace_back(std::nullopt);
    ClickControl(add);
    ASSERT_EQ(Dialogs().Messages.size(), 1U);
    EXPECT_EQ(Dialogs().Messages[0].Prompt,
              u"Make sure you only select new applications that have been copied to your USB "
              u"Drive!");
    EXPECT_EQ(Dialogs().Messages[0].Title, u"Kivola");

    const std::string program = AddLooseProgram("New Tool");
    const std::u16string name(program.begin(), program.end());
    Dialogs().OpenAnswers.emplace_back(
        Platform::OpenFileChoice{Drive().Text("New Tool/" + program), name});
    ClickControl(add);
    ASSERT_EQ(Dialogs().Messages.size(), 3U);
    EXPECT_EQ(Dialogs().Messages[2].Prompt,
              u"Your new application will be available when you restart KIVOLA.");
    EXPECT_EQ(Dialogs().OpenFilters,
              (std::vector<std::u16string>{u"All Executables|*.exe", u"All Executables|*.exe"}));
    EXPECT_EQ(Drive().ReadFile("New Tool/kivolaapp.ini").rfind(program, 0), 0U);
    EXPECT_EQ(SlotTitles(), before);

    RestartLauncher();
    const auto after = SlotTitles();
    EXPECT_EQ(std::count_if(after.begin(), after.end(), [](auto& t) { return !t.empty(); }), 4);
    const auto added = std::find(after.begin(), after.end(), "New Tool");
    ASSERT_NE(added, after.end());
    ClickControl(SlotAt(static_cast<int>(added - after.begin()) + 1));
    EXPECT_TRUE(WaitForStart("New Tool"));
}

TEST_F(LauncherWindowScenario, OnlyTheBackgroundDragsTheWindowAndOnlyWithTheLeftButton) {
    AddApplications(1);
    StartLauncher();
    WaitForGrid();
    const Pixels start = LauncherPlace();
    const Pixels size = LauncherSize();
    const ControlAt background{LauncherControl::Image2, 0};
    // (20, 30) of the window, where nothing lies over the background.
    DragControl(background, {20, 30}, {{30, 17}, {-5, 40}}, Support::LeftButton);
    const Pixels moved{start.first + 25, start.second + 57};
    EXPECT_EQ(LauncherPlace(), moved);
    EXPECT_EQ(LauncherSize(), size);  // moved, not resized

    DragControl(background, {20, 30}, {{30, 17}}, Support::RightButton);
    DragControl(background, {20, 30}, {{30, 17}}, Support::LeftButton | Support::RightButton);
    // Released off the slot, so that nothing is started either.
    const Pixels firstSlot{32 + 5, 64 + 5};
    DragControl(SlotAt(1), firstSlot, {{80, 70}}, Support::LeftButton);
    DragControl({LauncherControl::Label1, 0}, {16 + 5, 416 + 5}, {{30, 17}}, Support::LeftButton);
    EXPECT_EQ(LauncherPlace(), moved);
    EXPECT_EQ(ProgramStarts(), 0);
}

}  // namespace
