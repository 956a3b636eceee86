#include "ui/qt/LauncherWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QWindow>

#include <optional>

#include "launcher/Form1.h"
#include "notes/NoteStartup.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/Picture.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"
#include "ui/qt/WindowSystem.h"

namespace QtUi {

namespace {

void Place(QWidget* control, double left, double top, double width, double height) {
    control->setGeometry(PixelsFromTwips(left), PixelsFromTwips(top), PixelsFromTwips(width),
                         PixelsFromTwips(height));
}

void Colour(QWidget* control, QColor text, std::optional<QColor> background) {
    QPalette colours = control->palette();
    colours.setColor(QPalette::WindowText, text);
    if (background) {
        colours.setColor(QPalette::Window, *background);
    }
    control->setPalette(colours);
    control->setAutoFillBackground(background.has_value());
}

constexpr double SlotSize = 855;
constexpr double SlotPitch = 960;
constexpr double GridLeft = 480;
constexpr double GridTop = 960;

}  // namespace

LauncherWindow::LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                               Platform::Processes& processes, std::u16string programFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      dialogs_(dialogs),
      notes_(dialogs, programFolder) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KIVOLA"));
    setAccessibleName(QStringLiteral("KIVOLA"));
    setWindowIcon(Artwork::WindowIcon());
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Artwork::WindowColour());
    setPalette(colours);
    setAutoFillBackground(true);
    BuildControls();
    Timer1_.setObjectName(QStringLiteral("Timer1"));

    Launcher::NotesHooks hooks;
    hooks.LoadNotes = [this, folder = programFolder] { Notes::LoadNotes(notes_, folder); };
    hooks.NewNote = [this] { Notes::NewNote(notes_); };
    form_ = std::make_unique<Launcher::Form1>(*this, dialogs, drives, processes,
                                              std::move(programFolder), std::move(hooks));
    ConnectEvents();

    // A compositor places windows itself; elsewhere the window opens centred on the screen.
    if (!CompositorPlacesWindows()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - ClientWidth) / 2,
                 area.y() + (area.height() - ClientHeight) / 2);
        }
    }

    // However the program ends, typed notes reach the drive first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { notes_.SaveAll(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { notes_.SaveAll(); });

    form_->Form_Load();
}

LauncherWindow::~LauncherWindow() {
    Timer1_.stop();
    // The behaviour class goes first; the scroll bar must not reach it while the widgets go.
    VScroll1_->disconnect(this);
    form_.reset();
}

void LauncherWindow::BuildControls() {
    // Created from the bottom of the stacking order up: each lies above those made before it.
    const QCursor hand = Artwork::HandPointer();

    Image2_ = new Picture(this);
    Image2_->setObjectName(QStringLiteral("Image2"));
    Place(Image2_, -360, 0, 5250, 6600);
    Image2_->setPixmap(Artwork::Background());

    Label2_ = new QLabel(QStringLiteral("KIVOLA portable"), this);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Place(Label2_, 3240, 6240, 1575, 255);
    Label2_->setFont(Artwork::LabelFont());
    Label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Colour(Label2_, QColor(192, 192, 192), std::nullopt);

    Label1_ = new QLabel(QStringLiteral("Using XX MB of 1001 MB (22%)"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Place(Label1_, 240, 6240, 2895, 255);
    Label1_->setFont(Artwork::LabelFont());
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Colour(Label1_, Qt::white, std::nullopt);

    for (int slot = Launcher::SlotCount; slot >= 1; --slot) {
        auto* picture = new Picture(this);
        picture->setObjectName(QStringLiteral("imgApp%1").arg(slot));
        const int column = (slot - 1) % 4;
        const int row = (slot - 1) / 4;
        Place(picture, GridLeft + SlotPitch * column, GridTop + SlotPitch * row, SlotSize,
              SlotSize);
        picture->setCursor(hand);
        imgApp_[static_cast<std::size_t>(slot - 1)] = picture;
    }

    imgAdd_ = new Picture(this);
    imgAdd_->setObjectName(QStringLiteral("imgAdd"));
    Place(imgAdd_, 4405, 5850, 200, 200);
    imgAdd_->setPixmap(Artwork::AddGlyph());
    imgAdd_->setScaledContents(true);
    imgAdd_->setToolTip(QStringLiteral("Add a new application"));
    imgAdd_->setAccessibleName(QStringLiteral("Add a new application"));
    imgAdd_->setCursor(hand);

    Image1_ = new Picture(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Place(Image1_, 4490, 100, 270, 315);
    Image1_->setPixmap(Artwork::CloseButton());
    Image1_->setAccessibleName(QStringLiteral("Close KIVOLA"));
    Image1_->setCursor(hand);

    lblLoading_ = new QLabel(QStringLiteral("Please wait, loading..."), this);
    lblLoading_->setObjectName(QStringLiteral("lblLoading"));
    Place(lblLoading_, 1440, 2760, 1935, 255);
    lblLoading_->setFont(Artwork::LabelFont());
    lblLoading_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Colour(lblLoading_, Qt::black, QColor(Qt::white));

    lblNewNote_ = new Picture(this);
    lblNewNote_->setObjectName(QStringLiteral("lblNewNote"));
    lblNewNote_->setText(QStringLiteral("+ New KIVOLA"));
    Place(lblNewNote_, 480, 5805, 1335, 255);
    QFont underlined = Artwork::LabelFont();
    underlined.setUnderline(true);
    lblNewNote_->setFont(underlined);
    Colour(lblNewNote_, Artwork::ActiveCaptionColour(), Artwork::WindowColour());
    lblNewNote_->setAccessibleName(QStringLiteral("Open a new note"));
    lblNewNote_->setCursor(hand);

    VScroll1_ = new QScrollBar(Qt::Vertical, this);
    VScroll1_->setObjectName(QStringLiteral("VScroll1"));
    Place(VScroll1_, 4400, 960, 225, 4695);
    // One page per step, and a change only when a thumb drag ends, as the page change
    // expects of the scroll bar.
    VScroll1_->setSingleStep(1);
    VScroll1_->setPageStep(1);
    VScroll1_->setTracking(false);
    VScroll1_->setAccessibleName(QStringLiteral("Page of applications"));

    HScroll1_ = new QScrollBar(Qt::Horizontal, this);
    HScroll1_->setObjectName(QStringLiteral("HScroll1"));
    Place(HScroll1_, 3600, 240, 615, 255);
}

void LauncherWindow::ConnectEvents() {
    connect(&Timer1_, &QTimer::timeout, this, [this] {
        form_->Timer1_Timer();
        emit Timer1Ticked();
    });
    connect(VScroll1_, &QScrollBar::valueChanged, this, [this] { form_->VScroll1_Change(); });
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        connect(Slot(slot), &Picture::Clicked, this, [this, slot] { form_->imgApp_Click(slot); });
    }
    connect(Image1_, &Picture::Clicked, this, [this] { form_->Image1_Click(); });
    connect(imgAdd_, &Picture::Clicked, this, [this] { form_->imgAdd_Click(); });
    connect(lblNewNote_, &Picture::Clicked, this, [this] { form_->lblNewNote_Click(); });
    connect(Image2_, &Picture::MouseDown, this, [this](int button, int shift, QPointF at) {
        systemMove_ = false;
        // A compositor lets no window place itself; it moves the window for us instead.
        if (button == 1 && CompositorPlacesWindows() && windowHandle() != nullptr) {
            systemMove_ = windowHandle()->startSystemMove();
        }
        form_->Image2_MouseDown(button, shift, TwipsFromPixels(at.x()), TwipsFromPixels(at.y()));
    });
    connect(Image2_, &Picture::MouseMove, this, [this](int button, int shift, QPointF at) {
        if (!systemMove_) {
            form_->Image2_MouseMove(button, shift, TwipsFromPixels(at.x()),
                                    TwipsFromPixels(at.y()));
        }
    });
}

Picture* LauncherWindow::Slot(int slot) const {
    return imgApp_.at(static_cast<std::size_t>(slot - 1));
}

bool LauncherWindow::LoadSlotPicture(int slot, const std::u16string& file) {
    // Read through the platform layer, which opens every name a folder listing gave, including
    // names that are not valid UTF-8 and that a QString could not carry.
    const auto bytes = Platform::ReadWholeFile(file);
    QPixmap picture;
    if (!bytes || !picture.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                        static_cast<uint>(bytes->size()))) {
        Slot(slot)->clear();
        return false;
    }
    Slot(slot)->setPixmap(picture);
    return true;
}

void LauncherWindow::ShowDefaultSlotPicture(int slot) {
    Slot(slot)->setPixmap(Artwork::DefaultIcon());
}

void LauncherWindow::ClearSlotPicture(int slot) {
    Slot(slot)->clear();
}

void LauncherWindow::SetSlotToolTip(int slot, const std::u16string& text) {
    Slot(slot)->setToolTip(ToQString(text));
    Slot(slot)->setAccessibleName(ToQString(text));
}

void LauncherWindow::SetLoadingVisible(bool visible) {
    lblLoading_->setVisible(visible);
    // The scan that follows keeps the event loop waiting: paint now, or nobody sees it. The
    // window's repaint shows the emptied grid; the caption is painted on its own as well,
    // since a window repaint right after a child was shown does not always reach that child.
    if (visible && isVisible()) {
        repaint();
        lblLoading_->repaint();
    }
}

void LauncherWindow::SetScrollRange(std::int16_t minimum, std::int16_t maximum) {
    VScroll1_->setRange(minimum, maximum);
}

void LauncherWindow::SetScrollTabStop(bool tabStop) {
    VScroll1_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

std::int16_t LauncherWindow::ScrollValue() const {
    return static_cast<std::int16_t>(VScroll1_->value());
}

void LauncherWindow::SetScrollEnabled(bool enabled) {
    VScroll1_->setEnabled(enabled);
}

void LauncherWindow::CollapseHScroll1() {
    HScroll1_->resize(0, 0);
}

void LauncherWindow::SetDriveCaption(const std::u16string& caption) {
    Label1_->setText(ToQString(caption));
}

double LauncherWindow::WindowLeft() const {
    return TwipsFromPixels(pos().x());
}
double LauncherWindow::WindowTop() const {
    return TwipsFromPixels(pos().y());
}
void LauncherWindow::SetWindowLeft(double twips) {
    move(PixelsFromTwips(twips), pos().y());
}
void LauncherWindow::SetWindowTop(double twips) {
    move(pos().x(), PixelsFromTwips(twips));
}

void LauncherWindow::SetTimerInterval(int milliseconds) {
    Timer1_.start(milliseconds);
}
void LauncherWindow::DisableTimer() {
    Timer1_.stop();
}

void LauncherWindow::EndProgram() {
    if (!ending_ && NotesAllowEnd()) {
        EndNow();
    }
}

bool LauncherWindow::NotesAllowEnd() {
    if (notes_.SaveAll()) {
        return true;
    }
    // The note has said why its text could not be written; ending now would lose that text.
    Platform::MessageBoxRequest question;
    question.Prompt =
        u"A note could not be saved, and its text is still in its window.\r\n\r\n"
        u"Close KIVOLA all the same? The text that was not saved will be lost.";
    question.Title = u"Kivola";
    question.Buttons = Platform::MessageButtons::YesNo;
    question.Icon = Platform::MessageIcon::Exclamation;
    question.DefaultButton = Platform::MessageResult::No;
    return dialogs_.ShowMessage(question) == Platform::MessageResult::Yes;
}

void LauncherWindow::EndNow() {
    ending_ = true;
    Timer1_.stop();
    notes_.CloseAll();
    hide();
    emit ProgramEnded();
    QCoreApplication::quit();
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window manager or the session: the same end as the close button.
    if (ending_) {
        event->accept();
        return;
    }
    if (NotesAllowEnd()) {
        EndNow();
        event->accept();
    } else {
        event->ignore();
    }
}

void LauncherWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (form_) {
        form_->Form_Resize();
    }
}

}  // namespace QtUi
