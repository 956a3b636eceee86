#include "ui/win32/LauncherWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "launcher/Form1.h"
#include "notes/NoteStartup.h"
#include "platform/win32/WideText.h"
#include "ui/win32/Artwork.h"
#include "ui/win32/ProgramIcon.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/WindowClasses.h"
#include "ui/win32/WindowPlace.h"

namespace Win32Ui {

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;
using Platform::Win32::Wide;

constexpr wchar_t ClassName[] = L"KIVOLA.Form1";
constexpr UINT_PTR Timer1Id = 1;

}  // namespace

LauncherWindow::LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                               Platform::Processes& processes, std::u16string programFolder,
                               std::function<void()> ended)
    : dialogs_(dialogs), notes_(dialogs, programFolder), endedCallback_(std::move(ended)) {
    notes_.SetQuit([this] { Quit(); });
    // Centred on the work area of the main monitor, at that monitor's scale.
    RECT area{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    scale_ = Scale(DpiAtPoint({(area.left + area.right) / 2, (area.top + area.bottom) / 2}));
    const int width = scale_.Pixels(Layout::ClientWidth);
    const int height = scale_.Pixels(Layout::ClientHeight);
    const wchar_t* className = RegisterWindowClass(
        ClassName,
        ObjectProcedure<LauncherWindow, &LauncherWindow::window_, &LauncherWindow::Handle>, nullptr,
        CS_DBLCLKS);
    const std::wstring caption = Wide(Layout::Caption);
    // A popup has neither border nor title bar: the client area is the whole window.
    window_ = CreateWindowExW(WS_EX_APPWINDOW, className, caption.c_str(),
                              WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                              area.left + (area.right - area.left - width) / 2,
                              area.top + (area.bottom - area.top - height) / 2, width, height,
                              nullptr, nullptr, ProgramInstance(), this);
    if (const int dpi = DpiOfWindow(window_); dpi != scale_.Dpi()) {
        scale_ = Scale(dpi);
        RECT placed;
        GetWindowRect(window_, &placed);
        SetWindowPos(window_, nullptr, placed.left, placed.top, scale_.Pixels(Layout::ClientWidth),
                     scale_.Pixels(Layout::ClientHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(Artwork::WindowIcon(16)));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Artwork::WindowIcon(32)));
    scene_.SetScale(scale_);
    BuildControls();

    Launcher::NotesHooks hooks;
    hooks.LoadNotes = [this, folder = programFolder] { Notes::LoadNotes(notes_, folder); };
    hooks.NewNote = [this] { Notes::NewNote(notes_); };
    form_ = std::make_unique<Launcher::Form1>(*this, dialogs, drives, processes,
                                              std::move(programFolder), std::move(hooks));
    // The notes the load step reopens come up under the launcher, which is shown after them.
    notes_.OpenInBackground(true);
    form_->Form_Load();
    notes_.OpenInBackground(false);
}

LauncherWindow::~LauncherWindow() {
    // Nothing that happens while the window goes may reach Form1.
    form_.reset();
    if (window_ != nullptr) {
        KillTimer(window_, Timer1Id);
        DestroyWindow(window_);
    }
}

void LauncherWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void LauncherWindow::BuildControls() {
    controls_.Build(window_, scale_, *this);
    HWND bar = controls_.Window(Control::VScroll1);
    // Its keys and wheel turns are the window's: one notch is one page.
    Subclass(bar, ScrollBarProcedure, reinterpret_cast<DWORD_PTR>(this));
    SCROLLINFO range{sizeof(range),
                     SIF_RANGE | SIF_POS | SIF_PAGE,
                     scrollMinimum_,
                     scrollMaximum_,
                     0,
                     scrollValue_,
                     0};
    SetScrollInfo(bar, SB_CTL, &range, FALSE);
}

void LauncherWindow::ControlMouseMessage(HWND /*control*/, const MSG& message) {
    controls_.RelayMouse(message);
}

HWND LauncherWindow::ControlWindow(Control control, int slot) const {
    return controls_.Window(control, slot);
}

// The composed picture of the client area -------------------------------------------------

void LauncherWindow::Invalidate(bool paintNow) {
    // The twenty pictures of a page need not mark the window twenty times.
    const bool wasUpToDate = scene_.MarkChanged();
    if (window_ != nullptr && (wasUpToDate || paintNow)) {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | (paintNow ? RDW_UPDATENOW : 0U));
    }
}

HDC LauncherWindow::Scene() {
    RECT client;
    GetClientRect(window_, &client);
    return scene_.Composed({client.right, client.bottom});
}

COLORREF LauncherWindow::ClientPixel(int x, int y) {
    return GetPixel(Scene(), x, y);
}

void LauncherWindow::PaintControl(HWND control, HDC dc) {
    HDC scene = Scene();
    const SIZE size = scene_.Size();
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    // Only the part that lies on the client area: the background picture reaches beyond it.
    RECT visible;
    const RECT whole{0, 0, size.cx, size.cy};
    if (IntersectRect(&visible, &place, &whole) != FALSE) {
        BitBlt(dc, visible.left - place.left, visible.top - place.top, visible.right - visible.left,
               visible.bottom - visible.top, scene, visible.left, visible.top, SRCCOPY);
    }
}

// Events ------------------------------------------------------------------------------------

LRESULT LauncherWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            const RECT& r = paint.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, Scene(), r.left, r.top,
                   SRCCOPY);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && wParam == reinterpret_cast<WPARAM>(window_)) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (wParam == Timer1Id && Live()) {
                form_->Timer1_Timer();
                ++timer1Ticks_;
            }
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            if (OnKey(message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            if (OnWheel(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_ACTIVATE: {
            // The system puts the focus on the window itself; Form1 may put it on a control.
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            if (Live()) {
                if (LOWORD(wParam) == WA_INACTIVE) {
                    form_->Form_Deactivate();
                } else {
                    form_->Form_Activate();
                }
            }
            return result;
        }
        case WM_VSCROLL:
            if (lParam == reinterpret_cast<LPARAM>(controls_.Window(Control::VScroll1))) {
                OnVScroll(wParam);
            }
            return 0;
        case WM_SIZE:
            if (form_) {
                form_->Form_Resize();
            }
            return 0;
        case WM_DPICHANGED:
            // NOLINTNEXTLINE(performance-no-int-to-ptr): lParam points to the suggested place
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // Closed from the task bar or with Alt+F4: the same end as the close button.
            notes_.RequestEnd();
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends (log-off, shutdown): typed notes reach the drive first. The end
            // is not refused, since a session must be able to end the program.
            notes_.SaveAllForSessionEnd();
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                notes_.EndForSession();
            }
            return 0;
        case WM_NCDESTROY: {
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            window_ = nullptr;
            return result;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool LauncherWindow::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Live()) {
        return false;
    }
    if (message == WM_CHAR) {
        return form_->Form_KeyPress(static_cast<char16_t>(wParam));
    }
    // The virtual-key codes are the handlers' key codes.
    return form_->Form_KeyDown(static_cast<int>(wParam), KeyShiftCode(lParam));
}

bool LauncherWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
    if (!Live()) {
        return false;
    }
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // on the screen
    ScreenToClient(window_, &at);
    return form_->Form_MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), scale_.Twips(at.x),
                                  scale_.Twips(at.y));
}

LRESULT CALLBACK LauncherWindow::ScrollBarProcedure(HWND bar, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR /*id*/,
                                                    DWORD_PTR self) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the subclass data is the window
    auto* owner = reinterpret_cast<LauncherWindow*>(self);
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            if (owner->OnKey(message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            owner->OnWheel(wParam, lParam);
            return 0;
        default:
            break;
    }
    return CallNextProcedure(bar, message, wParam, lParam);
}

void LauncherWindow::OnVScroll(WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
        case SB_PAGEUP:
            MoveScrollTo(scrollValue_ - 1);
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
            MoveScrollTo(scrollValue_ + 1);
            break;
        case SB_TOP:
            MoveScrollTo(scrollMinimum_);
            break;
        case SB_BOTTOM:
            MoveScrollTo(scrollMaximum_);
            break;
        case SB_THUMBPOSITION: {
            // A change only when the thumb is let go, as the page change expects.
            SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(controls_.Window(Control::VScroll1), SB_CTL, &info);
            MoveScrollTo(info.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void LauncherWindow::MoveScrollTo(int value) {
    ChangeScrollValue(std::clamp(value, std::min(scrollMinimum_, scrollMaximum_),
                                 std::max(scrollMinimum_, scrollMaximum_)));
}

void LauncherWindow::ChangeScrollValue(int value) {
    if (value == scrollValue_) {
        return;
    }
    scrollValue_ = value;
    SetScrollPos(controls_.Window(Control::VScroll1), SB_CTL, value, TRUE);
    if (Live()) {
        form_->VScroll1_Change();
    }
}

void LauncherWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    scene_.SetScale(scale_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                 scale_.Pixels(Layout::ClientWidth), scale_.Pixels(Layout::ClientHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.Place(scale_);
    Invalidate();
}

void LauncherWindow::ControlMouseDown(HWND control, int button, int shift, POINT at) {
    if (controls_.KindOf(control) == Control::Image2 && form_) {
        form_->Image2_MouseDown(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void LauncherWindow::ControlMouseMove(HWND control, int button, int shift, POINT at) {
    if (controls_.KindOf(control) == Control::Image2 && form_) {
        form_->Image2_MouseMove(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void LauncherWindow::ControlClick(HWND control) {
    if (!Live()) {
        return;
    }
    const auto kind = controls_.KindOf(control);
    if (!kind) {
        return;
    }
    switch (*kind) {
        case Control::imgApp:
            form_->imgApp_Click(controls_.SlotOf(control));
            break;
        case Control::Image1:
            form_->Image1_Click();
            break;
        case Control::imgAdd:
            form_->imgAdd_Click();
            break;
        case Control::lblNewNote:
            form_->lblNewNote_Click();
            break;
        default:
            break;  // the others have no click handler
    }
}

bool LauncherWindow::ControlKey(HWND /*control*/, UINT message, WPARAM wParam, LPARAM lParam) {
    return OnKey(message, wParam, lParam);
}

bool LauncherWindow::ControlHasHandPointer(HWND control) const {
    const auto kind = controls_.KindOf(control);
    return kind && Layout::HasHandPointer(*kind);
}

HCURSOR LauncherWindow::HandCursor() const {
    return Artwork::HandPointer();
}

// LauncherView ------------------------------------------------------------------------------

bool LauncherWindow::LoadSlotPicture(int slot, const std::u16string& file) {
    Bitmap picture = LoadPictureFile(file);
    const bool loaded = static_cast<bool>(picture);
    scene_.ShowSlotPicture(slot, std::move(picture), false);
    Invalidate();
    return loaded;
}

bool LauncherWindow::LoadSlotProgramIcon(int slot, const std::u16string& program) {
    Bitmap icon = ProgramIcon(program, Layout::ProgramIconPixels);
    const bool loaded = static_cast<bool>(icon);
    scene_.ShowSlotPicture(slot, std::move(icon), false);
    Invalidate();
    return loaded;
}

void LauncherWindow::ShowDefaultSlotPicture(int slot) {
    scene_.ShowSlotPicture(slot, Bitmap(), true);
    Invalidate();
}

void LauncherWindow::ClearSlotPicture(int slot) {
    scene_.ShowSlotPicture(slot, Bitmap(), false);
    Invalidate();
}

void LauncherWindow::SetSlotToolTip(int slot, const std::u16string& text) {
    controls_.SetSlotToolTip(slot, text);
}

void LauncherWindow::SetLoadingVisible(bool visible) {
    scene_.SetLoadingVisible(visible);
    ShowWindow(controls_.Window(Control::lblLoading), visible ? SW_SHOWNA : SW_HIDE);
    // The scan that follows keeps the message loop waiting: paint now, or nobody sees it.
    Invalidate(visible && IsWindowVisible(window_) != FALSE);
}

void LauncherWindow::SetScrollRange(std::int16_t minimum, std::int16_t maximum) {
    scrollMinimum_ = minimum;
    scrollMaximum_ = maximum;
    SCROLLINFO range{sizeof(range), SIF_RANGE, minimum, maximum, 0, 0, 0};
    SetScrollInfo(controls_.Window(Control::VScroll1), SB_CTL, &range, TRUE);
    MoveScrollTo(scrollValue_);
}

void LauncherWindow::SetScrollTabStop(bool tabStop) {
    HWND bar = controls_.Window(Control::VScroll1);
    const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    SetWindowLongPtrW(bar, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

std::int16_t LauncherWindow::ScrollValue() const {
    return static_cast<std::int16_t>(scrollValue_);
}

void LauncherWindow::SetScrollEnabled(bool enabled) {
    EnableWindow(controls_.Window(Control::VScroll1), enabled ? TRUE : FALSE);
}

void LauncherWindow::SetScrollValue(std::int16_t value) {
    MoveScrollTo(value);
}

void LauncherWindow::ShowFocusMark(Launcher::FocusItem item, int slot) {
    scene_.SetFocusMark(item, slot);
    Invalidate();
    if (item != Launcher::FocusItem::None) {
        // The real focus, so that screen readers announce the control by its window text.
        SetFocus(ControlWindow(Layout::ControlOf(item), slot));
    }
}

void LauncherWindow::CollapseHScroll1() {
    controls_.CollapseHScroll1();
}

void LauncherWindow::SetDriveCaption(const std::u16string& caption) {
    scene_.SetDriveCaption(caption);
    SetWindowTextW(controls_.Window(Control::Label1), Wide(caption).c_str());
    Invalidate();
}

double LauncherWindow::WindowLeft() const {
    return WindowLeftTwips(window_, scale_);
}

double LauncherWindow::WindowTop() const {
    return WindowTopTwips(window_, scale_);
}

void LauncherWindow::SetWindowLeft(double twips) {
    SetWindowLeftTwips(window_, scale_, twips);
}

void LauncherWindow::SetWindowTop(double twips) {
    SetWindowTopTwips(window_, scale_, twips);
}

void LauncherWindow::SetTimerInterval(int milliseconds) {
    SetTimer(window_, Timer1Id, static_cast<UINT>(std::max(milliseconds, USER_TIMER_MINIMUM)),
             nullptr);
}

void LauncherWindow::DisableTimer() {
    KillTimer(window_, Timer1Id);
}

void LauncherWindow::EndProgram() {
    notes_.RequestEnd();
}

void LauncherWindow::Quit() {
    if (window_ != nullptr) {
        KillTimer(window_, Timer1Id);
        DestroyWindow(window_);
    }
    ended_ = true;
    if (endedCallback_) {
        endedCallback_();
    }
}

}  // namespace Win32Ui
