// Note files that permission bits protect, which only POSIX has: a read-only Notes folder, a
// note file that cannot be read.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "NoteFixture.h"
#include "notes/NoteFile.h"
#include "testsupport/TempFolder.h"
#include "testsupport/Unprivileged.h"

using NotesTest::NoteFixture;
using Platform::MessageResult;
namespace fs = std::filesystem;

TEST(SaveNote, ReadOnlyNotesFolderGivesAMessage) {
    NoteFixture f;
    const auto notes = f.drive.MakeFolder("Notes");
    fs::permissions(notes, fs::perms::owner_read | fs::perms::owner_exec);
    TestSupport::RunWithoutRoot(f.drive, [&f] {
        f.note.SetNoteID(u"ro");
        f.note.Show();
        f.view.Text = u"kept";
        EXPECT_FALSE(f.note.SaveNote());
        ASSERT_EQ(f.dialogs.Messages.size(), 1U);
        EXPECT_NE(f.dialogs.Messages[0].Prompt.find(u"ro.txt"), std::u16string::npos);
        EXPECT_NE(f.dialogs.Messages[0].Prompt.find(u"Permission denied"), std::u16string::npos);
        EXPECT_EQ(f.view.Text, u"kept");
        EXPECT_TRUE(f.note.HasUnsavedText());
    });
}

TEST(SaveNote, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    // What is typed over a note the window could not read must not replace the text nobody
    // has seen.
    NoteFixture f;
    const auto file = f.drive.WriteFile("Notes/kept.txt", "IMPORTANT, never shown");
    fs::permissions(file, fs::perms::owner_write);
    f.draws.Add({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5F});  // the new ID: A000-00000-0000@
    TestSupport::RunWithoutRoot(f.drive, [&f] {
        f.note.SetNoteID(u"kept");
        f.note.Show();
        // The window says why it shows no text, naming the file.
        EXPECT_NE(f.view.Text.find(u"could not be read"), std::u16string::npos);
        EXPECT_NE(f.view.Text.find(u"kept.txt"), std::u16string::npos);
        EXPECT_FALSE(f.note.HasUnsavedText());
        f.view.Text += u"typed";
        EXPECT_TRUE(f.note.SaveNote());
        EXPECT_EQ(f.note.noteID, u"A000-00000-0000@");
        // The notice is the program's words, not the note's.
        EXPECT_EQ(f.drive.ReadFile("Notes/A000-00000-0000@.txt"), "typed");
        ASSERT_EQ(f.dialogs.Messages.size(), 1U);
        EXPECT_NE(f.dialogs.Messages[0].Prompt.find(u"kept.txt"), std::u16string::npos);
        EXPECT_NE(f.dialogs.Messages[0].Prompt.find(u"A000-00000-0000@.txt"), std::u16string::npos);
        // Later saves go on to the new note without a further word.
        f.view.Text += u" more";
        EXPECT_TRUE(f.note.SaveNote());
        EXPECT_EQ(f.dialogs.Messages.size(), 1U);
    });
    EXPECT_EQ(f.drive.ReadFile("Notes/kept.txt"), "IMPORTANT, never shown");
}

TEST(DeleteNote, FileThatCannotBeDeletedKeepsTheWindow) {
    NoteFixture f;
    f.drive.WriteFile("Notes/stuck.txt", "stays");
    fs::permissions(f.drive.Path() / "Notes", fs::perms::owner_read | fs::perms::owner_exec);
    TestSupport::RunWithoutRoot(f.drive, [&f] {
        f.note.SetNoteID(u"stuck");
        f.note.Show();
        f.dialogs.Answers = {MessageResult::Yes};
        f.note.Image2_Click();
        ASSERT_EQ(f.dialogs.Messages.size(), 2U);
        EXPECT_NE(f.dialogs.Messages[1].Prompt.find(u"Permission denied"), std::u16string::npos);
        EXPECT_FALSE(f.view.Closed());
        EXPECT_EQ(f.view.Text, u"stays");
        EXPECT_TRUE(f.drive.Exists("Notes/stuck.txt"));
    });
}
