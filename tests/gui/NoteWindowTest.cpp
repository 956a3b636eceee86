// Note windows on the desktop: typing and saving, deleting, their shape, dragging, and the end
// of the program with notes open.

#include <QBackingStore>
#include <QExposeEvent>
#include <QPlainTextEdit>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWindow>

#include <gmock/gmock.h>

#include <string>

#include "GuiFixture.h"
#include "notes/frmNote.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

class NoteWindowTest : public GuiFixture {
  protected:
    static QPlainTextEdit* TextBox(const QtUi::NoteWindow* note) {
        return Control<QPlainTextEdit>(note, "txtNote");
    }
    // The note loses the focus to the launcher, as when the user clicks it.
    void FocusLauncher(QtUi::NoteWindow* note) {
        note->activateWindow();
        TextBox(note)->setFocus();
        WaitUntil([&] { return note->isActiveWindow(); }, 1000);
        window->activateWindow();
        WaitUntil([&] { return window->isActiveWindow(); }, 1000);
    }
    // The note keeps a painted copy of itself in the program.
    static bool HoldsPixels(QtUi::NoteWindow* note) {
        return note->backingStore() != nullptr && note->backingStore()->size() == note->size();
    }
    std::string NoteFile(const std::u16string& noteId) {
        return drive.ReadFile("Notes/" + TestSupport::Utf8(noteId) + ".txt");
    }
};

TEST_F(NoteWindowTest, LineEndsOfEveryKindShowAsLinesAndTypedOnesAreSavedAsCrLf) {
    // CR LF, a bare LF, a bare CR, and a no-break space that must survive as it is.
    AddNote("Mixed",
            "a\r\nb\nc\rd\xc2\xa0"
            "e");
    Start();
    ASSERT_THAT(Notes(), SizeIs(1));
    QtUi::NoteWindow* note = Notes()[0];
    const QTextDocument* document = TextBox(note)->document();
    ASSERT_EQ(document->blockCount(), 4);
    EXPECT_EQ(document->findBlockByNumber(3).text(), QStringLiteral("d\u00a0e"));
    // Looked at and left: the file keeps its line ends.
    FocusLauncher(note);
    EXPECT_EQ(drive.ReadFile("Notes/Mixed.txt"),
              "a\r\nb\nc\rd\xc2\xa0"
              "e");

    TextBox(note)->moveCursor(QTextCursor::End);
    QTest::keyClick(TextBox(note), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(TextBox(note), QStringLiteral("f"));
    FocusLauncher(note);
    EXPECT_EQ(drive.ReadFile("Notes/Mixed.txt"),
              "a\r\nb\r\nc\r\nd\xc2\xa0"
              "e\r\nf");
    EXPECT_THAT(dialogs.Messages, IsEmpty());
}

TEST_F(NoteWindowTest, ALongLineWrapsAtTheWidthOfTheBoxItIsShownIn) {
    std::string line;
    for (int word = 0; word < 40; ++word) {
        line += "word" + std::to_string(word) + " ";
    }
    AddNote("Long", line + "\r\nshort");
    Start();
    ASSERT_THAT(Notes(), SizeIs(1));
    QPlainTextEdit* box = TextBox(Notes()[0]);
    ASSERT_TRUE(box->isVisible());
    box->viewport()->repaint();
    const QTextBlock first = box->document()->firstBlock();
    ASSERT_NE(first.layout(), nullptr);
    // About 300 pixels of words in a box of some 230: several lines, none wider than the box.
    const int width = box->viewport()->width();
    EXPECT_GT(width, 200);
    EXPECT_GT(first.layout()->lineCount(), 3);
    for (int i = 0; i < first.layout()->lineCount(); ++i) {
        EXPECT_LE(first.layout()->lineAt(i).naturalTextWidth(), width) << "line " << i;
    }
    EXPECT_EQ(first.next().text(), QStringLiteral("short"));
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Count;
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(NoteWindowTest, OnlyTheNoteBeingWorkedInKeepsItsPixelsAndAnExposedNotePaintsWhole) {
    for (int n = 0; n < 30; ++n) {
        AddNote("n" + std::to_string(n), "note " + std::to_string(n));
    }
    Start();
    WaitForGrid();
    ASSERT_THAT(Notes(), SizeIs(30));
    for (QtUi::NoteWindow* note : Notes()) {
        ASSERT_TRUE(WaitUntil([&] { return note->testAttribute(Qt::WA_Mapped); }, 1000));
    }
    QCoreApplication::processEvents();
    int holding = 0;
    for (QtUi::NoteWindow* note : Notes()) {
        holding += HoldsPixels(note) ? 1 : 0;
    }
    EXPECT_LE(holding, 1) << "of 30 notes";

    // The display asks again for a note that holds nothing: the note is painted, not an empty
    // copy sent.
    QtUi::NoteWindow* note = Notes()[3];
    ASSERT_FALSE(HoldsPixels(note));
    PaintCounter text(TextBox(note)->viewport());
    QExposeEvent expose(QRegion(note->rect()));
    QCoreApplication::sendEvent(note->windowHandle(), &expose);
    EXPECT_GT(text.Count, 0);
    EXPECT_FALSE(HoldsPixels(note));

    // Typed into, a note keeps its copy; left, it lets it go.
    note->activateWindow();
    TextBox(note)->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return note->isActiveWindow(); }, 1000));
    QTest::keyClicks(TextBox(note), QStringLiteral("x"));
    EXPECT_TRUE(WaitUntil([&] { return HoldsPixels(note); }, 1000));
    FocusLauncher(note);
    EXPECT_TRUE(WaitUntil([&] { return !HoldsPixels(note); }, 1000));
    const std::u16string id = note->Form().noteID;
    EXPECT_EQ(NoteFile(id), "xnote " + TestSupport::Utf8(id).substr(1));
}

TEST_F(NoteWindowTest, TheWindowIsCutToItsControlsAndMovesByItsStrip) {
    Start();
    QTest::mouseClick(Control<QWidget>(window.get(), "lblNewNote"), Qt::LeftButton);
    ASSERT_THAT(Notes(), SizeIs(1));
    QtUi::NoteWindow* note = Notes()[0];
    EXPECT_EQ(note->size(), QSize(242, 240));

    // Strip and text box overlap in one row, which the exclusive-or takes out.
    const QRegion strip(0, 0, 225, 25);
    const QRegion text(5, 24, 233, 207);
    const QRegion cross(226, 3, 14, 14);
    const QRegion expected = strip.xored(text).united(cross);
    EXPECT_EQ(note->mask(), expected);
    EXPECT_FALSE(note->mask().contains(QPoint(100, 24)));
    EXPECT_TRUE(note->mask().contains(QPoint(237, 230)));
    EXPECT_FALSE(note->mask().contains(QPoint(238, 230)));

    const QPoint start = note->pos();
    auto* strip1 = Control<QWidget>(note, "Image1");
    Drag(strip1, QPoint(100, 10), {{13, 7}, {20, -30}}, Qt::LeftButton);
    EXPECT_EQ(note->pos(), start + QPoint(33, -23));
    Drag(strip1, QPoint(100, 10), {{13, 7}}, Qt::RightButton);
    Drag(strip1, QPoint(100, 10), {{13, 7}}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(note->pos(), start + QPoint(33, -23));
}

}  // namespace
