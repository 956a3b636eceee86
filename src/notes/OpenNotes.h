#pragma once

// The note windows that are open, and the rules for ending the program without losing a typed
// note: every changed note is saved first, and when one cannot be saved the user decides
// whether to close all the same (a note that could not be saved keeps its text meanwhile).
// Every front-end ends the program through these, whichever way the end comes.

#include <vector>

namespace Platform {
class Dialogs;
}

namespace Notes {

class frmNote;

class OpenNotes {
  public:
    // A note window is shown, or has closed (deleted); closed ones are no longer saved.
    void Add(frmNote& note);
    void Remove(const frmNote& note);
    const std::vector<frmNote*>& All() const { return notes_; }

    // Saves every open note whose text changed. False when a text could not be written: its
    // note has told the user why and keeps the text.
    bool SaveAll();
    // For an end nobody may be there to answer (the session ends, the system asks the program
    // to stop): saves every note without a word, so that nothing holds the end up. False when
    // a text could not be written.
    bool SaveAllForSessionEnd();
    // True when some open note holds text that is not on the drive.
    bool AnyUnsaved() const;

    // For an end the user asked for (the close picture, the window manager's close): saves
    // every note, and when one could not be saved asks "Close KIVOLA all the same?" (No by
    // default). True when the program may end.
    bool AllowProgramEnd(Platform::Dialogs& dialogs);

  private:
    std::vector<frmNote*> notes_;
};

}  // namespace Notes
