#include "ui/qt/Picture.h"

#include <QMouseEvent>

#include "support/MouseDrag.h"

namespace QtUi {

int ButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons.testFlag(Qt::LeftButton)) {
        code += Support::LeftButton;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        code += Support::RightButton;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        code += Support::MiddleButton;
    }
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        code += Support::ShiftKey;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        code += Support::CtrlKey;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        code += Support::AltKey;
    }
    return code;
}

Picture::Picture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A picture control draws only its picture; what lies under it shows through.
    setAutoFillBackground(false);
}

void Picture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = true;
    }
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), event->position());
    event->accept();
}

void Picture::mouseDoubleClickEvent(QMouseEvent* event) {
    leftPressed_ = false;
    event->accept();
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), event->position());
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool wasPressed = leftPressed_;
    leftPressed_ = false;
    event->accept();
    // Released elsewhere: no click, as with a button the pointer has left.
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
}

}  // namespace QtUi
