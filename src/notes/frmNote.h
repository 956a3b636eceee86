#pragma once

// The behaviour of a note window: its note ID, the load step that shapes it and reads its note
// file, moving it by its top strip, deleting it, and saving its text whenever it loses the
// focus and whenever typing pauses. The window itself is behind NoteView; every event reaches
// this class by its name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "notes/NoteView.h"
#include "notes/RandomString.h"
#include "shaping/Transparent.h"
#include "support/CompactText.h"
#include "support/TextCodec.h"

namespace Platform {
class Dialogs;
}

namespace Notes {

// What txtNote holds when a note window is made; the front-end sets it at creation.
inline constexpr std::u16string_view InitialNoteText = u"Type here to write your note...\r\n";

// How long typing must rest before a changed note is saved by itself, and how often a save that
// failed is tried again: a pulled drive, a killed program or a power cut loses at most this much
// of what was typed, and a note whose drive comes back is saved without anyone asking.
inline constexpr int SavePauseMilliseconds = 2000;

// The note window's controls, in twips, in the window's order of controls.
struct NoteControlTwips {
    double Left, Top, Width, Height;
};
inline constexpr NoteControlTwips txtNoteTwips{80, 360, 3495, 3100};
inline constexpr NoteControlTwips Image1Twips{0, 0, 3375, 375};
inline constexpr NoteControlTwips Image2Twips{3395, 50, 210, 210};

// The note window's form as the shaping step sees it, in pixels.
Transparent::FormGeometry NoteFormGeometry(double pixelsPerTwip);

class frmNote {
  public:
    // random is where new note IDs are drawn from: the process's generator unless a test says.
    frmNote(NoteView& view, Platform::Dialogs& dialogs, std::u16string programFolder,
            RandomSource& random = ProcessRandom());
    frmNote(const frmNote&) = delete;
    frmNote& operator=(const frmNote&) = delete;
    ~frmNote() = default;

    std::u16string noteID;
    std::int32_t dragX = 0;
    std::int32_t dragY = 0;

    // An empty strNoteID gives the window a new ID that names no existing note file and is a
    // valid file name everywhere; otherwise the ID is taken and its file's text loaded.
    void SetNoteID(const std::u16string& strNoteID);
    // Puts the note file's whole text into txtNote; silent when there is nothing to read.
    void LoadNoteText();
    std::u16string NoteFilePath() const;

    void Show();  // runs the load step if it has not run, then shows the window

    void Image1_MouseDown(int Button, int Shift, double X, double Y);  // twips within Image1
    void Image1_MouseMove(int Button, int Shift, double X, double Y);
    void Image2_Click();  // delete action; may close the window, after which this is gone
    void Form_LostFocus();
    void txtNote_LostFocus();
    // The user changed txtNote's text: the pause before it is saved starts again.
    void txtNote_Change();
    // The save timer ran out: typing has paused, or a failed save is due to be tried again.
    void SaveTimer_Timer();
    // The window is asked to close (by the window manager, Alt+F4, the task bar): the note's
    // text goes to its file first, and a note whose text could not be written stays open with
    // it. True when the window may close.
    bool Form_QueryUnload();
    // A key pressed in txtNote (Support::Key*, Shift as in MouseDrag.h); true when the note used
    // it. Escape leaves the text box, which saves the note as any focus loss does.
    bool txtNote_KeyDown(int KeyCode, int Shift);

    // Writes txtNote to the note file when it changed since it was last loaded or saved. True
    // when the text is safely on the drive (or unchanged); a failure is shown to the user.
    bool SaveNote();
    // The same, telling the user nothing: for the end of a session, when no one may be there
    // to answer and a message would only keep the system from shutting down.
    bool SaveNoteQuietly();
    bool HasUnsavedText() const;

  private:
    // Who hears of a save that failed: the user at every save they caused (once for the two
    // focus events of one click), once per failure for the saves nobody asked for, nobody at
    // the end of a session.
    enum class Telling { EveryTime, OncePerFailure, Never };
    bool Save(Telling telling);
    void EnsureLoaded();
    void RunLoadStep();
    void ShowSaveFailure(const std::u16string& reason);
    void ShowLeftAlone(const std::u16string& unreadable);

    NoteView& view_;
    Platform::Dialogs& dialogs_;
    std::u16string programFolder_;
    RandomSource& random_;

    bool loaded_ = false;
    bool deleted_ = false;
    bool saving_ = false;
    bool readingText_ = false;  // the text is being read: the load step does not read it again
    // The note file exists and holds something, but could not be read: the window does not
    // know its text, so it must never be written over.
    bool unreadableFile_ = false;
    // The text that the note file holds as far as this window knows: what was loaded or last
    // saved, or for a note without a file the text the window opened with.
    std::optional<Support::CompactText> savedText_;
    // The last failure the user was told of, so that the two focus events of one click, and
    // the saves tried again by themselves, report it once. Cleared by a save that succeeds.
    std::optional<Support::CompactText> failedText_;
    std::u16string failedReason_;
    // What the window says in place of a note whose file could not be opened.
    std::u16string notice_;
    // How the note file was written; a new note is UTF-8.
    TextCodec::FileEncoding encoding_ = TextCodec::FileEncoding::Utf8;
};

}  // namespace Notes
