#include <QtTest/qtestspontaneevent.h>
#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>
#include <QWheelEvent>

#include <csignal>
#include <filesystem>

#include "Edition.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"
#include "ui/qt/Picture.h"
#include "ui/qt/QuitOnSignal.h"

namespace {

using LauncherControl = EditionDriver::LauncherControl;

Qt::Key QtKey(int keyCode) {
    switch (keyCode) {
        case Support::KeyTab:
            return Qt::Key_Tab;
        case Support::KeyReturn:
            return Qt::Key_Return;
        case Support::KeyEscape:
            return Qt::Key_Escape;
        case Support::KeyPageUp:
            return Qt::Key_PageUp;
        case Support::KeyPageDown:
            return Qt::Key_PageDown;
        case Support::KeyLeft:
            return Qt::Key_Left;
        case Support::KeyRight:
            return Qt::Key_Right;
        case Support::KeyUp:
            return Qt::Key_Up;
        case Support::KeyDown:
            return Qt::Key_Down;
        case Support::KeyF4:
            return Qt::Key_F4;
        default:
            break;
    }
    ADD_FAILURE() << "no Qt key for " << keyCode;
    return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiers(int shift) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, (shift & Support::ShiftKey) != 0);
    modifiers.setFlag(Qt::ControlModifier, (shift & Support::CtrlKey) != 0);
    modifiers.setFlag(Qt::AltModifier, (shift & Support::AltKey) != 0);
    return modifiers;
}

const char* ObjectName(LauncherControl control) {
    switch (control) {
        case LauncherControl::Image2:
            return "Image2";
        case LauncherControl::Label2:
            return "Label2";
        case LauncherControl::Label1:
            return "Label1";
        case LauncherControl::imgApp:
            return "imgApp";
        case LauncherControl::imgAdd:
            return "imgAdd";
        case LauncherControl::Image1:
            return "Image1";
        case LauncherControl::lblLoading:
            return "lblLoading";
        case LauncherControl::lblNewNote:
            return "lblNewNote";
        case LauncherControl::VScroll1:
            return "VScroll1";
        case LauncherControl::HScroll1:
            return "HScroll1";
    }
    return "";
}

}  // namespace

QWidget* Edition::Widget(ControlAt control) const {
    if (control.first == LauncherControl::imgApp) {
        return Slot(control.second);
    }
    return GuiFixture::Control<QWidget>(window.get(), ObjectName(control.first));
}

QWidget* Edition::KeyTarget() const {
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && focused->window() == window.get() ? focused : window.get();
}

bool Edition::WaitForStart(const std::string& title) {
    return WaitUntil([&] { return drive.Exists("launched-" + title); });
}

std::string Edition::AddLooseProgram(const std::string& title) {
    const std::string marker = (drive.Path() / ("launched-" + title)).string();
    const auto script =
        drive.WriteFile(title + "/tool.sh", "#!/bin/sh\necho \"$0\" >> '" + marker + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    return "tool.sh";
}

void Edition::RestartLauncher() {
    window.reset();
    StartLauncher();
    WaitForGrid();
}

void Edition::StartLauncher() {
    Start();
    QObject::connect(window.get(), &QtUi::LauncherWindow::ProgramEnded, [this] { ++endings_; });
}

void Edition::StartActive() {
    StartLauncher();
    WaitForGrid();
    ActivateLauncher();
}

void Edition::EndSession() {
    QtUi::QuitOnSignal onSignal([this] { window->EndForSession(); });
    ASSERT_EQ(::raise(SIGTERM), 0);
    ASSERT_TRUE(WaitUntil([&] { return endings_ > 0; }));
}

void Edition::PressKey(int keyCode, int shift) {
    QTest::keyClick(KeyTarget(), QtKey(keyCode), QtModifiers(shift));
}

void Edition::TypeText(const std::u16string& text) {
    QTest::keyClicks(KeyTarget(), QString::fromStdU16String(text));
}

void Edition::TurnWheel(ControlAt over, int delta) {
    // Delivered to the control as the system would: what it leaves goes on to the window
    // under it.
    QWidget* control = Widget(over);
    const QPointF at(control->width() / 2.0, control->height() / 2.0);
    QWheelEvent turn(at, control->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    QApplication::sendEvent(control, &turn);
}

void Edition::ClickControl(ControlAt control) {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
}

void Edition::RightClickControl(ControlAt control) {
    QTest::mouseClick(Widget(control), Qt::RightButton);
}

void Edition::PressAndReleaseBeside(ControlAt control) {
    Drag(Widget(control), QPoint(5, 5), {QPoint(100, 100)}, Qt::LeftButton);
}

void Edition::DoubleClickControl(ControlAt control) {
    // Through the window, as the system reports it: press, release, press, double click,
    // release.
    QWidget* widget = Widget(control);
    const QPoint centre = widget->mapTo(window.get(), widget->rect().center());
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, centre);
}

namespace {

std::vector<QPoint> QtSteps(const std::vector<EditionDriver::Pixels>& steps) {
    std::vector<QPoint> moves;
    moves.reserve(steps.size());
    for (const auto& [x, y] : steps) {
        moves.emplace_back(x, y);
    }
    return moves;
}

Qt::MouseButtons QtButtons(int buttons) {
    Qt::MouseButtons held;
    held.setFlag(Qt::LeftButton, (buttons & Support::LeftButton) != 0);
    held.setFlag(Qt::RightButton, (buttons & Support::RightButton) != 0);
    return held;
}

}  // namespace

void Edition::DragControl(ControlAt control, Pixels at, const std::vector<Pixels>& steps,
                          int buttons) {
    QWidget* widget = Widget(control);
    Drag(widget, widget->mapFrom(window.get(), QPoint(at.first, at.second)), QtSteps(steps),
         QtButtons(buttons));
}

void Edition::DragNoteStrip(int note, Pixels at, const std::vector<Pixels>& steps, int buttons) {
    Drag(GuiFixture::Control<QWidget>(Note(note), "Image1"), QPoint(at.first, at.second),
         QtSteps(steps), QtButtons(buttons));
}

std::array<int, 4> Edition::WorkArea() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.x(), area.y(), area.width(), area.height()};
}

std::string Edition::ControlText(ControlAt control) {
    const auto* label = qobject_cast<const QLabel*>(Widget(control));
    return label != nullptr ? label->text().toStdString() : std::string();
}

EditionDriver::Rect Edition::ControlPlace(ControlAt control) {
    const QRect place = Widget(control)->geometry();
    return {place.x(), place.y(), place.width(), place.height()};
}

std::vector<LauncherControl> Edition::StackedTopDown() {
    // Qt stacks siblings in the order they were made: the last lies on top.
    std::vector<LauncherControl> stacked;
    const QObjectList& children = window->children();
    for (auto at = children.size(); at-- > 0;) {
        const QObject* child = children[at];
        for (const LauncherControl kind : Launcher::Form1Layout::StackingBottomUp) {
            const QString name = QString::fromLatin1(ObjectName(kind));
            const bool found = kind == LauncherControl::imgApp
                                   ? child->objectName().startsWith(name)
                                   : child->objectName() == name;
            if (found && child->isWidgetType() && (stacked.empty() || stacked.back() != kind)) {
                stacked.push_back(kind);
            }
        }
    }
    return stacked;
}

std::uint32_t Edition::SlotColour(int slot) {
    // What the window paints there, the background under the picture included.
    const QRect place = Slot(slot)->geometry();
    const QImage painted = window->grab(place).toImage();
    return painted.pixel(place.width() / 2, place.height() / 2) & 0xFFFFFFU;
}

void Edition::RestPointerOnSlot(int slot) {
    // What Qt sends a widget when the pointer has rested on it.
    QWidget* target = Slot(slot);
    const QPoint centre = target->rect().center();
    QHelpEvent rest(QEvent::ToolTip, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &rest);
}

std::string Edition::WaitForTip() {
    WaitUntil([] { return QToolTip::isVisible(); }, 3000);
    return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

void Edition::ClickScrollArrow(bool down) {
    auto* bar = GuiFixture::Control<QScrollBar>(window.get(), "VScroll1");
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      QPoint(bar->width() / 2, down ? bar->height() - 4 : 4));
}

void Edition::ActivateLastNote() {
    ASSERT_FALSE(Notes().empty());
    Notes().back()->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return !window->isActiveWindow(); }, 2000));
}

void Edition::ActivateLauncher() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

std::optional<EditionDriver::ControlAt> Edition::Focused() {
    const QWidget* focused = QApplication::focusWidget();
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        if (focused == Slot(slot)) {
            return ControlAt{LauncherControl::imgApp, slot};
        }
    }
    for (const LauncherControl control : Launcher::Form1Layout::StackingBottomUp) {
        if (control != LauncherControl::imgApp && focused == Widget({control, 0})) {
            return ControlAt{control, 0};
        }
    }
    return std::nullopt;
}

std::string Edition::FocusedName() {
    QWidget* focused = QApplication::focusWidget();
    QAccessibleInterface* accessible =
        focused != nullptr ? QAccessible::queryAccessibleInterface(focused) : nullptr;
    // Only what screen readers see as focused is announced.
    if (accessible == nullptr || !accessible->state().focused) {
        return {};
    }
    return accessible->text(QAccessible::Name).toStdString();
}

std::vector<EditionDriver::ControlAt> Edition::Marked() {
    std::vector<ControlAt> marked;
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        if (static_cast<QtUi::Picture*>(Slot(slot))->HasFocusMark()) {
            marked.emplace_back(LauncherControl::imgApp, slot);
        }
    }
    for (const LauncherControl control :
         {LauncherControl::lblNewNote, LauncherControl::imgAdd, LauncherControl::Image1}) {
        if (static_cast<QtUi::Picture*>(Widget({control, 0}))->HasFocusMark()) {
            marked.emplace_back(control, 0);
        }
    }
    return marked;
}

bool Edition::ScrollEnabled() {
    return GuiFixture::Control<QScrollBar>(window.get(), "VScroll1")->isEnabled();
}

int Edition::ScrollValue() {
    return GuiFixture::Control<QScrollBar>(window.get(), "VScroll1")->value();
}

namespace {

QPlainTextEdit* TextBox(QtUi::NoteWindow* note) {
    return note->findChild<QPlainTextEdit*>(QStringLiteral("txtNote"));
}

}  // namespace

void Edition::ReplaceNoteText(int note, const std::u16string& text) {
    QPlainTextEdit* box = TextBox(Note(note));
    box->selectAll();
    QTest::keyClicks(box, QString::fromStdU16String(text));
}

void Edition::FocusNoteTextBox(int note) {
    QtUi::NoteWindow* noteWindow = Note(note);
    noteWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(noteWindow));
    QPlainTextEdit* box = TextBox(noteWindow);
    box->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return box->hasFocus(); }, 1000));
}

void Edition::PressKeyInNote(int note, int keyCode, int shift) {
    QTest::keyClick(TextBox(Note(note)), QtKey(keyCode), QtModifiers(shift));
}

bool Edition::NoteTextBoxFocused(int note) {
    return TextBox(Note(note))->hasFocus();
}

std::u16string Edition::NoteText(int note) {
    return TextBox(Note(note))->toPlainText().toStdU16String();
}

std::vector<std::u16string> Edition::NoteLines(int note) {
    std::vector<std::u16string> lines;
    const QTextDocument* document = TextBox(Note(note))->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines.push_back(block.text().toStdU16String());
    }
    return lines;
}

int Edition::NoteRows(int note) {
    QPlainTextEdit* box = TextBox(Note(note));
    box->viewport()->repaint();  // lays the text out
    int rows = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        rows += block.layout() != nullptr ? block.layout()->lineCount() : 0;
    }
    return rows;
}

void Edition::AppendToNote(int note, const std::u16string& text) {
    QPlainTextEdit* box = TextBox(Note(note));
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, QString::fromStdU16String(text));
}

void Edition::UndoInNote(int note) {
    TextBox(Note(note))->undo();
}

void Edition::LeaveNote(int note) {
    QtUi::NoteWindow* noteWindow = Note(note);
    noteWindow->activateWindow();
    TextBox(noteWindow)->setFocus();
    WaitUntil([&] { return noteWindow->isActiveWindow(); }, 1000);
    window->activateWindow();
    WaitUntil([&] { return window->isActiveWindow(); }, 1000);
}

void Edition::ClickNoteCross(int note) {
    QTest::mouseClick(GuiFixture::Control<QWidget>(Note(note), "Image2"), Qt::LeftButton);
}

std::string Edition::NoteCrossName(int note) {
    return GuiFixture::Control<QWidget>(Note(note), "Image2")->accessibleName().toStdString();
}
