#include "ui/qt/NoteWindows.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "notes/frmNote.h"
#include "ui/qt/NoteWindow.h"

namespace QtUi {

namespace {

// Where the n-th new window of this run opens: down and to the right of the one before, in
// steps of a title bar's height, back to the start after ten, the way Windows places new
// windows. Notes are not centred and remember no place of their own.
QPoint DefaultPlace(int n) {
    QPoint origin(24, 24);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        origin += screen->availableGeometry().topLeft();
    }
    constexpr int step = 26;
    const int k = n % 10;
    return origin + QPoint(k * step, k * step);
}

}  // namespace

NoteWindows::NoteWindows(Platform::Dialogs& dialogs, std::u16string programFolder)
    : dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

NoteWindows::~NoteWindows() {
    for (const QPointer<NoteWindow>& window : windows_) {
        delete window.data();
    }
}

Notes::frmNote& NoteWindows::CreateNoteWindow() {
    // Windows already gone (deleted notes) are dropped from the list as new ones come.
    std::erase_if(windows_, [](const QPointer<NoteWindow>& window) { return window.isNull(); });
    auto* window = new NoteWindow(dialogs_, programFolder_);
    // A compositor places new windows itself and ignores a window's own wish.
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        window->move(DefaultPlace(made_));
    }
    ++made_;
    connect(window, &NoteWindow::Closed, this, [](NoteWindow* closed) { closed->deleteLater(); });
    windows_.emplace_back(window);
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

bool NoteWindows::SaveAll() {
    bool allSaved = true;
    for (NoteWindow* window : OpenWindows()) {
        allSaved = window->Form().SaveNote() && allSaved;
    }
    return allSaved;
}

bool NoteWindows::AnyUnsaved() {
    const auto open = OpenWindows();
    return std::any_of(open.begin(), open.end(),
                       [](NoteWindow* window) { return window->Form().HasUnsavedText(); });
}

void NoteWindows::CloseAll() {
    for (NoteWindow* window : OpenWindows()) {
        window->CloseForProgramEnd();
    }
}

}  // namespace QtUi
