#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RecordingNoteView.h"
#include "notes/NoteRegistry.h"
#include "notes/frmNote.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

namespace {

using Platform::MessageResult;
using TestSupport::ScriptedDialogs;
using TestSupport::TempFolder;

// The front-end's part, recorded: the windows it made and closed, and its own end.
class RecordingRegistry : public Notes::NoteRegistry {
  public:
    RecordingRegistry(Platform::Dialogs& dialogs, std::u16string folder)
        : NoteRegistry(dialogs, std::move(folder)) {
        SetQuit([this] { Events.emplace_back("quit"); });
    }

    Notes::frmNote& CreateNoteWindow() override {
        auto window = std::make_unique<Window>();
        window->Note =
            std::make_unique<Notes::frmNote>(window->View, Dialogs(), ProgramFolder(), draws_);
        Window& made = *window;
        windows_.push_back(std::move(window));
        Add(*made.Note, [this, &made] { Events.push_back("close " + Id(made)); });
        return *made.Note;
    }

    // A note with its ID and text, shown.
    Notes::frmNote& Open(const std::u16string& id, const std::u16string& text) {
        Notes::frmNote& note = CreateNoteWindow();
        note.SetNoteID(id);
        note.Show();
        windows_.back()->View.Text = text;
        return note;
    }
    // The user closed the window: it tells the registry, as the front-ends' windows do.
    void ClosedByUser(const Notes::frmNote& note) { Remove(note); }

    std::vector<std::string> Events;

  private:
    struct Window {
        NotesTest::RecordingNoteView View;
        std::unique_ptr<Notes::frmNote> Note;
    };
    static std::string Id(const Window& window) {
        return {window.Note->noteID.begin(), window.Note->noteID.end()};
    }

    NotesTest::ScriptedDraws draws_{};
    std::vector<std::unique_ptr<Window>> windows_;
};

TEST(NoteRegistry, AnEndTheUserAsksForSavesFirstThenClosesEveryNoteThenQuitsOnce) {
    TempFolder drive;
    ScriptedDialogs dialogs;
    RecordingRegistry notes(dialogs, drive.Text());
    notes.Open(u"a", u"alpha");
    Notes::frmNote& b = notes.Open(u"b", u"beta");
    Notes::frmNote& c = notes.Open(u"c", u"gamma");
    notes.ClosedByUser(c);            // gone before the end: neither saved nor closed again
    drive.MakeFolder("Notes/b.txt");  // b cannot be saved

    // The note's own message, then "Close KIVOLA all the same?", answered No.
    dialogs.Answers = {MessageResult::Ok, MessageResult::No};
    EXPECT_FALSE(notes.RequestEnd());
    EXPECT_FALSE(notes.Ending());
    EXPECT_TRUE(notes.Events.empty());
    EXPECT_EQ(drive.ReadFile("Notes/a.txt"), "alpha");
    EXPECT_FALSE(drive.Exists("Notes/c.txt"));

    dialogs.Answers = {MessageResult::Yes};
    EXPECT_TRUE(notes.RequestEnd());
    EXPECT_TRUE(notes.Ending());
    EXPECT_EQ(notes.Events, (std::vector<std::string>{"close a", "close b", "quit"}));

    // Once ending, nothing is asked, closed or quit again, and no later save reaches a note
    // whose window has gone, even where it could now be written.
    const std::size_t asked = dialogs.Messages.size();
    EXPECT_TRUE(notes.RequestEnd());
    notes.EndForSession();
    std::filesystem::remove(drive.Path() / "Notes" / "b.txt");
    EXPECT_TRUE(b.HasUnsavedText());
    EXPECT_FALSE(notes.AnyUnsaved());
    EXPECT_TRUE(notes.SaveAllForSessionEnd());
    EXPECT_FALSE(drive.Exists("Notes/b.txt"));
    EXPECT_EQ(dialogs.Messages.size(), asked);
    EXPECT_EQ(notes.Events.size(), 3U);
}

TEST(NoteRegistry, TheSessionEndSavesWithoutAWordAndEndsWhateverCouldNotBeSaved) {
    TempFolder drive;
    ScriptedDialogs dialogs;
    RecordingRegistry notes(dialogs, drive.Text());
    notes.Open(u"a", u"alpha");
    notes.Open(u"b", u"beta");
    drive.MakeFolder("Notes/b.txt");

    notes.EndForSession();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(drive.ReadFile("Notes/a.txt"), "alpha");
    EXPECT_EQ(notes.Events, (std::vector<std::string>{"close a", "close b", "quit"}));
    EXPECT_TRUE(notes.Ending());
    EXPECT_TRUE(notes.RequestEnd());
    EXPECT_EQ(notes.Events.size(), 3U);
}

}  // namespace
