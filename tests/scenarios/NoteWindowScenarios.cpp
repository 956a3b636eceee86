// The note windows on either edition: typing and saving when the note loses the focus or
// typing pauses, and deleting. When a note is saved and what it writes are frmNote's rules, tested
// there; these check that the windows reach it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Edition.h"
#include "testsupport/ScriptedDialogs.h"

namespace {

using Platform::MessageResult;
using Lines = std::vector<std::u16string>;

class NoteWindowScenario : public Edition {};

TEST_F(NoteWindowScenario, ANewNoteIsSavedWhenItLosesTheFocusAndAnUntouchedOneIsLeftAlone) {
    // Written elsewhere with bare line feeds: opening it must not count as a change.
    AddNoteFile("Unix", "one\ntwo");
    StartLauncher();
    WaitForGrid();
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_EQ(NoteLines(0), (Lines{u"one", u"two"}));

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
    EXPECT_EQ(Drive().ReadFile("Notes/Unix.txt"), "one\ntwo");
    EXPECT_TRUE(Dialogs().Messages.empty());
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
