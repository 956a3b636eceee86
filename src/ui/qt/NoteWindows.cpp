#include "ui/qt/NoteWindows.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "notes/NotePlacement.h"
#include "notes/frmNote.h"
#include "ui/qt/NoteWindow.h"
#include "ui/qt/WindowSystem.h"

namespace QtUi {

namespace {

QPoint DefaultPlace(int n) {
    QRect area(0, 0, 1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    const Notes::ScreenPoint place =
        Notes::DefaultNotePlace(n, {area.x(), area.y(), area.width(), area.height()},
                                NoteWindow::ClientWidth, NoteWindow::ClientHeight);
    return {place.X, place.Y};
}

}  // namespace

NoteWindows::NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder)
    : NoteRegistry(dialogs, std::move(programFolder)) {}

NoteWindows::~NoteWindows() {
    for (const QPointer<NoteWindow>& window : windows_) {
        delete window.data();
    }
}

Notes::frmNote& NoteWindows::CreateNoteWindow() {
    // Windows already gone (deleted notes) are dropped from the list as new ones come.
    std::erase_if(windows_, [](const QPointer<NoteWindow>& window) { return window.isNull(); });
    auto* window = new NoteWindow(Dialogs(), ProgramFolder());
    const int place = TakePlaceNumber();
    // A compositor places new windows itself and ignores a window's own wish.
    if (!CompositorPlacesWindows()) {
        window->move(DefaultPlace(place));
    }
    connect(window, &NoteWindow::Closed, this, [this](NoteWindow* closed) {
        Remove(closed->Form());
        closed->deleteLater();
    });
    windows_.emplace_back(window);
    Add(window->Form(), [window] { window->CloseForProgramEnd(); });
    return window->Form();
}

std::vector<NoteWindow*> NoteWindows::OpenWindows() const {
    std::vector<NoteWindow*> open;
    for (const QPointer<NoteWindow>& window : windows_) {
        if (!window.isNull() && window->IsOpen()) {
            open.push_back(window.data());
        }
    }
    return open;
}

}  // namespace QtUi
