#include "ui/qt/NoteWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRegion>
#include <QTextBlock>
#include <QWindow>

#include "notes/frmNote.h"
#include "shaping/Region.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/Picture.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"
#include "ui/qt/WindowSystem.h"

namespace QtUi {

namespace {

QRect PixelRect(const Notes::NoteControlTwips& twips) {
    return {PixelsFromTwips(twips.Left), PixelsFromTwips(twips.Top), PixelsFromTwips(twips.Width),
            PixelsFromTwips(twips.Height)};
}

// The text box's content with one '\n' between paragraphs and everything else as typed,
// no-break spaces and line separators included (toPlainText would change them).
QString RawText(const QPlainTextEdit& box) {
    QString text;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        if (block != box.document()->begin()) {
            text += QLatin1Char('\n');
        }
        text += block.text();
    }
    return text;
}

}  // namespace

QString TextBoxFromNoteText(const std::u16string& text) {
    QString box = ToQString(text);
    box.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return box;
}

std::u16string NoteTextFromTextBox(const QString& text) {
    QString note = text;
    // Shift+Enter puts a line separator into the box; in the file it is a line end like any.
    note.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    note.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    note.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQString(note);
}

NoteWindow::NoteWindow(Platform::Dialogs& dialogs, std::u16string programFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("KIVOLA note"));
    setWindowIcon(Artwork::WindowIcon());
    setAccessibleName(QStringLiteral("KIVOLA note"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Artwork::InfoBackground());
    colours.setColor(QPalette::WindowText, Artwork::InfoText());
    colours.setColor(QPalette::Base, Artwork::InfoBackground());
    colours.setColor(QPalette::Text, Artwork::InfoText());
    setPalette(colours);
    setAutoFillBackground(true);

    // Picture controls lie under the text box wherever they meet: created first.
    Image1_ = new Picture(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry(PixelRect(Notes::Image1Twips));
    Image1_->setAccessibleName(QStringLiteral("Move this note"));

    Image2_ = new Picture(this);
    Image2_->setObjectName(QStringLiteral("Image2"));
    Image2_->setGeometry(PixelRect(Notes::Image2Twips));
    Image2_->setPixmap(Artwork::NoteCross());
    Image2_->setAccessibleName(QStringLiteral("Delete this note"));

    txtNote_ = new QPlainTextEdit(this);
    txtNote_->setObjectName(QStringLiteral("txtNote"));
    txtNote_->setGeometry(PixelRect(Notes::txtNoteTwips));
    txtNote_->setFrameShape(QFrame::NoFrame);
    txtNote_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtNote_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtNote_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtNote_->setFont(Artwork::NoteFont());
    txtNote_->setPalette(colours);
    txtNote_->document()->setDocumentMargin(2);
    txtNote_->setAccessibleName(QStringLiteral("Note text"));
    txtNote_->installEventFilter(this);

    form_ = std::make_unique<Notes::frmNote>(*this, dialogs, std::move(programFolder));
    SetNoteText(std::u16string(Notes::InitialNoteText));

    connect(Image1_, &Picture::MouseDown, this, [this](int button, int shift, QPointF at) {
        if (closed_) {
            return;
        }
        systemMove_ = false;
        // A compositor lets no window place itself; it moves the window for us instead.
        if (button == 1 && CompositorPlacesWindows() && windowHandle() != nullptr) {
            systemMove_ = windowHandle()->startSystemMove();
        }
        form_->Image1_MouseDown(button, shift, TwipsFromPixels(at.x()), TwipsFromPixels(at.y()));
    });
    connect(Image1_, &Picture::MouseMove, this, [this](int button, int shift, QPointF at) {
        if (closed_ || systemMove_) {
            return;
        }
        form_->Image1_MouseMove(button, shift, TwipsFromPixels(at.x()), TwipsFromPixels(at.y()));
    });
    connect(Image2_, &Picture::Clicked, this, [this] {
        if (!closed_) {
            form_->Image2_Click();
        }
    });
}

NoteWindow::~NoteWindow() {
    // Nothing that happens while the widgets go may reach the behaviour class.
    closed_ = true;
    txtNote_->removeEventFilter(this);
}

void NoteWindow::CloseForProgramEnd() {
    closed_ = true;
    hide();
}

std::u16string NoteWindow::NoteText() const {
    const QString shown = RawText(*txtNote_);
    if (shown == shownText_) {
        return givenText_;
    }
    return NoteTextFromTextBox(shown);
}

void NoteWindow::SetNoteText(const std::u16string& text) {
    txtNote_->setPlainText(TextBoxFromNoteText(text));
    givenText_ = text;
    shownText_ = RawText(*txtNote_);
}

double NoteWindow::WindowLeft() const {
    return TwipsFromPixels(pos().x());
}
double NoteWindow::WindowTop() const {
    return TwipsFromPixels(pos().y());
}

void NoteWindow::SetWindowLeft(double twips) {
    move(PixelsFromTwips(twips), pos().y());
}
void NoteWindow::SetWindowTop(double twips) {
    move(pos().x(), PixelsFromTwips(twips));
}

void NoteWindow::SetBorderStyleNone() {
    // The window is made without border or title bar; there is nothing left to take away.
}

double NoteWindow::PixelsPerTwip() const {
    return 1.0 / TwipsPerPixel;
}

void NoteWindow::MaskRegions::SetWindowRgn(Transparent::RegionHandle region, bool redraw) {
    RegionBuilder::SetWindowRgn(region, redraw);
    QRegion mask;
    for (const Shaping::PixelRect& rect : WindowRegion().Rectangles()) {
        mask += QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    }
    window_.setMask(mask);
}

void NoteWindow::LeaveTextBox() {
    setFocus(Qt::OtherFocusReason);
}

void NoteWindow::ShowWindow() {
    show();
    raise();
}

void NoteWindow::CloseWindow() {
    MarkClosed();
    hide();
}

void NoteWindow::MarkClosed() {
    if (!closed_) {
        closed_ = true;
        emit Closed(this);
    }
}

void NoteWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !closed_ && !isActiveWindow()) {
        form_->Form_LostFocus();
    }
}

void NoteWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window manager (or the desktop session): the note's text goes to its file
    // first, and a note whose text could not be written stays open with it.
    if (closed_ || form_->SaveNote()) {
        MarkClosed();
        event->accept();
    } else {
        event->ignore();
    }
}

bool NoteWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNote_ && event->type() == QEvent::FocusOut && !closed_) {
        form_->txtNote_LostFocus();
    }
    if (watched == txtNote_ && event->type() == QEvent::KeyPress && !closed_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (form_->txtNote_KeyDown(KeyCode(key->key()), ShiftCode(key->modifiers()))) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace QtUi
