#pragma once

// What every front-end's maker of note windows shares: the open notes it registers as it makes
// and closes their windows, and the ends of the program over them, with the dialogs those may
// ask in and the program's folder the notes live under. The front-end adds the making of its
// windows and its own part of the end (the launcher window goes, the event loop stops).

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>

#include "notes/NoteWindowFactory.h"
#include "notes/OpenNotes.h"

namespace Platform {
class Dialogs;
}

namespace Notes {

class NoteRegistry : public NoteWindowFactory {
  public:
    NoteRegistry(Platform::Dialogs& dialogs, std::u16string programFolder)
        : dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

    // The front-end's own part of the end, run once, after every note window has gone.
    void SetQuit(std::function<void()> quit) { quit_ = std::move(quit); }
    // True once the program has begun to end: from then on no event reaches a behaviour class.
    bool Ending() const { return ending_; }

    // An end the user asked for (the close picture, Alt+F4, the window manager's close): every
    // changed note is saved first, and one that cannot be saved keeps the program open unless
    // the user lets it go. True when the program ends (or was ending already).
    bool RequestEnd();
    // The session ends, or the system asks the program to stop: every note is saved without a
    // word, then the program ends, whatever could not be saved.
    void EndForSession();
    // Every note saved without a word while the program goes on (the session asks first).
    bool SaveAllForSessionEnd() { return open_.SaveAllForSessionEnd(); }
    bool AnyUnsaved() const { return open_.AnyUnsaved(); }

  protected:
    Platform::Dialogs& Dialogs() const { return dialogs_; }
    const std::u16string& ProgramFolder() const { return programFolder_; }
    // A note window is shown; closeForProgramEnd takes it away at the end without another word
    // to its behaviour class.
    void Add(frmNote& note, std::function<void()> closeForProgramEnd);
    // The window closed for good (deleted note, or closed by the user).
    void Remove(const frmNote& note);
    // How many note windows were made before this one: where it opens (NotePlacement).
    int TakePlaceNumber() { return made_++; }

  private:
    void EndNow();

    Platform::Dialogs& dialogs_;
    std::u16string programFolder_;
    OpenNotes open_;
    std::unordered_map<const frmNote*, std::function<void()>> closers_;
    std::function<void()> quit_;
    int made_ = 0;
    bool ending_ = false;
};

}  // namespace Notes
