#pragma once

// Makes the note windows and keeps track of the open ones, so that every note whose text
// changed reaches its file before the program ends, whichever way it ends.

#include <memory>
#include <string>
#include <vector>

#include "notes/NoteRegistry.h"

namespace Platform {
class Dialogs;
}

namespace Win32Ui {

class NoteWindow;

class NoteWindows : public Notes::NoteRegistry {
  public:
    NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder);
    ~NoteWindows() override;
    NoteWindows(const NoteWindows&) = delete;
    NoteWindows& operator=(const NoteWindows&) = delete;

    Notes::frmNote& CreateNoteWindow() override;

    std::vector<NoteWindow*> OpenWindows() const;
    // While set, new note windows open without taking the activation.
    void OpenInBackground(bool background) { background_ = background; }

  private:
    // Closed windows stay until the next window is made: a window closes from inside its own
    // event handlers.
    std::vector<std::unique_ptr<NoteWindow>> windows_;
    bool background_ = false;
};

}  // namespace Win32Ui
