#pragma once

// Makes the note windows and keeps track of the open ones, so that every note whose text
// changed reaches its file before the program ends, whichever way it ends.

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

#include "notes/NoteWindowFactory.h"
#include "notes/OpenNotes.h"

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

    // The rules of Notes::OpenNotes over the notes whose windows are open.
    bool SaveAllForSessionEnd();
    bool AnyUnsaved() const;
    bool AllowProgramEnd();
    // The program ends: every note window goes.
    void CloseAll();

    std::vector<NoteWindow*> OpenWindows() const;

  private:
    Platform::Dialogs& dialogs_;
    std::u16string programFolder_;
    std::vector<QPointer<NoteWindow>> windows_;
    Notes::OpenNotes open_;
    int made_ = 0;
};

}  // namespace QtUi
