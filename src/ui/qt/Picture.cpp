#include "ui/qt/Picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "support/KeyCodes.h"
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

int KeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // the same codes
    }
    switch (qtKey) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:  // Shift+Tab, with Shift among the modifiers
            return Support::KeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Support::KeyReturn;
        case Qt::Key_Escape:
            return Support::KeyEscape;
        case Qt::Key_Space:
            return Support::KeySpace;
        case Qt::Key_PageUp:
            return Support::KeyPageUp;
        case Qt::Key_PageDown:
            return Support::KeyPageDown;
        case Qt::Key_End:
            return Support::KeyEnd;
        case Qt::Key_Home:
            return Support::KeyHome;
        case Qt::Key_Left:
            return Support::KeyLeft;
        case Qt::Key_Up:
            return Support::KeyUp;
        case Qt::Key_Right:
            return Support::KeyRight;
        case Qt::Key_Down:
            return Support::KeyDown;
        case Qt::Key_F4:
            return Support::KeyF4;
        default:
            return 0;
    }
}

Picture::Picture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A picture control draws only its picture; what lies under it shows through.
    setAutoFillBackground(false);
}

void Picture::SetFocusMark(bool shown) {
    if (shown != focusMark_) {
        focusMark_ = shown;
        update();
    }
}

void Picture::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!focusMark_) {
        return;
    }
    // Black under white dots: seen on any icon and on the background picture alike.
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(frame);
}

void Picture::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonCode(event->button());
    click_.ButtonDown(button);
    emit MouseDown(button, ShiftCode(event->modifiers()), event->position());
    event->accept();
}

void Picture::mouseDoubleClickEvent(QMouseEvent* event) {
    click_.DoubleClickDown();
    event->accept();
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), event->position());
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton &&
        click_.LeftButtonUp(rect().contains(event->position().toPoint()))) {
        emit Clicked();
    }
}

}  // namespace QtUi
