#include "ui/qt/NoteWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRegion>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include "notes/TextBoxLines.h"
#include "notes/frmNote.h"
#include "shaping/Region.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/DisplayHeldPixels.h"
#include "ui/qt/Picture.h"
#include "ui/qt/Twips.h"
#include "ui/qt/WindowSystem.h"

namespace QtUi {

namespace {

QRect PixelRect(const Notes::NoteControlTwips& twips) {
    return {PixelsFromTwips(twips.Left), PixelsFromTwips(twips.Top), PixelsFromTwips(twips.Width),
            PixelsFromTwips(twips.Height)};
}

}  // namespace

QString TextBoxFromNoteText(const std::u16string& text) {
    QString box;
    box.reserve(static_cast<qsizetype>(text.size()));
    bool first = true;
    Notes::ForEachLine(text, [&](std::u16string_view line) {
        if (!first) {
            box += QLatin1Char('\n');
        }
        first = false;
        box.append(QStringView(line.data(), static_cast<qsizetype>(line.size())));
    });
    return box;
}

std::u16string NoteTextFromTextBox(const QTextDocument& document) {
    // Line by line: the whole text as one string on the way would hold a large note twice more.
    std::u16string note;
    note.reserve(static_cast<std::size_t>(document.characterCount()) +
                 static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            note += Notes::NoteLineEnd;
        }
        // The raw text keeps no-break spaces and line separators as typed.
        const QString line = block.text();
        Notes::AppendBoxLine(note,
                             std::u16string_view(reinterpret_cast<const char16_t*>(line.utf16()),
                                                 static_cast<std::size_t>(line.size())));
    }
    return note;
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
    pixels_ = new DisplayHeldPixels(*this);

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
    // The box and its viewport (whose size reaches the box too) take their width now, while
    // the document is all but empty. A hidden widget gets its size only when it is first
    // shown, and a width that arrives after a note's text makes the layout give every line of
    // the text a layout object of its own: about 280 bytes a line.
    for (QWidget* sized : {static_cast<QWidget*>(txtNote_), txtNote_->viewport()}) {
        QResizeEvent event(sized->size(), QSize());
        QCoreApplication::sendEvent(sized, &event);
        sized->setAttribute(Qt::WA_PendingResizeEvent, false);
    }

    saveTimer_ = new QTimer(this);
    saveTimer_->setSingleShot(true);

    form_ = std::make_unique<Notes::frmNote>(*this, dialogs, std::move(programFolder));
    SetNoteText(std::u16string(Notes::InitialNoteText));

    connect(txtNote_, &QPlainTextEdit::textChanged, this, [this] {
        if (!closed_ && !settingText_) {
            form_->txtNote_Change();
        }
    });
    connect(saveTimer_, &QTimer::timeout, this, [this] {
        if (!closed_) {
            form_->SaveTimer_Timer();
        }
    });

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
    return NoteTextFromTextBox(*txtNote_->document());
}

void NoteWindow::SetNoteText(std::u16string text) {
    const QString box = TextBoxFromNoteText(text);
    // Gone before the document is built from the box's copy.
    std::u16string().swap(text);
    settingText_ = true;
    txtNote_->setPlainText(box);
    settingText_ = false;
    givenRevision_ = txtNote_->document()->revision();
}

bool NoteWindow::TextEdited() const {
    // The revision, unlike the modified flag, never goes back: an edit undone after a save
    // still differs from what was saved.
    return txtNote_->document()->revision() != givenRevision_;
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

void NoteWindow::StartSaveTimer(int milliseconds) {
    saveTimer_->start(milliseconds);
}

void NoteWindow::StopSaveTimer() {
    saveTimer_->stop();
}

void NoteWindow::ShowWindow() {
    // A window mapped for the first time is on top already; asking again costs a round trip
    // to the display for every note at start-up.
    const bool wasVisible = isVisible();
    show();
    if (wasVisible) {
        raise();
    }
    pixels_->WindowShown();
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
    if (closed_ || form_->Form_QueryUnload()) {
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
