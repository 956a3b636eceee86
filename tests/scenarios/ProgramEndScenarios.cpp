// Every way the program ends, on either edition: a typed note reaches the drive first, a note
// that cannot be saved keeps the program open unless the user lets it go, and the session's
// end is held up by nothing. The rules are the note registry's and tested there; these check
// that each window's ends reach it.

#include <gtest/gtest.h>

#include <string>

#include "Edition.h"

namespace {

using Platform::MessageResult;

class ProgramEndScenario : public Edition {};

TEST_F(ProgramEndScenario, TheClosePictureSavesChangedNotesBeforeTheProgramEnds) {
    AddNoteFile("Plan", "old text");
    StartActive();
    ASSERT_EQ(NoteCount(), 1);
    ReplaceNoteText(0, u"new text");
    ClickControl({LauncherControl::Image1, 0});
    EXPECT_EQ(Drive().ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(LauncherShown());
    EXPECT_EQ(NoteCount(), 0);
}

TEST_F(ProgramEndScenario, ClosingANoteOrTheLauncherLikeAnyWindowSavesFirst) {
    AddNoteFile("One", "first");
    AddNoteFile("Two", "second");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 2);

    // A note closed on its own keeps its text in its file and goes.
    ReplaceNoteText(NoteNamed(u"One"), u"first, changed");
    CloseNoteByUser(NoteNamed(u"One"));
    EXPECT_EQ(Drive().ReadFile("Notes/One.txt"), "first, changed");
    ASSERT_EQ(NoteCount(), 1);

    // The launcher closed the same way ends the program, the other note saved.
    ReplaceNoteText(NoteNamed(u"Two"), u"second, changed");
    CloseLauncherByUser();
    EXPECT_EQ(Drive().ReadFile("Notes/Two.txt"), "second, changed");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(NoteCount(), 0);
}

TEST_F(ProgramEndScenario, ClosingWithNoNotesEndsTheProgramAtOnce) {
    StartLauncher();
    CloseLauncherByUser();
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(LauncherShown());
    EXPECT_TRUE(Dialogs().Messages.empty());
}

TEST_F(ProgramEndScenario, ANoteThatCannotBeSavedKeepsTheProgramOpenUnlessTheUserLetsItGo) {
    // A file where the Notes folder should be: no note can be written.
    Drive().WriteFile("Notes", "not a folder");
    StartLauncher();
    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_EQ(NoteCount(), 1);
    ReplaceNoteText(0, u"precious");

    // The note says why it failed; then the question, which No answers.
    Dialogs().Answers = {MessageResult::Ok, MessageResult::No};
    ClickControl({LauncherControl::Image1, 0});
    EXPECT_FALSE(Ended());
    EXPECT_TRUE(LauncherShown());
    ASSERT_EQ(NoteCount(), 1);
    EXPECT_TRUE(NoteShown(0));
    EXPECT_EQ(NoteText(0), u"precious");
    ASSERT_FALSE(Dialogs().Messages.empty());
    EXPECT_EQ(Dialogs().Messages.back().DefaultButton, MessageResult::No);

    Dialogs().Answers.push_back(MessageResult::Yes);
    ClickControl({LauncherControl::Image1, 0});
    EXPECT_TRUE(Ended());
    EXPECT_EQ(NoteCount(), 0);
}

TEST_F(ProgramEndScenario, TheSessionEndSavesEveryNoteWithoutAWord) {
    AddNoteFile("Plan", "old text");
    StartLauncher();
    ASSERT_EQ(NoteCount(), 1);
    ReplaceNoteText(0, u"typed before the end");
    EndSession();
    EXPECT_TRUE(Ended());
    EXPECT_EQ(Drive().ReadFile("Notes/Plan.txt"), "typed before the end");
    EXPECT_TRUE(Dialogs().Messages.empty());
}

TEST_F(ProgramEndScenario, TheSessionEndIsNotHeldUpByANoteThatCannotBeSaved) {
    Drive().WriteFile("Notes", "not a folder");
    StartLauncher();
    ClickControl({LauncherControl::lblNewNote, 0});
    ASSERT_EQ(NoteCount(), 1);
    ReplaceNoteText(0, u"precious");
    // No one may be there to answer: no message, and the session may end.
    EndSession();
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(Dialogs().Messages.empty());
}

}  // namespace
