// Note files as Windows protects them: the read-only attribute, files another program holds
// open, and names that Windows takes for devices.

#include <gtest/gtest.h>

#include <string>

#include "NoteFixture.h"
#include "notes/NoteFile.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"

using NotesTest::NoteFixture;
using Platform::MessageResult;
using Platform::Win32::ErrorText;
using TestSupport::Utf8;

namespace {

std::wstring W(const std::u16string& text) {
    return {text.begin(), text.end()};
}

void MakeReadOnly(const std::u16string& path) {
    ASSERT_TRUE(SetFileAttributesW(W(path).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NE(GetFileAttributesW(W(path).c_str()) & FILE_ATTRIBUTE_READONLY, 0U);
}

// A file another program has open, sharing only what share allows, for the life of the object.
class HeldOpen {
  public:
    HeldOpen(const std::u16string& path, DWORD share)
        : file_(CreateFileW(W(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {
        EXPECT_NE(file_, INVALID_HANDLE_VALUE) << "cannot open " << Utf8(path);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen() { Release(); }
    void Release() {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
            file_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE file_;
};

}  // namespace

TEST(SaveNote, ReadOnlyNoteFileGivesAMessage) {
    NoteFixture f;
    f.drive.WriteFile("Notes/ro.txt", "old text");
    MakeReadOnly(f.drive.Text("Notes/ro.txt"));
    f.note.SetNoteID(u"ro");
    f.note.Show();
    EXPECT_EQ(f.view.Text, u"old text");
    f.view.Text = u"kept";
    EXPECT_FALSE(f.note.SaveNote());
    ASSERT_EQ(f.dialogs.Messages.size(), 1U);
    const auto& prompt = f.dialogs.Messages[0].Prompt;
    EXPECT_NE(prompt.find(f.drive.Text("Notes/ro.txt")), std::u16string::npos);
    EXPECT_NE(prompt.find(ErrorText(ERROR_ACCESS_DENIED)), std::u16string::npos) << Utf8(prompt);
    EXPECT_EQ(f.view.Text, u"kept");
    EXPECT_TRUE(f.note.HasUnsavedText());
    EXPECT_EQ(f.drive.ReadFile("Notes/ro.txt"), "old text");
}

TEST(SaveNote, AFileAnotherProgramHoldsOpenAloneIsNeverWrittenOver) {
    // Held open without sharing, the note cannot be read: what is typed over the window's
    // notice must not replace the text nobody has seen.
    NoteFixture f;
    f.drive.WriteFile("Notes/kept.txt", "IMPORTANT, never shown");
    f.draws.Add({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5F});  // the new ID: A000-00000-0000@
    {
        const HeldOpen held(f.drive.Text("Notes/kept.txt"), 0);
        f.note.SetNoteID(u"kept");
        f.note.Show();
        EXPECT_NE(f.view.Text.find(u"could not be read"), std::u16string::npos);
        f.view.Text += u"typed";
        EXPECT_TRUE(f.note.SaveNote());
    }
    EXPECT_EQ(f.note.noteID, u"A000-00000-0000@");
    EXPECT_EQ(f.drive.ReadFile("Notes/A000-00000-0000@.txt"), "typed");
    ASSERT_EQ(f.dialogs.Messages.size(), 1U);
    EXPECT_NE(f.dialogs.Messages[0].Prompt.find(u"kept.txt"), std::u16string::npos);
    EXPECT_EQ(f.drive.ReadFile("Notes/kept.txt"), "IMPORTANT, never shown");
}

TEST(DeleteNote, ReadOnlyNoteFileIsDeleted) {
    NoteFixture f;
    f.drive.WriteFile("Notes/d.txt", "to go");
    MakeReadOnly(f.drive.Text("Notes/d.txt"));
    f.note.SetNoteID(u"d");
    f.note.Show();
    f.dialogs.Answers = {MessageResult::Yes};
    f.note.Image2_Click();
    EXPECT_FALSE(f.drive.Exists("Notes/d.txt"));
    EXPECT_TRUE(f.view.Closed());
    EXPECT_EQ(f.dialogs.Messages.size(), 1U);
}

TEST(DeleteNote, AFileAnotherProgramHoldsOpenKeepsTheWindow) {
    NoteFixture f;
    f.drive.WriteFile("Notes/busy.txt", "stays");
    f.note.SetNoteID(u"busy");
    f.note.Show();
    HeldOpen held(f.drive.Text("Notes/busy.txt"), FILE_SHARE_READ | FILE_SHARE_WRITE);
    f.dialogs.Answers = {MessageResult::Yes};
    f.note.Image2_Click();
    ASSERT_EQ(f.dialogs.Messages.size(), 2U);
    EXPECT_NE(f.dialogs.Messages[1].Prompt.find(ErrorText(ERROR_SHARING_VIOLATION)),
              std::u16string::npos)
        << Utf8(f.dialogs.Messages[1].Prompt);
    EXPECT_FALSE(f.view.Closed());
    EXPECT_EQ(f.view.Text, u"stays");
    EXPECT_TRUE(f.drive.Exists("Notes/busy.txt"));

    // Once the other program lets go, the next try deletes it.
    held.Release();
    f.dialogs.Answers = {MessageResult::Yes};
    f.note.Image2_Click();
    EXPECT_FALSE(f.drive.Exists("Notes/busy.txt"));
    EXPECT_TRUE(f.view.Closed());
}

TEST(NoteFile, NotesNamedLikeDevicesNeverReachTheDevice) {
    // No note file can have such a name on Windows; a note given one must neither read from
    // the device nor write to it (a console, a printer port, a serial line).
    for (const std::u16string id : {u"CON", u"nul", u"COM1", u"lpt1"}) {
        NoteFixture f;
        EXPECT_FALSE(Notes::FileExists(Notes::NoteFilePath(f.drive.Text(), id))) << Utf8(id);
        f.note.SetNoteID(id);
        f.note.Show();
        EXPECT_EQ(f.view.Text, Notes::InitialNoteText) << Utf8(id);
        f.view.Text = u"typed";
        EXPECT_FALSE(f.note.SaveNote()) << Utf8(id);
        EXPECT_EQ(f.dialogs.Messages.size(), 1U) << Utf8(id);
        EXPECT_EQ(f.view.Text, u"typed");
        // Deleting it only closes the window.
        f.dialogs.Answers = {MessageResult::Yes};
        f.note.Image2_Click();
        EXPECT_TRUE(f.view.Closed()) << Utf8(id);
    }
}
