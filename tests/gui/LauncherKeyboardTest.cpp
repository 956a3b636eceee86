// The launcher window worked without a mouse, and its wheel: keys as the keyboard delivers them
// to whatever has the focus, wheel turns as the pointer's window receives them.

#include <QtTest/qtestspontaneevent.h>
#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gmock/gmock.h>

#include <string>

#include "GuiFixture.h"
#include "launcher/Form1.h"
#include "ui/qt/Picture.h"

namespace {

class LauncherKeyboardTest : public GuiFixture {
  protected:
    void AddApplications(int count) {
        for (int i = 1; i <= count; ++i) {
            AddApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i));
        }
    }
    // Started, its grid filled, and the active window, as when the user has just opened it.
    void StartActive() {
        Start();
        WaitForGrid();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QScrollBar* VScroll1() const { return Control<QScrollBar>(window.get(), "VScroll1"); }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    // A key pressed and released where the keyboard's input goes now.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(Focused() != nullptr ? Focused() : window.get(), key, modifiers);
    }
    void TypeText(const QString& text) const {
        QTest::keyClicks(Focused() != nullptr ? Focused() : window.get(), text);
    }
    // One turn of the wheel over a control, delivered to it as the system would: what the
    // control leaves goes on to the window under it.
    static void Wheel(QWidget* over, int delta) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent turn(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&turn);
        QApplication::sendEvent(over, &turn);
    }
    QtUi::Picture* Marked(const char* name) const {
        return Control<QtUi::Picture>(window.get(), name);
    }
    static bool HasMark(QWidget* control) {
        const auto* picture = qobject_cast<QtUi::Picture*>(control);
        return picture != nullptr && picture->HasFocusMark();
    }
    int MarkedCount() const {
        int marked = 0;
        for (auto* picture : window->findChildren<QtUi::Picture*>()) {
            marked += picture->HasFocusMark() ? 1 : 0;
        }
        return marked;
    }
};

TEST_F(LauncherKeyboardTest, AProgramStartsByTheKeyboardAloneAndTheFocusIsTheMarkedSlot) {
    AddApplications(25);
    StartActive();
    // A mouse user sees no mark.
    EXPECT_EQ(MarkedCount(), 0);
    Wheel(Slot(1), 0);
    EXPECT_EQ(MarkedCount(), 0);

    // The first Tab, still on the window itself, goes where the launcher says, not Qt.
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Marked("lblNewNote"));
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), Slot(1));
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_TRUE(HasMark(Slot(7)));
    EXPECT_EQ(MarkedCount(), 1);
    // Screen readers follow the focus: it is on the slot named by its application.
    ASSERT_EQ(Focused(), Slot(7));
    QAccessibleInterface* slot = QAccessible::queryAccessibleInterface(Slot(7));
    ASSERT_NE(slot, nullptr);
    EXPECT_TRUE(slot->state().focused);
    EXPECT_EQ(slot->text(QAccessible::Name).toStdString(), SlotTitles()[6]);

    // Tab goes round the link, the add and the close pictures, and back to the grid.
    const char* round[] = {"lblNewNote", "imgAdd", "Image1"};
    for (const char* name : round) {
        Press(Qt::Key_Tab);
        EXPECT_EQ(Focused(), Marked(name)) << name;
        EXPECT_TRUE(HasMark(Marked(name))) << name;
        EXPECT_FALSE(Focused()->accessibleName().isEmpty()) << name;
    }
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Slot(7));
    EXPECT_EQ(MarkedCount(), 1);

    const std::string seventh = SlotTitles()[6];
    Press(Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([&] { return drive.Exists("launched-" + seventh); }));

    // Away from the window the mark goes; back, it returns.
    AddNote("Elsewhere", "x");
    QTest::mouseClick(Marked("lblNewNote"), Qt::LeftButton);
    ASSERT_FALSE(Notes().empty());
    Notes().back()->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return !window->isActiveWindow(); }, 2000));
    EXPECT_EQ(MarkedCount(), 0);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(HasMark(Slot(7)));
}

TEST_F(LauncherKeyboardTest, TheWheelAndThePageKeysPageThroughTheGrid) {
    AddApplications(45);
    StartActive();
    const auto page1 = SlotTitles();

    Wheel(Slot(6), -120);
    EXPECT_EQ(VScroll1()->value(), 2);
    EXPECT_NE(SlotTitles(), page1);
    // A fine-stepping wheel: a page once the steps make a notch.
    for (int step = 0; step < 3; ++step) {
        Wheel(Slot(6), -40);
        EXPECT_EQ(VScroll1()->value(), step < 2 ? 2 : 3) << step;
    }
    EXPECT_TRUE(SlotTitles()[5].empty());  // five applications on page 3
    // Over the scroll bar one notch is one page too, not the bar's own steps.
    Wheel(VScroll1(), 120);
    EXPECT_EQ(VScroll1()->value(), 2);
    // Over the drive line it does nothing.
    Wheel(Control<QWidget>(window.get(), "Label1"), 120);
    EXPECT_EQ(VScroll1()->value(), 2);

    Press(Qt::Key_PageUp);
    EXPECT_EQ(VScroll1()->value(), 1);
    EXPECT_EQ(SlotTitles(), page1);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(VScroll1()->value(), 1);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(VScroll1()->value(), 2);
    EXPECT_EQ(window->Form().PageStart(), 21);
}

TEST_F(LauncherKeyboardTest, TypingATitleFindsItsApplicationOnPage2) {
    AddApplications(25);
    StartActive();
    // What page 2 holds, looked up with the mouse.
    QTest::mouseClick(VScroll1(), Qt::LeftButton, {},
                      QPoint(VScroll1()->width() / 2, VScroll1()->height() - 4));
    ASSERT_EQ(VScroll1()->value(), 2);
    const std::string wanted = SlotTitles()[2];
    QTest::mouseClick(VScroll1(), Qt::LeftButton, {}, QPoint(VScroll1()->width() / 2, 4));
    ASSERT_EQ(VScroll1()->value(), 1);

    // Typed in small letters, with the space in the title.
    TypeText(QString::fromStdString(wanted).toLower());
    EXPECT_EQ(VScroll1()->value(), 2);
    EXPECT_EQ(Focused(), Slot(3));
    EXPECT_TRUE(HasMark(Slot(3)));
    Press(Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([&] { return drive.Exists("launched-" + wanted); }));
}

TEST_F(LauncherKeyboardTest, AltF4EndsTheProgramAsTheClosePictureDoes) {
    AddNote("Plan", "old text");
    AddApplications(1);
    StartActive();
    ASSERT_EQ(Notes().size(), 1U);
    auto* box = Control<QPlainTextEdit>(Notes()[0], "txtNote");
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("new text"));
    QSignalSpy ended(window.get(), &QtUi::LauncherWindow::ProgramEnded);
    Press(Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(LauncherKeyboardTest, EscapeInANoteLeavesItsTextBoxAndSavesIt) {
    AddNote("Plan", "old text");
    Start();
    ASSERT_EQ(Notes().size(), 1U);
    QtUi::NoteWindow* note = Notes()[0];
    note->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(note));
    auto* box = Control<QPlainTextEdit>(note, "txtNote");
    box->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return box->hasFocus(); }, 1000));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("new text"));
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "old text");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->hasFocus());
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("new text"));
}

}  // namespace
