// The launcher window worked without a mouse, and its wheel, on either edition: keys as the
// keyboard delivers them to whatever has the focus, wheel turns as the pointer's window
// receives them. The rules themselves (where the arrows go, the Tab order, fine wheel steps,
// the typed text) are the core's and tested there; these check that the windows carry them.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "Edition.h"
#include "launcher/Form1.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"

namespace {

using ControlAt = EditionDriver::ControlAt;
using Marks = std::vector<ControlAt>;

class LauncherKeyboardScenario : public Edition {};

ControlAt SlotAt(int slot) {
    return {EditionDriver::LauncherControl::imgApp, slot};
}

TEST_F(LauncherKeyboardScenario, AProgramStartsByTheKeyboardAloneAndTheFocusIsTheMarkedSlot) {
    AddApplications(25);
    StartActive();
    // A mouse user sees no mark.
    EXPECT_TRUE(Marked().empty());
    TurnWheel(SlotAt(1), 0);
    EXPECT_TRUE(Marked().empty());
    const std::string seventh = SlotTitles()[6];

    // The first Tab, still on the window itself, goes where the launcher says.
    Press(Support::KeyTab);
    EXPECT_EQ(Focused(), ControlAt(LauncherControl::lblNewNote, 0));
    Press(Support::KeyTab, Support::ShiftKey);
    EXPECT_EQ(Focused(), SlotAt(1));
    Press(Support::KeyRight);
    Press(Support::KeyRight);
    Press(Support::KeyDown);
    EXPECT_EQ(Marked(), Marks{SlotAt(7)});
    // Screen readers follow the focus: it is on the slot named by its application.
    EXPECT_EQ(Focused(), SlotAt(7));
    EXPECT_EQ(FocusedName(), seventh);

    // Tab goes round the link, the add and the close pictures, and back to the grid.
    for (const LauncherControl control :
         {LauncherControl::lblNewNote, LauncherControl::imgAdd, LauncherControl::Image1}) {
        Press(Support::KeyTab);
        EXPECT_EQ(Focused(), ControlAt(control, 0));
        EXPECT_EQ(Marked(), Marks{ControlAt(control, 0)});
        EXPECT_FALSE(FocusedName().empty());
    }
    Press(Support::KeyTab);
    Press(Support::KeyTab, Support::ShiftKey);
    Press(Support::KeyTab);
    EXPECT_EQ(Focused(), SlotAt(7));
    EXPECT_EQ(Marked(), Marks{SlotAt(7)});

    Press(Support::KeyReturn);
    EXPECT_TRUE(WaitForStart(seventh)) << seventh;

    // Away from the window the mark goes; back, it returns.
    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_GT(NoteCount(), 0);
    ActivateLastNote();
    EXPECT_TRUE(Marked().empty());
    ActivateLauncher();
    EXPECT_EQ(Marked(), Marks{SlotAt(7)});
}

TEST_F(LauncherKeyboardScenario, TheWheelAndThePageKeysPageThroughTheGrid) {
    AddApplications(45);
    StartActive();
    const auto page1 = SlotTitles();

    TurnWheel(SlotAt(6), -Support::WheelNotch);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(Form().PageStart(), 21);
    EXPECT_NE(SlotTitles(), page1);
    // A fine-stepping wheel reaches the launcher in its own steps, neither dropped nor
    // rounded up to notches.
    TurnWheel(SlotAt(6), -Support::WheelNotch / 3);
    EXPECT_EQ(ScrollValue(), 2);
    TurnWheel(SlotAt(6), -Support::WheelNotch / 3);
    TurnWheel(SlotAt(6), -Support::WheelNotch / 3);
    EXPECT_EQ(ScrollValue(), 3);
    EXPECT_TRUE(SlotTitles()[5].empty());  // five applications on page 3
    // Over the scroll bar one notch is one page too, never the bar's own steps.
    TurnWheel({LauncherControl::VScroll1, 0}, Support::WheelNotch);
    EXPECT_EQ(ScrollValue(), 2);
    // Over the drive line it does nothing.
    TurnWheel({LauncherControl::Label1, 0}, Support::WheelNotch);
    EXPECT_EQ(ScrollValue(), 2);

    Press(Support::KeyPageUp);
    EXPECT_EQ(ScrollValue(), 1);
    EXPECT_EQ(SlotTitles(), page1);
    Press(Support::KeyPageDown);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(Form().PageStart(), 21);
}

TEST_F(LauncherKeyboardScenario, TypingATitleFindsItsApplicationOnPage2) {
    AddApplications(25);
    StartActive();
    // What page 2 holds, looked up with the mouse.
    ClickScrollArrow(true);
    ASSERT_EQ(ScrollValue(), 2);
    const std::string wanted = SlotTitles()[2];
    ClickScrollArrow(false);
    ASSERT_EQ(ScrollValue(), 1);

    // Typed in small letters, with the space in the title.
    std::u16string typed;
    for (const char c : wanted) {
        typed += static_cast<char16_t>(std::tolower(static_cast<unsigned char>(c)));
    }
    TypeText(typed);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(Focused(), SlotAt(3));
    EXPECT_EQ(Marked(), Marks{SlotAt(3)});
    Press(Support::KeyReturn);
    EXPECT_TRUE(WaitForStart(wanted)) << wanted;
}

TEST_F(LauncherKeyboardScenario, AltF4EndsTheProgramAsTheClosePictureDoes) {
    AddNoteFile("Plan", "old text");
    AddApplications(1);
    StartActive();
    ASSERT_EQ(NoteCount(), 1);
    ReplaceNoteText(0, u"new text");
    ActivateLauncher();
    Press(Support::KeyF4, Support::AltKey);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(Drive().ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_FALSE(LauncherShown());
}

TEST_F(LauncherKeyboardScenario, EscapeInANoteLeavesItsTextBoxAndSavesIt) {
    AddNoteFile("Plan", "old text");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 1);
    FocusNoteTextBox(0);
    ReplaceNoteText(0, u"new text");
    ASSERT_TRUE(NoteTextBoxFocused(0));
    EXPECT_EQ(Drive().ReadFile("Notes/Plan.txt"), "old text");
    PressInNote(0, Support::KeyEscape);
    EXPECT_FALSE(NoteTextBoxFocused(0));
    EXPECT_EQ(Drive().ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_EQ(NoteText(0), u"new text");
}

}  // namespace
