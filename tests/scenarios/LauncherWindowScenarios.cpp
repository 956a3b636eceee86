// The launcher window worked with the mouse, on either edition: pages of applications, clicks
// that start them, and the add button. What counts as a click and how paging goes are the
// core's rules, tested there; these check that the windows carry them.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "Edition.h"
#include "support/MouseDrag.h"

namespace {

using ControlAt = EditionDriver::ControlAt;
using Pixels = EditionDriver::Pixels;

class LauncherWindowScenario : public Edition {};

ControlAt SlotAt(int slot) {
    return {EditionDriver::LauncherControl::imgApp, slot};
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
