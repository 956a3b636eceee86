#pragma once

// A top-level window that keeps no copy of its pixels once the display has them.
//
// Qt paints every top-level window into a buffer of its own and keeps it, so that an expose
// can be answered by sending the buffer again: 232 KB for a note window, half a gigabyte for
// 2,000 notes. Where the display keeps what it was sent (X11, and the offscreen platform of
// the tests), a window that is not being worked in lets its buffer go after each paint and
// paints anew, whole, when the display asks for it again. The window that has the keyboard
// keeps its buffer, so that typing repaints only what changed.

#include <QObject>

class QWidget;

namespace QtUi {

class DisplayHeldPixels : public QObject {
  public:
    // Watches window from its first showing on; does nothing where the display reads the
    // program's own buffers (Wayland).
    explicit DisplayHeldPixels(QWidget& window);

    // Call after each show(): the native window exists from the first one on.
    void WindowShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True while the window holds a painted buffer of its own.
    bool HoldsPixels() const;
    void LetGo();

    QWidget& window_;
    bool watching_ = false;
};

}  // namespace QtUi
