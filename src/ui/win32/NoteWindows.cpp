#include "ui/win32/NoteWindows.h"

#include <algorithm>

#include "notes/NotePlacement.h"
#include "notes/frmNote.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/NoteWindow.h"

namespace Win32Ui {

NoteWindows::NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder)
    : NoteRegistry(dialogs, std::move(programFolder)) {}

NoteWindows::~NoteWindows() = default;

Notes::frmNote& NoteWindows::CreateNoteWindow() {
    std::erase_if(windows_,
                  [](const std::unique_ptr<NoteWindow>& window) { return !window->IsOpen(); });
    RECT area{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const Scale scale(DpiAtPoint({area.left, area.top}));
    const Notes::ScreenPoint place = Notes::DefaultNotePlace(
        TakePlaceNumber(), {area.left, area.top, area.right - area.left, area.bottom - area.top},
        scale.Pixels(NoteWindow::ClientWidthTwips), scale.Pixels(NoteWindow::ClientHeightTwips));
    windows_.push_back(
        std::make_unique<NoteWindow>(Dialogs(), ProgramFolder(), POINT{place.X, place.Y},
                                     [this](NoteWindow& closed) { Remove(closed.Form()); }));
    NoteWindow& window = *windows_.back();
    if (background_) {
        window.ShowInBackground();
    }
    Add(window.Form(), [&window] { window.CloseForProgramEnd(); });
    return window.Form();
}

std::vector<NoteWindow*> NoteWindows::OpenWindows() const {
    std::vector<NoteWindow*> open;
    for (const std::unique_ptr<NoteWindow>& window : windows_) {
        if (window->IsOpen()) {
            open.push_back(window.get());
        }
    }
    return open;
}

}  // namespace Win32Ui
