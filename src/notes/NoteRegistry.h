#pragma once

// What every front-end's maker of note windows shares: the open notes it registers as it makes
// and closes their windows, and the rules of OpenNotes for ending the program over them, with
// the dialogs those rules may ask in. The front-end adds only the making of its windows.

#include "notes/NoteWindowFactory.h"
#include "notes/OpenNotes.h"

namespace Platform {
class Dialogs;
}

namespace Notes {

class NoteRegistry : public NoteWindowFactory {
  public:
    explicit NoteRegistry(Platform::Dialogs& dialogs) : dialogs_(dialogs) {}

    bool SaveAllForSessionEnd() { return open_.SaveAllForSessionEnd(); }
    bool AnyUnsaved() const { return open_.AnyUnsaved(); }
    bool AllowProgramEnd() { return open_.AllowProgramEnd(dialogs_); }

  protected:
    Platform::Dialogs& Dialogs() const { return dialogs_; }
    OpenNotes& Open() { return open_; }
    // How many note windows were made before this one: where it opens (NotePlacement).
    int TakePlaceNumber() { return made_++; }

  private:
    Platform::Dialogs& dialogs_;
    OpenNotes open_;
    int made_ = 0;
};

}  // namespace Notes
