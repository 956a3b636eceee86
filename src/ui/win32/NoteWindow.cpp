#include "ui/win32/NoteWindow.h"

#include <commctrl.h>

#include <utility>

#include "notes/TextBoxLines.h"
#include "notes/frmNote.h"
#include "platform/win32/WideText.h"
#include "shaping/Transparent.h"
#include "ui/win32/Artwork.h"
#include "ui/win32/Bitmap.h"
#include "ui/win32/PictureControl.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/WindowClasses.h"
#include "ui/win32/WindowPlace.h"

namespace Win32Ui {

namespace {

using Platform::Win32::FromWide;
using Platform::Win32::Wide;

constexpr wchar_t ClassName[] = L"KIVOLA.Note";
constexpr int TextBoxId = 1;
constexpr int StripId = 2;
constexpr int CrossId = 3;
// The text box's inner margin, in pixels at 96 dpi.
constexpr int TextMargin = 2;
constexpr std::u16string_view NoteFontFace = u"Verdana";
constexpr double NoteFontPoints = 9.75;

RECT RectOf(const Scale& scale, const Notes::NoteControlTwips& twips) {
    return scale.Rect(twips.Left, twips.Top, twips.Width, twips.Height);
}

void Reposition(HWND control, const RECT& place) {
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string TextOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return FromWide(text);
}

}  // namespace

NoteWindow::NoteWindow(Platform::Dialogs& dialogs, std::u16string programFolder, POINT place,
                       std::function<void(NoteWindow&)> closed)
    : dialogs_(dialogs), closedCallback_(std::move(closed)), scale_(DpiAtPoint(place)) {
    const wchar_t* className = RegisterWindowClass(
        ClassName, ObjectProcedure<NoteWindow, &NoteWindow::window_, &NoteWindow::Handle>,
        // NOLINTNEXTLINE(performance-no-int-to-ptr): a system colour index + 1 as the brush
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1)));
    window_ = CreateWindowExW(WS_EX_APPWINDOW, className, L"KIVOLA note",
                              WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, place.x, place.y,
                              scale_.Pixels(ClientWidthTwips), scale_.Pixels(ClientHeightTwips),
                              nullptr, nullptr, ProgramInstance(), this);
    regions_.SetWindow(window_);
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(Artwork::WindowIcon(16)));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Artwork::WindowIcon(32)));

    const RECT text = RectOf(scale_, Notes::txtNoteTwips);
    txtNote_ = CreateWindowExW(0, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE |
                                   ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                               text.left, text.top, text.right - text.left, text.bottom - text.top,
                               window_, ChildId(TextBoxId), ProgramInstance(), nullptr);
    Image2_ = CreatePictureControl(window_, CrossId, u"Delete this note",
                                   RectOf(scale_, Notes::Image2Twips), *this);
    Image1_ = CreatePictureControl(window_, StripId, u"Move this note",
                                   RectOf(scale_, Notes::Image1Twips), *this);
    // The pictures lie under the text box wherever they meet.
    StackTopDown({txtNote_, Image2_, Image1_});
    Subclass(txtNote_, TextBoxProcedure, reinterpret_cast<DWORD_PTR>(this));
    // Typed text is otherwise cut off at 30,000 characters.
    SendMessageW(txtNote_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(txtNote_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(SharedFont(NoteFontFace, NoteFontPoints, scale_.Dpi())),
                 FALSE);
    const int margin = scale_.FromStandard(TextMargin);
    SendMessageW(txtNote_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(margin, margin));

    form_ = std::make_unique<Notes::frmNote>(*this, dialogs, std::move(programFolder));
    SetNoteText(std::u16string(Notes::InitialNoteText));
}

NoteWindow::~NoteWindow() {
    // Nothing that happens while the window goes may reach the behaviour class.
    closed_ = true;
    Destroy();
}

void NoteWindow::Destroy() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void NoteWindow::CloseForProgramEnd() {
    closed_ = true;
    Destroy();
}

void NoteWindow::MarkClosed() {
    if (!closed_) {
        closed_ = true;
        if (closedCallback_) {
            closedCallback_(*this);
        }
    }
}

// Notes::NoteView ---------------------------------------------------------------------------

std::u16string NoteWindow::NoteText() const {
    return TextOf(txtNote_);
}

void NoteWindow::SetNoteText(std::u16string text) {
    // The edit control knows no line end but CR LF.
    SetWindowTextW(txtNote_, Wide(Notes::WithLineEnds(text, Notes::NoteLineEnd)).c_str());
    SendMessageW(txtNote_, EM_SETMODIFY, FALSE, 0);
}

bool NoteWindow::TextEdited() const {
    return SendMessageW(txtNote_, EM_GETMODIFY, 0, 0) != 0;
}

double NoteWindow::WindowLeft() const {
    return WindowLeftTwips(window_, scale_);
}

double NoteWindow::WindowTop() const {
    return WindowTopTwips(window_, scale_);
}

void NoteWindow::SetWindowLeft(double twips) {
    SetWindowLeftTwips(window_, scale_, twips);
}

void NoteWindow::SetWindowTop(double twips) {
    SetWindowTopTwips(window_, scale_, twips);
}

void NoteWindow::SetBorderStyleNone() {
    // The window is made without border or title bar; there is nothing left to take away.
}

double NoteWindow::PixelsPerTwip() const {
    return scale_.PixelsPerTwip();
}

void NoteWindow::LeaveTextBox() {
    SetFocus(window_);
}

LRESULT CALLBACK NoteWindow::TextBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR /*id*/, DWORD_PTR self) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the subclass data is the note
    auto* note = reinterpret_cast<NoteWindow*>(self);
    switch (message) {
        case WM_KEYDOWN:
            if (!note->closed_ &&
                note->form_->txtNote_KeyDown(static_cast<int>(wParam), KeyShiftCode(lParam))) {
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_ESCAPE) {
                return 0;  // its key has been dealt with; the edit control would only beep
            }
            break;
        default:
            break;
    }
    return CallNextProcedure(box, message, wParam, lParam);
}

void NoteWindow::StartSaveTimer(int milliseconds) {
    // Set again under the same ID, a timer starts over.
    SetTimer(window_, SaveTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void NoteWindow::StopSaveTimer() {
    KillTimer(window_, SaveTimerId);
}

void NoteWindow::ShowWindow() {
    if (activateOnShow_) {
        ::ShowWindow(window_, SW_SHOW);
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
}

void NoteWindow::CloseWindow() {
    MarkClosed();
    Destroy();
}

// Events ------------------------------------------------------------------------------------

LRESULT NoteWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLOREDIT:
            if (lParam == reinterpret_cast<LPARAM>(txtNote_)) {
                // NOLINTNEXTLINE(performance-no-int-to-ptr): wParam is the box's device context
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
                SetBkColor(dc, GetSysColor(COLOR_INFOBK));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
            }
            break;
        case WM_COMMAND:
            if (lParam == reinterpret_cast<LPARAM>(txtNote_) && !closed_) {
                // A multi-line edit control reports no change for the text we set ourselves.
                if (HIWORD(wParam) == EN_CHANGE) {
                    form_->txtNote_Change();
                } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                    form_->txtNote_LostFocus();
                }
            }
            return 0;
        case WM_TIMER:
            if (wParam == SaveTimerId) {
                StopSaveTimer();
                if (!closed_) {
                    form_->SaveTimer_Timer();
                }
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (!closed_) {
                    form_->Form_LostFocus();
                }
            } else if (txtNote_ != nullptr) {
                // Back to the note: typing goes on in its text box.
                SetFocus(txtNote_);
            }
            return 0;
        case WM_CLOSE:
            if (closed_ || form_->Form_QueryUnload()) {
                MarkClosed();
                Destroy();
            }
            return 0;
        case WM_DPICHANGED:
            // NOLINTNEXTLINE(performance-no-int-to-ptr): lParam points to the suggested place
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && wParam == reinterpret_cast<WPARAM>(window_)) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            window_ = nullptr;
            txtNote_ = nullptr;
            Image1_ = nullptr;
            Image2_ = nullptr;
            return result;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void NoteWindow::PlaceControls() {
    Reposition(Image1_, RectOf(scale_, Notes::Image1Twips));
    Reposition(Image2_, RectOf(scale_, Notes::Image2Twips));
    Reposition(txtNote_, RectOf(scale_, Notes::txtNoteTwips));
}

void NoteWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, scale_.Pixels(ClientWidthTwips),
                 scale_.Pixels(ClientHeightTwips), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(txtNote_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(SharedFont(NoteFontFace, NoteFontPoints, scale_.Dpi())),
                 TRUE);
    PlaceControls();
    // The shape follows the controls to their new size.
    Transparent::MakeTransparent(Notes::NoteFormGeometry(scale_.PixelsPerTwip()), regions_,
                                 dialogs_, [] {});
    InvalidateRect(window_, nullptr, TRUE);
}

void NoteWindow::PaintControl(HWND control, HDC dc) {
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    if (control == Image2_) {
        const Bitmap& cross = Artwork::NoteCross();
        DrawBitmap(dc, cross, 0, 0, scale_.FromStandard(cross.Width()),
                   scale_.FromStandard(cross.Height()));
    }
}

void NoteWindow::ControlMouseDown(HWND control, int button, int shift, POINT at) {
    if (control == Image1_ && !closed_) {
        form_->Image1_MouseDown(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void NoteWindow::ControlMouseMove(HWND control, int button, int shift, POINT at) {
    if (control == Image1_ && !closed_) {
        form_->Image1_MouseMove(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void NoteWindow::ControlClick(HWND control) {
    if (control == Image2_ && !closed_) {
        form_->Image2_Click();  // may close this window
    }
}

}  // namespace Win32Ui
