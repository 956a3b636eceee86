#include "ui/qt/DisplayHeldPixels.h"

#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "ui/qt/WindowSystem.h"

namespace QtUi {

DisplayHeldPixels::DisplayHeldPixels(QWidget& window) : QObject(&window), window_(window) {}

void DisplayHeldPixels::WindowShown() {
    if (watching_ || window_.windowHandle() == nullptr || !DisplayKeepsSentPixels()) {
        return;
    }
    watching_ = true;
    window_.installEventFilter(this);
    window_.windowHandle()->installEventFilter(this);
}

bool DisplayHeldPixels::HoldsPixels() const {
    const QBackingStore* store = window_.backingStore();
    return store != nullptr && store->size() == window_.size();
}

bool DisplayHeldPixels::eventFilter(QObject* watched, QEvent* event) {
    const bool expose = watched == window_.windowHandle() && event->type() == QEvent::Expose;
    // An update request paints what changed and sends it.
    const bool update = watched == &window_ && event->type() == QEvent::UpdateRequest;
    if (expose || update) {
        // With no buffer held, Qt would answer an expose by sending the empty buffer: the
        // window is marked for a whole repaint first.
        if (expose && !HoldsPixels()) {
            window_.update();
        }
        // Handled here and now, so that the buffer goes before the next window's expose:
        // thousands of windows exposed at once must not each hold one meanwhile.
        watched->event(event);
        LetGo();
        return true;
    }
    if (watched == &window_ && event->type() == QEvent::WindowDeactivate) {
        LetGo();
    }
    return false;
}

void DisplayHeldPixels::LetGo() {
    QBackingStore* store = window_.backingStore();
    if (store == nullptr || store->size().isEmpty() ||
        QGuiApplication::focusWindow() == window_.windowHandle()) {
        return;
    }
    store->resize(QSize(0, 0));
}

}  // namespace QtUi
