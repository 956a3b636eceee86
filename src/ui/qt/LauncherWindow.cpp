#include "ui/qt/LauncherWindow.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QWheelEvent>
#include <QWindow>

#include <optional>
#include <string>

#include "launcher/ExecutableIcon.h"
#include "launcher/Form1.h"
#include "launcher/Form1Layout.h"
#include "launcher/PictureFormat.h"
#include "launcher/PictureLimit.h"
#include "notes/NoteStartup.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/Picture.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"
#include "ui/qt/WindowSystem.h"

namespace QtUi {

namespace {

void Place(QWidget* control, const Launcher::Form1Layout::Place& place) {
    control->setGeometry(PixelsFromTwips(place.Left), PixelsFromTwips(place.Top),
                         PixelsFromTwips(place.Width), PixelsFromTwips(place.Height));
}

QColor ColourOf(const Launcher::Form1Layout::Colour& colour) {
    switch (colour.Kind) {
        case Launcher::Form1Layout::ColourKind::SystemWindow:
            return Artwork::WindowColour();
        case Launcher::Form1Layout::ColourKind::SystemActiveCaption:
            return Artwork::ActiveCaptionColour();
        case Launcher::Form1Layout::ColourKind::Rgb:
            break;
    }
    return {colour.Red, colour.Green, colour.Blue};
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

}  // namespace

LauncherWindow::LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                               Platform::Processes& processes, std::u16string programFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      dialogs_(dialogs),
      notes_(dialogs, programFolder) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ToQString(Launcher::Form1Layout::Caption));
    setAccessibleName(ToQString(Launcher::Form1Layout::Caption));
    setWindowIcon(Artwork::WindowIcon());
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Artwork::WindowColour());
    setPalette(colours);
    setAutoFillBackground(true);
    BuildControls();
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    // Keys come to the window itself until the keyboard puts the focus on a control.
    setFocus(Qt::OtherFocusReason);

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

    notes_.SetQuit([this] { Quit(); });
    // However the program ends, typed notes reach the drive first; when the session ends there
    // may be no one to answer a message, and none holds the end up.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { notes_.SaveAllForSessionEnd(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { notes_.SaveAllForSessionEnd(); });

    form_->Form_Load();
}

LauncherWindow::~LauncherWindow() {
    Timer1_.stop();
    // The behaviour class goes first; the scroll bar must not reach it while the widgets go.
    VScroll1_->disconnect(this);
    for (QObject* child : children()) {
        child->removeEventFilter(this);
    }
    form_.reset();
}

void LauncherWindow::BuildControls() {
    namespace Layout = Launcher::Form1Layout;
    using Layout::Control;
    const QCursor hand = Artwork::HandPointer();
    const auto pointer = [&hand](QWidget* control, Control kind) {
        if (Layout::HasHandPointer(kind)) {
            control->setCursor(hand);
        }
    };
    // Created from the bottom of the stacking order up: each lies above those made before it.
    for (const Control kind : Layout::StackingBottomUp) {
        switch (kind) {
            case Control::Image2:
                Image2_ = new Picture(this);
                Image2_->setObjectName(QStringLiteral("Image2"));
                Place(Image2_, Layout::Image2Place);
                Image2_->setPixmap(Artwork::Background());
                break;
            case Control::Label2:
                Label2_ = MakeLabel(QStringLiteral("Label2"), Layout::Label2Place,
                                    Layout::Label2Caption, Layout::Label2Text, std::nullopt);
                break;
            case Control::Label1:
                Label1_ = MakeLabel(QStringLiteral("Label1"), Layout::Label1Place,
                                    Layout::Label1Caption, Layout::Label1Text, std::nullopt);
                break;
            case Control::imgApp:
                for (int slot = Launcher::SlotCount; slot >= 1; --slot) {
                    auto* picture = new Picture(this);
                    picture->setObjectName(QStringLiteral("imgApp%1").arg(slot));
                    Place(picture, Layout::SlotPlace(slot));
                    pointer(picture, kind);
                    imgApp_[static_cast<std::size_t>(slot - 1)] = picture;
                }
                break;
            case Control::imgAdd:
                imgAdd_ = new Picture(this);
                imgAdd_->setObjectName(QStringLiteral("imgAdd"));
                Place(imgAdd_, Layout::imgAddPlace);
                imgAdd_->setPixmap(Artwork::AddGlyph());
                imgAdd_->setScaledContents(true);
                imgAdd_->setToolTip(ToQString(Layout::imgAddToolTip));
                imgAdd_->setAccessibleName(ToQString(Layout::imgAddToolTip));
                pointer(imgAdd_, kind);
                break;
            case Control::Image1:
                Image1_ = new Picture(this);
                Image1_->setObjectName(QStringLiteral("Image1"));
                Place(Image1_, Layout::Image1Place);
                Image1_->setPixmap(Artwork::CloseButton());
                Image1_->setAccessibleName(ToQString(Layout::Image1AccessibleName));
                pointer(Image1_, kind);
                break;
            case Control::lblLoading:
                lblLoading_ = MakeLabel(QStringLiteral("lblLoading"), Layout::lblLoadingPlace,
                                        Layout::lblLoadingCaption, Layout::lblLoadingText,
                                        Layout::lblLoadingBack);
                lblLoading_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                break;
            case Control::lblNewNote: {
                lblNewNote_ = new Picture(this);
                lblNewNote_->setObjectName(QStringLiteral("lblNewNote"));
                lblNewNote_->setText(ToQString(Layout::lblNewNoteCaption));
                Place(lblNewNote_, Layout::lblNewNotePlace);
                QFont underlined = Artwork::LabelFont();
                underlined.setUnderline(true);
                lblNewNote_->setFont(underlined);
                Colour(lblNewNote_, ColourOf(Layout::lblNewNoteText),
                       ColourOf(Layout::lblNewNoteBack));
                lblNewNote_->setAccessibleName(ToQString(Layout::lblNewNoteAccessibleName));
                pointer(lblNewNote_, kind);
                break;
            }
            case Control::VScroll1:
                VScroll1_ = new QScrollBar(Qt::Vertical, this);
                VScroll1_->setObjectName(QStringLiteral("VScroll1"));
                Place(VScroll1_, Layout::VScroll1Place);
                // One page per step, and a change only when a thumb drag ends, as the page
                // change expects of the scroll bar.
                VScroll1_->setSingleStep(1);
                VScroll1_->setPageStep(1);
                VScroll1_->setTracking(false);
                VScroll1_->setAccessibleName(ToQString(Layout::VScroll1AccessibleName));
                break;
            case Control::HScroll1:
                HScroll1_ = new QScrollBar(Qt::Horizontal, this);
                HScroll1_->setObjectName(QStringLiteral("HScroll1"));
                Place(HScroll1_, Layout::HScroll1Place);
                break;
        }
    }
}

QLabel* LauncherWindow::MakeLabel(const QString& name, const Launcher::Form1Layout::Place& place,
                                  std::u16string_view caption,
                                  const Launcher::Form1Layout::Colour& text,
                                  std::optional<Launcher::Form1Layout::Colour> background) {
    auto* label = new QLabel(ToQString(caption), this);
    label->setObjectName(name);
    Place(label, place);
    label->setFont(Artwork::LabelFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Colour(label, ColourOf(text),
           background ? std::optional<QColor>(ColourOf(*background)) : std::nullopt);
    return label;
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
    // The controls the keyboard can reach are focusable for screen readers, but only Form1
    // moves the focus: never Qt's Tab, never a click.
    for (Picture* control : imgApp_) {
        control->setFocusPolicy(Qt::TabFocus);
        control->installEventFilter(this);
    }
    for (Picture* control : {lblNewNote_, imgAdd_, Image1_}) {
        control->setFocusPolicy(Qt::TabFocus);
        control->installEventFilter(this);
    }
    // The wheel over the grid reaches the slots or, between them, the background.
    Image2_->installEventFilter(this);
    VScroll1_->installEventFilter(this);
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

namespace {

// A picture no larger than MaxPictureSide, decoded by Qt from its content; null otherwise.
QPixmap DecodePicture(const std::optional<std::string>& bytes) {
    if (!bytes) {
        return {};
    }
    QByteArray content =
        QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Told the format, Qt loads only the reader for it rather than every one it carries.
    const std::string_view format = Launcher::PictureFormatOf(*bytes);
    if (!format.empty()) {
        reader.setFormat(QByteArray(format.data(), static_cast<qsizetype>(format.size())));
        reader.setAutoDetectImageFormat(false);
    }
    // Sized from the header before a pixel is decoded.
    const QSize size = reader.size();
    if (!Launcher::PictureFits(*bytes, size.width(), size.height())) {
        return {};
    }
    return QPixmap::fromImage(reader.read());
}

}  // namespace

bool LauncherWindow::LoadSlotPicture(int slot, const std::u16string& file) {
    // Read through the platform layer, which opens every name a folder listing gave, including
    // names that are not valid UTF-8 and that a QString could not carry.
    const QPixmap picture = DecodePicture(Platform::ReadWholeFile(file));
    if (picture.isNull()) {
        Slot(slot)->clear();
        return false;
    }
    Slot(slot)->setPixmap(picture);
    return true;
}

bool LauncherWindow::LoadSlotProgramIcon(int slot, const std::u16string& program) {
    // The entry nearest the size, shrunk to it when the program has only larger ones.
    const int side = Launcher::Form1Layout::ProgramIconPixels;
    QPixmap picture = DecodePicture(Launcher::ExecutableIconOfFile(program, side));
    if (picture.isNull()) {
        return false;
    }
    if (picture.width() > side || picture.height() > side) {
        picture = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
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

void LauncherWindow::SetScrollValue(std::int16_t value) {
    VScroll1_->setValue(value);  // valueChanged raises VScroll1_Change at once
}

void LauncherWindow::ShowFocusMark(Launcher::FocusItem item, int slot) {
    Picture* marked = nullptr;
    switch (item) {
        case Launcher::FocusItem::Slot:
            marked = Slot(slot);
            break;
        case Launcher::FocusItem::lblNewNote:
            marked = lblNewNote_;
            break;
        case Launcher::FocusItem::imgAdd:
            marked = imgAdd_;
            break;
        case Launcher::FocusItem::Image1:
            marked = Image1_;
            break;
        case Launcher::FocusItem::None:
            break;
    }
    if (focusMarked_ != nullptr && focusMarked_ != marked) {
        focusMarked_->SetFocusMark(false);
    }
    focusMarked_ = marked;
    if (marked != nullptr) {
        marked->SetFocusMark(true);
        // The real focus, so that screen readers announce the control by its name.
        marked->setFocus(Qt::TabFocusReason);
    }
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
    notes_.RequestEnd();
}

void LauncherWindow::EndForSession() {
    notes_.EndForSession();
}

void LauncherWindow::Quit() {
    Timer1_.stop();
    hide();
    emit ProgramEnded();
    QCoreApplication::quit();
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window manager or the session: the same end as the close button.
    if (notes_.RequestEnd()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void LauncherWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && Live()) {
        if (isActiveWindow()) {
            form_->Form_Activate();
        } else {
            form_->Form_Deactivate();
        }
    }
}

bool LauncherWindow::ForwardKey(QKeyEvent* event) {
    if (!Live()) {
        return false;
    }
    if (const int code = KeyCode(event->key());
        code != 0 && form_->Form_KeyDown(code, ShiftCode(event->modifiers()))) {
        return true;
    }
    bool used = false;
    // The key may have ended the program; then nothing more reaches Form1.
    for (const QChar c : event->text()) {
        if (notes_.Ending()) {
            break;
        }
        used = form_->Form_KeyPress(c.unicode()) || used;
    }
    return used;
}

bool LauncherWindow::ForwardWheel(QWheelEvent* event, QPointF inWindow) {
    return Live() && form_->Form_MouseWheel(event->angleDelta().y(), TwipsFromPixels(inWindow.x()),
                                            TwipsFromPixels(inWindow.y()));
}

void LauncherWindow::keyPressEvent(QKeyEvent* event) {
    if (ForwardKey(event)) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool LauncherWindow::focusNextPrevChild(bool next) {
    if (Live()) {
        form_->Form_KeyDown(Support::KeyTab, next ? 0 : Support::ShiftKey);
    }
    return true;
}

void LauncherWindow::wheelEvent(QWheelEvent* event) {
    if (ForwardWheel(event, event->position())) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Taken here whether used or not, or an unused key would come back to the window. Only
        // the controls that take the focus send keys.
        ForwardKey(static_cast<QKeyEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const bool used =
            ForwardWheel(wheel, static_cast<QWidget*>(watched)->mapTo(this, wheel->position()));
        // Over the scroll bar one notch is one page, never the bar's own steps.
        return used || watched == VScroll1_;
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (form_) {
        form_->Form_Resize();
    }
}

}  // namespace QtUi
