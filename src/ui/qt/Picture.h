#pragma once

// A picture control: a label that shows a pixmap (or nothing) and reports the mouse the way the
// behaviour classes expect it: a click (left button pressed and released over it), and presses
// and moves with the button and shift codes and the position within the control in pixels.

#include <QLabel>
#include <QPointF>

#include "support/MouseClick.h"

namespace QtUi {

// Mouse button codes: 1 left, 2 right, 4 middle, summed.
int ButtonCode(Qt::MouseButtons buttons);
// Shift codes: 1 Shift, 2 Ctrl, 4 Alt, summed.
int ShiftCode(Qt::KeyboardModifiers modifiers);
// The handlers' code of a key (Support::KeyCodes.h; letters and digits as their capitals), 0
// for keys they have no code for.
int KeyCode(int qtKey);

class Picture : public QLabel {
    Q_OBJECT

  public:
    explicit Picture(QWidget* parent);

    // The keyboard focus mark: a dotted frame just inside the control's edges.
    void SetFocusMark(bool shown);
    bool HasFocusMark() const { return focusMark_; }

  signals:
    void Clicked();
    // button is the button that went down; for a move, the buttons held.
    void MouseDown(int button, int shift, QPointF position);
    void MouseMove(int button, int shift, QPointF position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    Support::MouseClick click_;
    bool focusMark_ = false;
};

}  // namespace QtUi
