// The note windows on either edition: typing and saving when the note loses the focus or
// typing pauses, deleting, their shape and their strip. When a note is saved, what it writes and
// the note's shape are the core's rules, tested there; these check that the windows reach them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Edition.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"
#include "testsupport/ScriptedDialogs.h"

namespace {

using Platform::MessageResult;
using Lines = std::vector<std::u16string>;
using Pixels = EditionDriver::Pixels;

class NoteWindowScenario : public Edition {};

TEST_F(NoteWindowScenario, ANewNoteIsSavedWhenItLosesTheFocusAndAnUntouchedOneIsLeftAlone) {
    // Written elsewhere with line ends of every kind: opening it must not count as a change.
    const std::string mixed =
        "one\r\ntwo\nthree\rfour\xc2\xa0"
        "five";
    AddNoteFile("Mixed", mixed);
    StartLauncher();
    WaitForGrid();
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(NoteLines(0), (Lines{u"one", u"two", u"three", u"four\u00a0five"}));

    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_EQ(NoteCount(), 2);
    EXPECT_TRUE(NoteShown(1));
    EXPECT_EQ(NoteLines(1), (Lines{u"Type here to write your note...", u""}));
    const std::u16string id = NoteId(1);
    ASSERT_EQ(id.size(), 16U);
    const std::string file = "Notes/" + TestSupport::Utf8(id) + ".txt";

    ReplaceNoteText(1, u"Milk\rEggs");  // Enter between the lines
    EXPECT_FALSE(Drive().Exists(file));
    LeaveNote(1);
    EXPECT_EQ(Drive().ReadFile(file), "Milk\r\nEggs");

    LeaveNote(0);
    EXPECT_EQ(Drive().ReadFile("Notes/Mixed.txt"), mixed);
    // Typed into, it is saved with the line ends the text box shows; Shift+Enter breaks a line
    // as Enter does.
    AppendToNote(0, u"");
    PressInNote(0, Support::KeyReturn, Support::ShiftKey);
    AppendToNote(0, u"six");
    LeaveNote(0);
    EXPECT_EQ(Drive().ReadFile("Notes/Mixed.txt"),
              "one\r\ntwo\r\nthree\r\nfour\xc2\xa0"
              "five\r\nsix");
    EXPECT_TRUE(Dialogs().Messages.empty());
}

TEST_F(NoteWindowScenario, ALongLineWrapsAtTheWidthOfItsBox) {
    std::string line;
    for (int word = 0; word < 40; ++word) {
        line += "word" + std::to_string(word) + " ";
    }
    AddNoteFile("Long", line + "\r\nshort");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(NoteLines(0).size(), 2U);
    // Some 270 characters in a box about 230 pixels wide: the first line takes several rows.
    EXPECT_GT(NoteRows(0), 4);
}

TEST_F(NoteWindowScenario, TheNoteIsCutToItsControlsAndMovesByItsStrip) {
    StartLauncher();
    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(NoteSize(0), Pixels(242, 240));
    // The strip (0..224 x 0..24) and the text box (5..237 x 24..230) overlap in row 24, which
    // the exclusive-or takes out; the cross lies at 226..239 x 3..16.
    for (const Pixels& inside :
         {Pixels{100, 10}, Pixels{100, 100}, Pixels{237, 230}, Pixels{5, 25}, Pixels{230, 5}}) {
        EXPECT_TRUE(NoteShapeHolds(0, inside)) << inside.first << "," << inside.second;
    }
    for (const Pixels& outside :
         {Pixels{100, 24}, Pixels{238, 230}, Pixels{2, 100}, Pixels{232, 20}, Pixels{100, 235}}) {
        EXPECT_FALSE(NoteShapeHolds(0, outside)) << outside.first << "," << outside.second;
    }

    const Pixels start = NotePlace(0);
    DragNoteStrip(0, {100, 10}, {{13, 7}, {20, -30}}, Support::LeftButton);
    const Pixels moved{start.first + 33, start.second - 23};
    EXPECT_EQ(NotePlace(0), moved);
    DragNoteStrip(0, {100, 10}, {{13, 7}}, Support::RightButton);
    DragNoteStrip(0, {100, 10}, {{13, 7}}, Support::LeftButton | Support::RightButton);
    EXPECT_EQ(NotePlace(0), moved);
}

TEST_F(NoteWindowScenario, TypedTextIsSavedAfterAPauseWithoutTheNoteLosingTheFocus) {
    StartLauncher();
    WaitForGrid();
    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_EQ(NoteCount(), 1);
    FocusNoteTextBox(0);
    ReplaceNoteText(0, u"Milk");
    const std::string file = "Notes/" + TestSupport::Utf8(NoteId(0)) + ".txt";
    EXPECT_FALSE(Drive().Exists(file));
    EXPECT_TRUE(WaitUntil([&] { return Drive().Exists(file); }));
    EXPECT_EQ(Drive().ReadFile(file), "Milk");
    EXPECT_TRUE(NoteTextBoxFocused(0));
}

TEST_F(NoteWindowScenario, AnEditUndoneAfterItsSaveIsSavedAgain) {
    AddNoteFile("Undo", "old");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 1);
    AppendToNote(0, u"er");
    LeaveNote(0);
    ASSERT_EQ(Drive().ReadFile("Notes/Undo.txt"), "older");

    // Back to the text the window opened with: the file must follow, not stay at "older".
    UndoInNote(0);
    ASSERT_EQ(NoteText(0), u"old");
    LeaveNote(0);
    EXPECT_EQ(Drive().ReadFile("Notes/Undo.txt"), "old");
}

TEST_F(NoteWindowScenario, TheCrossDeletesTheNoteOnlyWhenTheUserSaysYes) {
    AddNoteFile("Plan", "Plan for today");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(NoteCrossName(0), "Delete this note");

    Dialogs().Answers.push_back(MessageResult::No);
    ClickNoteCross(0);
    ASSERT_EQ(Dialogs().Messages.size(), 1U);
    EXPECT_EQ(Dialogs().Messages[0].Prompt, u"Are you sure you wish to delete this note?");
    EXPECT_EQ(Dialogs().Messages[0].Title, u"DELETE NOTE?");
    EXPECT_EQ(Dialogs().Messages[0].DefaultButton, MessageResult::Yes);
    EXPECT_TRUE(Drive().Exists("Notes/Plan.txt"));
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_TRUE(NoteShown(0));

    Dialogs().Answers.push_back(MessageResult::Yes);
    ClickNoteCross(0);
    EXPECT_FALSE(Drive().Exists("Notes/Plan.txt"));
    EXPECT_EQ(NoteCount(), 0);
    // The program goes on: a new note opens as before.
    ClickControl({LauncherControl::lblNewNote, 0});
    EXPECT_EQ(NoteCount(), 1);
}

}  // namespace
