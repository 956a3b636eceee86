#pragma once

// Makes the note windows and keeps track of the open ones, so that every note whose text
// changed reaches its file before the program ends, whichever way it ends.

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

#include "notes/NoteRegistry.h"

namespace Platform {
class Dialogs;
}

namespace QtUi {

class NoteWindow;

class NoteWindows : public QObject, public Notes::NoteRegistry {
    Q_OBJECT

  public:
    NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder);
    ~NoteWindows() override;
    NoteWindows(const NoteWindows&) = delete;
    NoteWindows& operator=(const NoteWindows&) = delete;

    Notes::frmNote& CreateNoteWindow() override;

    std::vector<NoteWindow*> OpenWindows() const;

  private:
    std::vector<QPointer<NoteWindow>> windows_;
};

}  // namespace QtUi
