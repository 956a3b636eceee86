#include <gtest/gtest.h>

#include <string>

#include "RecordingNoteView.h"
#include "notes/OpenNotes.h"
#include "notes/frmNote.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

using Notes::frmNote;
using Notes::OpenNotes;
using NotesTest::RecordingNoteView;
using NotesTest::ScriptedDraws;
using Platform::MessageResult;
using TestSupport::ScriptedDialogs;
using TestSupport::TempFolder;

TEST(OpenNotes, ProgramEndSavesEveryNoteAndAsksOnlyWhenOneCannotBeSaved) {
    TempFolder drive;
    ScriptedDialogs dialogs;
    ScriptedDraws draws{};
    RecordingNoteView viewA;
    RecordingNoteView viewB;
    frmNote a{viewA, dialogs, drive.Text(), draws};
    frmNote b{viewB, dialogs, drive.Text(), draws};
    a.SetNoteID(u"a");
    a.Show();
    b.SetNoteID(u"b");
    b.Show();
    OpenNotes open;
    open.Add(a);
    open.Add(b);
    open.Add(a);  // shown again, still one note
    ASSERT_EQ(open.All().size(), 2U);

    viewA.Text = u"alpha";
    EXPECT_TRUE(open.AnyUnsaved());
    EXPECT_TRUE(open.AllowProgramEnd(dialogs));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(drive.ReadFile("Notes/a.txt"), "alpha");
    EXPECT_FALSE(open.AnyUnsaved());

    // b cannot be saved: a folder stands where its file would go.
    drive.MakeFolder("Notes/b.txt");
    viewB.Text = u"beta";
    // The note's own message first (an OK box), then the question.
    dialogs.Answers = {MessageResult::Ok, MessageResult::No};
    EXPECT_FALSE(open.AllowProgramEnd(dialogs));
    ASSERT_EQ(dialogs.Messages.size(), 2U);
    const auto& question = dialogs.Messages.back();
    EXPECT_EQ(question.Title, u"Kivola");
    EXPECT_EQ(question.Buttons, Platform::MessageButtons::YesNo);
    EXPECT_EQ(question.DefaultButton, MessageResult::No);
    EXPECT_NE(question.Prompt.find(u"Close KIVOLA all the same?"), std::u16string::npos);
    EXPECT_TRUE(open.AnyUnsaved());
    EXPECT_EQ(viewB.Text, u"beta");  // the text stays where the user can see it

    // Asked again, the note does not repeat the same failure; the question comes again.
    dialogs.Answers = {MessageResult::Yes};
    EXPECT_TRUE(open.AllowProgramEnd(dialogs));
    EXPECT_EQ(dialogs.Messages.size(), 3U);

    // A note that has closed is neither saved nor asked about any more.
    open.Remove(b);
    dialogs.Messages.clear();
    EXPECT_TRUE(open.AllowProgramEnd(dialogs));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(open.All().size(), 1U);
}
