#pragma once

// Makes the note windows and keeps track of the open ones, so that every note whose text
// changed reaches its file before the program ends, whichever way it ends.

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

#include "notes/NoteWindowFactory.h"

namespace Platform {
class Dialogs;
}

namespace QtUi {

class NoteWindow;

class NoteWindows : public QObject, public Notes::NoteWindowFactory {
    Q_OBJECT

  public:
    NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder);
    ~NoteWindows() override;
    NoteWindows(const NoteWindows&) = delete;
    NoteWindows& operator=(const NoteWindows&) = delete;

    Notes::frmNote& CreateNoteWindow() override;

    // Saves every open note whose text changed. False when a text could not be written (its
    // note has told the user and keeps the text).
    bool SaveAll();
    // True when some open note holds text that is not on the drive.
    bool AnyUnsaved();
    // The program ends: every note window goes.
    void CloseAll();

    std::vector<NoteWindow*> OpenWindows() const;

  private:
    Platform::Dialogs& dialogs_;
    std::u16string programFolder_;
    std::vector<QPointer<NoteWindow>> windows_;
    int made_ = 0;
};

}  // namespace QtUi
