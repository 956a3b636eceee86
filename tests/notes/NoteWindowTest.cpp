#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "NoteFixture.h"
#include "NotesSystem.h"
#include "RecordingNoteView.h"
#include "notes/NoteFile.h"
#include "notes/frmNote.h"
#include "platform/FileSystem.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"
#include "support/TextCodec.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

using Notes::frmNote;
using NotesTest::NoteFixture;
using NotesTest::RecordingNoteView;
using NotesTest::ScriptedDraws;
using Platform::MessageResult;
using TestSupport::ScriptedDialogs;
using TestSupport::TempFolder;
namespace fs = std::filesystem;

namespace {

const std::u16string kInitial{Notes::InitialNoteText};

// A path written with '/', with the separator the system's paths are built with.
std::u16string Native(std::u16string path) {
    std::replace(path.begin(), path.end(), u'/', Platform::PathSeparator);
    return path;
}

// Draws that make RandomString of the note ID mask give exactly id.
ScriptedDraws DrawsFor(const std::u16string& id) {
    ScriptedDraws draws{};
    const auto pick = [&draws](std::u16string_view set, char16_t c) {
        const auto index = static_cast<float>(set.find(c));
        draws.Add({(index + 0.5F) / static_cast<float>(set.size())});
    };
    for (std::size_t i = 0; i < id.size(); ++i) {
        switch (Notes::NoteIdMask[i]) {
            case u'A':
                pick(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", id[i]);
                break;
            case u'#':
                pick(u"0123456789", id[i]);
                break;
            case u'H':
                pick(u"0123456789ABCDEF", id[i]);
                break;
            case u'?':
                draws.Add({static_cast<float>(id[i] - 1) / 127.0F});  // ASCII codes only
                break;
            default:
                break;
        }
    }
    return draws;
}

void AppendDraws(ScriptedDraws& to, const std::u16string& id) {
    ScriptedDraws more = DrawsFor(id);
    while (more.Left() > 0) {
        to.Add({more.Draw()});
    }
}

// The message box takes the focus from the note window, which runs its save step again.
class FocusTakingDialogs : public ScriptedDialogs {
  public:
    frmNote* Note = nullptr;
    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest& request) override {
        if (Note != nullptr) {
            Note->Form_LostFocus();
            Note->txtNote_LostFocus();
        }
        return ScriptedDialogs::ShowMessage(request);
    }
};

}  // namespace

TEST(NoteFile, PathsAndExistence) {
    EXPECT_EQ(Notes::NoteFilePath(Native(u"/media/stick"), u"k407"),
              Native(u"/media/stick/Notes/k407.txt"));
    EXPECT_EQ(Notes::NoteFilePath(Native(u"/"), u"x"),
              Native(u"//Notes/x.txt"));  // plain concatenation
    EXPECT_EQ(Notes::NotesFolderPath(Native(u"/media/stick")), Native(u"/media/stick/Notes"));

    TempFolder drive;
    drive.WriteFile("Notes/full.txt", "x");
    drive.WriteFile("Notes/empty.txt", "");
    drive.MakeFolder("Notes/folder.txt");
    EXPECT_TRUE(Notes::FileExists(drive.Text("Notes/full.txt")));
    EXPECT_TRUE(Notes::FileExists(drive.Text("Notes/empty.txt")));
    EXPECT_FALSE(Notes::FileExists(drive.Text("Notes/folder.txt")));
    EXPECT_FALSE(Notes::FileExists(drive.Text("Notes/missing.txt")));
    EXPECT_FALSE(Notes::FileExists(drive.Text("Notes/full.txt/x.txt")));
    EXPECT_FALSE(Notes::FileExists(u""));

    for (const auto* bad :
         {u"a\\b", u"a/b", u"a:b", u"a*", u"a?", u"a\"", u"a<", u"a>", u"a|", u"a\x01", u"a\x1d",
          u"a\x7f", u"a.", u"a ", u"", u"CON", u"nul.txt", u"com1", u"LPT9"}) {
        EXPECT_FALSE(Notes::IsPortableFileName(bad)) << TestSupport::Utf8(bad);
    }
    // Stand-ins for name bytes that are not UTF-8: Linux's escape, and what Wine shows.
    for (const auto* bad : {u"caf\xDD69", u"caf\uFFFD", u"half \xD83D pair", u"\xDE00"}) {
        EXPECT_FALSE(Notes::IsPortableFileName(bad)) << TestSupport::Utf8(bad);
    }
    for (const auto* good : {u"k407-3E529-8812x", u"a.b", u"CONSOLE", u"com0", u"x\u20ac", u"COM",
                             u"smile \U0001F600"}) {
        EXPECT_TRUE(Notes::IsPortableFileName(good)) << TestSupport::Utf8(good);
    }
}

TEST(PortableNoteId, ReplacesWhatWindowsCannotHoldAndKeepsTheRest) {
    EXPECT_EQ(Notes::PortableNoteId(u"a:b"), u"a_b");
    EXPECT_EQ(Notes::PortableNoteId(u"x*y<z>|\"q\\/?"), u"x_y_z___q___");
    EXPECT_EQ(Notes::PortableNoteId(u"tab\there"), u"tab_here");
    EXPECT_EQ(Notes::PortableNoteId(u"caf\xDD69 \uFFFD"), u"caf_ _");
    // A pair is one character and stays; half of one does not.
    EXPECT_EQ(Notes::PortableNoteId(u"\U0001F600 \xD83D"), u"\U0001F600 _");
    // The ".txt" behind the ID is what Windows sees, so trailing dots and spaces may stay.
    EXPECT_EQ(Notes::PortableNoteId(u"end. "), u"end. ");
    // A device with any extension is still the device on Windows.
    EXPECT_EQ(Notes::PortableNoteId(u"CON"), u"CON_");
    EXPECT_EQ(Notes::PortableNoteId(u"com1.backup"), u"com1_.backup");
    EXPECT_EQ(Notes::PortableNoteId(u"k407-3E529-8812x"), u"k407-3E529-8812x");
    for (const auto* id : {u"a:b", u"CON", u"lpt3.x.y", u"nul ", u"\xDD69", u"x?"}) {
        EXPECT_TRUE(Notes::IsPortableFileName(Notes::PortableNoteId(id) + u".txt"))
            << TestSupport::Utf8(id);
    }
}

TEST(SetNoteID, GivenIdLoadsItsFileIfThereIsOne) {
    NoteFixture f;
    f.drive.WriteFile("Notes/k407-3E529-8812x.txt", "Buy milk");
    f.note.SetNoteID(u"k407-3E529-8812x");
    EXPECT_EQ(f.note.noteID, u"k407-3E529-8812x");
    EXPECT_EQ(f.view.Text, u"Buy milk");  // the initial text replaced entirely
    // The text box needs the window: the load step (border, shape) came first.
    ASSERT_GE(f.view.Calls.size(), 3U);
    EXPECT_EQ(f.view.Calls[0], "border");
    EXPECT_EQ(f.view.Calls[1], "shape");
    EXPECT_FALSE(f.view.Shown());
    EXPECT_FALSE(f.note.HasUnsavedText());

    NoteFixture missing;
    missing.note.SetNoteID(u"plan.bak");
    EXPECT_EQ(missing.note.noteID, u"plan.bak");
    EXPECT_TRUE(missing.view.Calls.empty());  // nothing loaded, window not needed yet
    missing.note.Show();
    EXPECT_EQ(missing.view.Text, kInitial);
    EXPECT_EQ(missing.view.Calls, (std::vector<std::string>{"border", "shape", "show"}));

    NoteFixture empty;
    empty.drive.WriteFile("Notes/e.txt", "");
    empty.view.Text = u"previous";
    empty.note.SetNoteID(u"e");
    empty.note.Show();
    EXPECT_EQ(empty.view.Text, u"previous");

    NoteFixture folder;
    folder.drive.WriteFile("Notes/f.txt/inner.txt", "not a note");
    folder.note.SetNoteID(u"f");
    folder.note.Show();
    EXPECT_EQ(folder.view.Text, kInitial);
}

TEST(SetNoteID, NewIdNamesNoExistingFileAndIsAValidFileName) {
    NoteFixture f;
    f.drive.WriteFile("Notes/k407-3E529-8812x.txt", "someone else's note");
    f.drive.MakeFolder("Notes/b111-1A111-1111x.txt");
    for (const auto* taken :
         {u"k407-3E529-8812x", u"b111-1A111-1111x", u"c222-2B222-2222/", u"d333-3C333-3333.",
          u"e444-4D444-4444 ", u"f555-5E555-5555\x01", u"g666-6F666-6666:", u"h777-7A777-7777y"}) {
        AppendDraws(f.draws, taken);
    }
    f.note.SetNoteID(u"");
    EXPECT_EQ(f.note.noteID, u"h777-7A777-7777y");
    EXPECT_EQ(f.draws.Taken, 8 * 14);
    f.note.Show();
    EXPECT_EQ(f.view.Text, kInitial);  // the existing note's text stays its own
    EXPECT_EQ(f.drive.ReadFile("Notes/k407-3E529-8812x.txt"), "someone else's note");

    // A window that has an ID gets a new one; no file is made for it.
    AppendDraws(f.draws, u"i888-8B888-8888z");
    f.note.SetNoteID(u"");
    EXPECT_EQ(f.note.noteID, u"i888-8B888-8888z");
    EXPECT_FALSE(f.drive.Exists("Notes/i888-8B888-8888z.txt"));
}

TEST(NoteWindow, LoadStepShapesFromTheControlsInPixels) {
    const auto form = Notes::NoteFormGeometry(1.0 / 15.0);
    EXPECT_EQ(form.BorderStyle, 0);
    ASSERT_EQ(form.Controls.size(), 3U);
    const auto expect = [](const Transparent::ControlGeometry& c, double l, double t, double w,
                           double h) {
        EXPECT_EQ(c.Kind, Transparent::ControlKind::Other);
        EXPECT_DOUBLE_EQ(c.Left, l);
        EXPECT_DOUBLE_EQ(c.Top, t);
        EXPECT_DOUBLE_EQ(c.Width, w);
        EXPECT_DOUBLE_EQ(c.Height, h);
    };
    expect(form.Controls[0], 80.0 / 15, 24, 233, 3100.0 / 15);  // txtNote
    expect(form.Controls[1], 0, 0, 225, 25);                    // Image1
    expect(form.Controls[2], 3395.0 / 15, 50.0 / 15, 14, 14);   // Image2
    expect(Notes::NoteFormGeometry(2.0 / 15.0).Controls[2], 3395.0 * 2 / 15, 100.0 / 15, 28, 28);

    NoteFixture f;
    f.note.Show();
    ASSERT_TRUE(f.view.Shape.has_value());
    const Shaping::Region& shape = *f.view.Shape;
    EXPECT_TRUE(shape.Contains(0, 0));
    EXPECT_TRUE(shape.Contains(224, 0));
    EXPECT_FALSE(shape.Contains(225, 0));
    EXPECT_TRUE(shape.Contains(226, 3));
    EXPECT_TRUE(shape.Contains(239, 16));
    EXPECT_FALSE(shape.Contains(240, 16));
    EXPECT_FALSE(shape.Contains(5, 24));  // strip and text box overlap: cut by exclusive-or
    EXPECT_TRUE(shape.Contains(5, 25));
    EXPECT_TRUE(shape.Contains(237, 230));
    EXPECT_FALSE(shape.Contains(238, 230));
    EXPECT_FALSE(shape.Contains(237, 231));
    EXPECT_FALSE(shape.Contains(4, 100));
    // The load step runs once, however often the window is shown.
    f.note.Show();
    EXPECT_EQ(f.view.Calls, (std::vector<std::string>{"border", "shape", "show", "show"}));
}

TEST(NoteWindow, DragMovesByThePointerWithTheLeftButtonAlone) {
    NoteFixture f;
    f.note.Image1_MouseDown(2, 0, 100.5, 52.5);  // any button records the start
    EXPECT_EQ(f.note.dragX, 100);
    EXPECT_EQ(f.note.dragY, 52);
    f.note.Image1_MouseDown(1, 0, 101.5, 51.5);
    EXPECT_EQ(f.note.dragX, 102);
    EXPECT_EQ(f.note.dragY, 52);

    f.note.Image1_MouseMove(1, 0, 132.25, 40);
    EXPECT_DOUBLE_EQ(f.view.Left, 1200 + 30.25);
    EXPECT_DOUBLE_EQ(f.view.Top, 900 - 12);
    for (const int button : {0, 2, 3, 4, 5}) {
        f.note.Image1_MouseMove(button, 0, 500, 500);
    }
    EXPECT_DOUBLE_EQ(f.view.Left, 1230.25);
    EXPECT_DOUBLE_EQ(f.view.Top, 888);

    // The new position is kept as a single-precision value.
    f.view.Left = 0;
    f.note.Image1_MouseDown(1, 0, 0, 0);
    f.note.Image1_MouseMove(1, 0, 0.1, 0);
    EXPECT_EQ(f.view.Left, static_cast<double>(0.1F));
    EXPECT_NE(f.view.Left, 0.1);
}

TEST(SaveNote, WritesChangedTextAtomicallyAndOnlyWhenChanged) {
    NoteFixture f;
    AppendDraws(f.draws, u"n123-4A567-8901q");
    f.note.SetNoteID(u"");
    f.note.Show();
    // Nobody typed: no file, no folder.
    EXPECT_FALSE(f.note.HasUnsavedText());
    f.note.Form_LostFocus();
    EXPECT_FALSE(f.drive.Exists("Notes"));

    const std::u16string typed = u"Caf\u00e9 \u20ac \u65e5\u672c \U0001F600\r\nline two \xD800 end";
    f.view.Text = typed;
    EXPECT_TRUE(f.note.HasUnsavedText());
    f.note.txtNote_LostFocus();
    EXPECT_FALSE(f.note.HasUnsavedText());
    EXPECT_EQ(f.drive.ReadFile("Notes/n123-4A567-8901q.txt"), TextCodec::EncodeFileText(typed));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(f.drive.Path() / "Notes"), fs::directory_iterator()),
        1);  // no temporary left beside it
    EXPECT_TRUE(f.dialogs.Messages.empty());

    // Read back exactly by a new window on the same note.
    ScriptedDialogs otherDialogs;
    RecordingNoteView otherView;
    frmNote other(otherView, otherDialogs, f.drive.Text());
    other.SetNoteID(u"n123-4A567-8901q");
    EXPECT_EQ(otherView.Text, typed);

    // Unchanged since the save: the file is not touched again; a change replaces it whole
    // through a new file renamed over the old one.
    const auto notePath = f.drive.Text("Notes/n123-4A567-8901q.txt");
    const auto before = Platform::IdentityOfPath(notePath);
    ASSERT_TRUE(before.has_value());
    f.note.Form_LostFocus();
    EXPECT_EQ(Platform::IdentityOfPath(notePath), before);
    f.view.Text = u"short";
    EXPECT_TRUE(f.note.SaveNote());
    const auto after = Platform::IdentityOfPath(notePath);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after, before);
    EXPECT_EQ(f.drive.ReadFile("Notes/n123-4A567-8901q.txt"), "short");
}

TEST(SaveNote, APauseInTypingSavesAndAFailedSaveIsTriedAgainAndToldOnce) {
    NoteFixture f;
    f.note.SetNoteID(u"paused");
    f.note.Show();
    const auto type = [&f](const std::u16string& text) {
        f.view.Text = text;
        f.note.txtNote_Change();
    };
    // A file where the Notes folder should be: no note can be written.
    const auto blockTheDrive = [&f] {
        fs::remove_all(f.drive.Path() / "Notes");
        f.drive.WriteFile("Notes", "blocking");
    };
    type(u"first words");
    EXPECT_EQ(f.view.SaveTimer, Notes::SavePauseMilliseconds);
    f.note.SaveTimer_Timer();
    EXPECT_EQ(f.drive.ReadFile("Notes/paused.txt"), "first words");
    EXPECT_FALSE(f.view.SaveTimer.has_value());
    EXPECT_TRUE(f.dialogs.Messages.empty());

    // The drive cannot take the text: told once, however many pauses follow, and tried again
    // by itself until it can.
    blockTheDrive();
    type(u"first words, then more");
    f.note.SaveTimer_Timer();
    type(u"first words, then more and more");
    f.note.SaveTimer_Timer();
    f.note.SaveTimer_Timer();
    EXPECT_EQ(f.dialogs.Messages.size(), 1U);
    EXPECT_EQ(f.view.SaveTimer, Notes::SavePauseMilliseconds);
    EXPECT_TRUE(f.note.HasUnsavedText());

    fs::remove(f.drive.Path() / "Notes");
    f.note.SaveTimer_Timer();
    EXPECT_EQ(f.drive.ReadFile("Notes/paused.txt"), "first words, then more and more");
    EXPECT_FALSE(f.view.SaveTimer.has_value());

    // A failure after a save that worked is a new one, and is told again.
    blockTheDrive();
    type(u"later");
    f.note.SaveTimer_Timer();
    EXPECT_EQ(f.dialogs.Messages.size(), 2U);
}

TEST(NoteWindow, EscapeLeavesTheTextBoxAndNoOtherKeyDoes) {
    NoteFixture f;
    f.note.SetNoteID(u"Shopping");
    f.note.Show();
    for (const int key : {Support::KeyReturn, Support::KeyTab, Support::KeyLeft, int{'A'}}) {
        EXPECT_FALSE(f.note.txtNote_KeyDown(key, 0)) << key;
    }
    EXPECT_FALSE(f.note.txtNote_KeyDown(Support::KeyEscape, Support::ShiftKey));
    EXPECT_EQ(std::count(f.view.Calls.begin(), f.view.Calls.end(), "leave"), 0);
    EXPECT_TRUE(f.note.txtNote_KeyDown(Support::KeyEscape, 0));
    EXPECT_EQ(std::count(f.view.Calls.begin(), f.view.Calls.end(), "leave"), 1);
}

TEST(SaveNote, KeepsTheBytesOfAFileReadButNotEdited) {
    NoteFixture f;
    const std::string windowsBytes = "Caf\xe9 \x80 5\r\n";  // Windows-1252, not UTF-8
    f.drive.WriteFile("Notes/w.txt", windowsBytes);
    f.note.SetNoteID(u"w");
    f.note.Show();
    EXPECT_EQ(f.view.Text, u"Caf\u00e9 \u20ac 5\r\n");
    EXPECT_FALSE(f.note.HasUnsavedText());
    EXPECT_TRUE(f.note.SaveNote());
    EXPECT_EQ(f.drive.ReadFile("Notes/w.txt"), windowsBytes);

    f.view.Text += u"more";
    EXPECT_TRUE(f.note.SaveNote());
    // Edited, it stays in the code page it was written in.
    EXPECT_EQ(f.drive.ReadFile("Notes/w.txt"), windowsBytes + "more");
}

TEST(SaveNote, FailureKeepsTheTextSaysWhyAndIsTriedAgain) {
    NoteFixture f;
    f.drive.WriteFile("Notes", "a file where the Notes folder should be");
    f.note.SetNoteID(u"blocked");
    f.note.Show();
    f.view.Text = u"precious";
    f.note.txtNote_LostFocus();
    f.note.Form_LostFocus();  // the same failure from the same click is reported once
    ASSERT_EQ(f.dialogs.Messages.size(), 1U);
    const auto& message = f.dialogs.Messages[0];
    EXPECT_NE(message.Prompt.find(f.note.NoteFilePath()), std::u16string::npos);
    EXPECT_NE(message.Prompt.find(NotesTest::NotAFolderReason()), std::u16string::npos)
        << TestSupport::Utf8(message.Prompt);
    EXPECT_EQ(message.Buttons, Platform::MessageButtons::Ok);
    EXPECT_EQ(f.view.Text, u"precious");
    EXPECT_TRUE(f.note.HasUnsavedText());
    EXPECT_FALSE(f.note.SaveNote());
    // Asked to close meanwhile (Alt+F4, the window manager), the window stays with its text.
    EXPECT_FALSE(f.note.Form_QueryUnload());
    EXPECT_EQ(f.view.Text, u"precious");

    // More typing that still cannot be saved is reported again.
    f.view.Text = u"precious and more";
    f.note.Form_LostFocus();
    EXPECT_EQ(f.dialogs.Messages.size(), 2U);

    fs::remove(f.drive.Path() / "Notes");
    EXPECT_TRUE(f.note.Form_QueryUnload());  // and closes once the text is on the drive
    EXPECT_FALSE(f.note.HasUnsavedText());
    EXPECT_EQ(f.drive.ReadFile("Notes/blocked.txt"), "precious and more");

    // A folder where the note file should be.
    NoteFixture folder;
    folder.drive.MakeFolder("Notes/dir.txt");
    folder.note.SetNoteID(u"dir");
    folder.note.Show();
    folder.view.Text = u"typed";
    EXPECT_FALSE(folder.note.SaveNote());
    ASSERT_EQ(folder.dialogs.Messages.size(), 1U);
    EXPECT_NE(folder.dialogs.Messages[0].Prompt.find(u"dir.txt"), std::u16string::npos);
    EXPECT_EQ(folder.view.Text, u"typed");

    // The focus loss the failure message itself causes does not stack a second message.
    TempFolder drive;
    drive.WriteFile("Notes", "blocking file");
    FocusTakingDialogs dialogs;
    RecordingNoteView view;
    frmNote note(view, dialogs, drive.Text());
    dialogs.Note = &note;
    note.SetNoteID(u"again");
    note.Show();
    view.Text = u"typed";
    EXPECT_FALSE(note.SaveNote());
    EXPECT_EQ(dialogs.Messages.size(), 1U);
    dialogs.Note = nullptr;
}

TEST(SaveNote, AnEmptyNoteFileIsSimplyWritten) {
    // An empty file has nothing to lose: it is simply written.
    NoteFixture empty;
    empty.drive.WriteFile("Notes/blank.txt", "");
    empty.note.SetNoteID(u"blank");
    empty.note.Show();
    empty.view.Text = u"now with text";
    EXPECT_TRUE(empty.note.SaveNote());
    EXPECT_EQ(empty.note.noteID, u"blank");
    EXPECT_EQ(empty.drive.ReadFile("Notes/blank.txt"), "now with text");
    EXPECT_TRUE(empty.dialogs.Messages.empty());
}

TEST(DeleteNote, AsksThenRemovesTheFileAndClosesTheWindow) {
    NoteFixture f;
    const auto file = f.drive.WriteFile("Notes/d.txt", "to go");
    fs::permissions(file, fs::perms::owner_read);  // read-only files go too
    f.note.SetNoteID(u"d");
    f.note.Show();

    f.dialogs.Answers = {MessageResult::No};
    f.note.Image2_Click();
    ASSERT_EQ(f.dialogs.Messages.size(), 1U);
    const auto& question = f.dialogs.Messages[0];
    EXPECT_EQ(question.Prompt, u"Are you sure you wish to delete this note?");
    EXPECT_EQ(question.Title, u"DELETE NOTE?");
    EXPECT_EQ(question.Buttons, Platform::MessageButtons::YesNo);
    EXPECT_EQ(question.Icon, Platform::MessageIcon::None);
    EXPECT_EQ(question.DefaultButton, MessageResult::Yes);
    EXPECT_TRUE(f.drive.Exists("Notes/d.txt"));
    EXPECT_FALSE(f.view.Closed());

    f.view.Text = u"typed, then deleted";
    f.dialogs.Answers = {MessageResult::Yes};
    f.note.Image2_Click();
    EXPECT_FALSE(f.drive.Exists("Notes/d.txt"));
    EXPECT_TRUE(f.view.Closed());
    // Closing takes the focus away; the deleted note must not come back.
    f.note.Form_LostFocus();
    EXPECT_FALSE(f.drive.Exists("Notes/d.txt"));
    EXPECT_FALSE(f.note.HasUnsavedText());
    EXPECT_EQ(f.dialogs.Messages.size(), 2U);

    // A note never saved has no file: the window just closes.
    NoteFixture fresh;
    fresh.note.SetNoteID(u"never-saved");
    fresh.note.Show();
    fresh.dialogs.Answers = {MessageResult::Yes};
    fresh.note.Image2_Click();
    EXPECT_TRUE(fresh.view.Closed());
    EXPECT_EQ(fresh.dialogs.Messages.size(), 1U);
}

TEST(NoteWindow, ANoteLargerThanTheProgramOpensSaysSoAndIsNeverWrittenOver) {
    NoteFixture f;
    const std::string huge(Platform::DefaultReadLimit + 1, 'x');
    f.drive.WriteFile("Notes/huge.txt", huge);
    AppendDraws(f.draws, u"i888-8B888-8888z");
    f.note.SetNoteID(u"huge");
    f.note.Show();
    EXPECT_NE(f.view.Text.find(u"is larger than the 64 MB a note may have."), std::u16string::npos)
        << TestSupport::Utf8(f.view.Text);
    EXPECT_NE(f.view.Text.find(u"huge.txt"), std::u16string::npos);
    // Looked at, left alone: nothing is written.
    f.note.txtNote_LostFocus();
    EXPECT_TRUE(f.dialogs.Messages.empty());
    f.view.Text += u"a new note";
    EXPECT_TRUE(f.note.SaveNote());
    EXPECT_EQ(f.note.noteID, u"i888-8B888-8888z");
    EXPECT_EQ(f.drive.ReadFile("Notes/i888-8B888-8888z.txt"), "a new note");
    EXPECT_EQ(std::filesystem::file_size(f.drive.Path() / "Notes/huge.txt"), huge.size());
}

TEST(NoteWindow, AnEditKeepsACodePageNoteInItsCodePage) {
    NoteFixture f;
    // Written by an older Windows program: "é" as the byte E9.
    f.drive.WriteFile("Notes/old.txt", "caf\xE9 au lait");
    f.note.SetNoteID(u"old");
    f.note.Show();
    EXPECT_EQ(f.view.Text, u"caf\u00E9 au lait");
    f.view.Text += u", cr\u00E8me";
    EXPECT_TRUE(f.note.SaveNote());
    EXPECT_EQ(f.drive.ReadFile("Notes/old.txt"), "caf\xE9 au lait, cr\xE8me");
    // A character the code page has not: the whole note in UTF-8, nothing lost.
    f.view.Text += u" \u2713";
    EXPECT_TRUE(f.note.SaveNote());
    EXPECT_EQ(f.drive.ReadFile("Notes/old.txt"), "caf\xC3\xA9 au lait, cr\xC3\xA8me \xE2\x9C\x93");
}
