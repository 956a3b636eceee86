// What only the Qt note windows show: rows of a wrapped line no wider than the box, and which
// notes keep their painted pixels.

#include <QBackingStore>
#include <QExposeEvent>
#include <QPlainTextEdit>
#include <QRegion>
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

TEST_F(NoteWindowTest, NoRowOfAWrappedLineIsWiderThanTheBox) {
    std::string line;
    for (int word = 0; word < 40; ++word) {
        line += "word" + std::to_string(word) + " ";
    }
    AddNote("Long", line);
    Start();
    ASSERT_THAT(Notes(), SizeIs(1));
    QPlainTextEdit* box = TextBox(Notes()[0]);
    box->viewport()->repaint();
    const QTextLayout* layout = box->document()->firstBlock().layout();
    ASSERT_NE(layout, nullptr);
    const int width = box->viewport()->width();
    EXPECT_GT(width, 200);
    ASSERT_GT(layout->lineCount(), 1);
    for (int i = 0; i < layout->lineCount(); ++i) {
        EXPECT_LE(layout->lineAt(i).naturalTextWidth(), width) << "row " << i;
    }
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

}  // namespace
