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

// Control ids: the slots take 101 to 120.
enum ControlId : int {
    Image2Id = 1,
    Label2Id,
    Label1Id,
    imgAddId,
    Image1Id,
    lblLoadingId,
    lblNewNoteId,
    VScroll1Id,
    HScroll1Id,
    FirstSlotId = 101,
};

COLORREF ColourOf(const Layout::Colour& colour) {
    switch (colour.Kind) {
        case Layout::ColourKind::SystemWindow:
            return GetSysColor(COLOR_WINDOW);
        case Layout::ColourKind::SystemActiveCaption:
            return GetSysColor(COLOR_ACTIVECAPTION);
        case Layout::ColourKind::Rgb:
            break;
    }
    return RGB(colour.Red, colour.Green, colour.Blue);
}

RECT RectOf(const Scale& scale, const Layout::Place& place) {
    return scale.Rect(place.Left, place.Top, place.Width, place.Height);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// A picture control that does not stretch: the picture at its own size (scaled with the
// monitor) from the control's top-left corner, cut at the control's edges.
void DrawPicture(HDC dc, const Bitmap& picture, const RECT& place, const Scale& scale) {
    if (!picture) {
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
    DrawBitmap(dc, picture, place.left, place.top, scale.FromStandard(picture.Width()),
               scale.FromStandard(picture.Height()));
    RestoreDC(dc, saved);
}

void Reposition(HWND control, const RECT& place) {
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

LauncherWindow::LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                               Platform::Processes& processes, std::u16string programFolder,
                               std::function<void()> ended)
    : dialogs_(dialogs), notes_(dialogs, programFolder), endedCallback_(std::move(ended)) {
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
    MakeFonts();
    driveCaption_ = Layout::Label1Caption;
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
    ending_ = true;
    if (window_ != nullptr) {
        KillTimer(window_, Timer1Id);
        DestroyWindow(window_);
    }
    form_.reset();
    if (sceneDc_ != nullptr) {
        SelectObject(sceneDc_, sceneOld_);
        DeleteDC(sceneDc_);
    }
    if (sceneBitmap_ != nullptr) {
        DeleteObject(sceneBitmap_);
    }
}

void LauncherWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void LauncherWindow::MakeFonts() {
    labelFont_ = Font(Layout::LabelFontFace, Layout::LabelFontPoints, scale_.Dpi());
    linkFont_ = Font(Layout::LabelFontFace, Layout::LabelFontPoints, scale_.Dpi(), true);
}

void LauncherWindow::BuildControls() {
    const auto picture = [this](int id, std::u16string_view name, const Layout::Place& place) {
        return CreatePictureControl(window_, id, name, RectOf(scale_, place), *this);
    };
    const auto scrollBar = [this](int id, DWORD style, std::u16string_view name,
                                  const Layout::Place& place) {
        const RECT rect = RectOf(scale_, place);
        const std::wstring text = Wide(name);
        HWND bar = CreateWindowExW(
            0, L"SCROLLBAR", text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
        return bar;
    };
    // Made from the top of the stacking order down.
    std::vector<HWND> topDown;
    for (auto at = Layout::StackingBottomUp.rbegin(); at != Layout::StackingBottomUp.rend(); ++at) {
        const Control kind = *at;
        switch (kind) {
            case Control::Image2:
                Image2_ = picture(Image2Id, u"", Layout::Image2Place);
                topDown.push_back(Image2_);
                break;
            case Control::Label2:
                Label2_ = picture(Label2Id, Layout::Label2Caption, Layout::Label2Place);
                topDown.push_back(Label2_);
                break;
            case Control::Label1:
                Label1_ = picture(Label1Id, Layout::Label1Caption, Layout::Label1Place);
                topDown.push_back(Label1_);
                break;
            case Control::imgApp:
                // Slot 1 on top, 20 at the bottom.
                for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
                    imgApp_.at(static_cast<std::size_t>(slot - 1)) =
                        picture(FirstSlotId + slot - 1, u"", Layout::SlotPlace(slot));
                    topDown.push_back(imgApp_.at(static_cast<std::size_t>(slot - 1)));
                }
                break;
            case Control::imgAdd:
                imgAdd_ = picture(imgAddId, Layout::imgAddToolTip, Layout::imgAddPlace);
                topDown.push_back(imgAdd_);
                break;
            case Control::Image1:
                Image1_ = picture(Image1Id, Layout::Image1AccessibleName, Layout::Image1Place);
                topDown.push_back(Image1_);
                break;
            case Control::lblLoading:
                lblLoading_ =
                    picture(lblLoadingId, Layout::lblLoadingCaption, Layout::lblLoadingPlace);
                topDown.push_back(lblLoading_);
                break;
            case Control::lblNewNote:
                lblNewNote_ = picture(lblNewNoteId, Layout::lblNewNoteAccessibleName,
                                      Layout::lblNewNotePlace);
                topDown.push_back(lblNewNote_);
                break;
            case Control::VScroll1:
                VScroll1_ = scrollBar(VScroll1Id, SBS_VERT, Layout::VScroll1AccessibleName,
                                      Layout::VScroll1Place);
                // Its keys and wheel turns are the window's: one notch is one page.
                Subclass(VScroll1_, ScrollBarProcedure, reinterpret_cast<DWORD_PTR>(this));
                topDown.push_back(VScroll1_);
                break;
            case Control::HScroll1:
                HScroll1_ = scrollBar(HScroll1Id, SBS_HORZ, u"", Layout::HScroll1Place);
                topDown.push_back(HScroll1_);
                break;
        }
    }
    StackTopDown(topDown);
    SCROLLINFO range{sizeof(range),
                     SIF_RANGE | SIF_POS | SIF_PAGE,
                     scrollMinimum_,
                     scrollMaximum_,
                     0,
                     scrollValue_,
                     0};
    SetScrollInfo(VScroll1_, SB_CTL, &range, FALSE);

    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, ProgramInstance(), nullptr);
    for (HWND slot : imgApp_) {
        AddToolTip(slot);
    }
    AddToolTip(imgAdd_);
    const std::wstring addTip = Wide(Layout::imgAddToolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(imgAdd_);
    tool.lpszText = const_cast<wchar_t*>(addTip.c_str());
    SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LauncherWindow::AddToolTip(HWND control) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    // The control relays its mouse messages itself (ControlMouseMessage): the tool tip's own
    // subclassing would look the control up in a window property on every message it gets.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    wchar_t empty[] = L"";
    tool.lpszText = empty;
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LauncherWindow::ControlMouseMessage(HWND /*control*/, const MSG& message) {
    if (toolTips_ != nullptr) {
        SendMessageW(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
}

void LauncherWindow::PlaceControls() {
    Reposition(Image2_, RectOf(scale_, Layout::Image2Place));
    Reposition(Label2_, RectOf(scale_, Layout::Label2Place));
    Reposition(Label1_, RectOf(scale_, Layout::Label1Place));
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        Reposition(ControlWindow(Control::imgApp, slot), RectOf(scale_, Layout::SlotPlace(slot)));
    }
    Reposition(imgAdd_, RectOf(scale_, Layout::imgAddPlace));
    Reposition(Image1_, RectOf(scale_, Layout::Image1Place));
    Reposition(lblLoading_, RectOf(scale_, Layout::lblLoadingPlace));
    Reposition(lblNewNote_, RectOf(scale_, Layout::lblNewNotePlace));
    Reposition(VScroll1_, RectOf(scale_, Layout::VScroll1Place));
    RECT hScroll = RectOf(scale_, Layout::HScroll1Place);
    if (hScrollCollapsed_) {
        hScroll.right = hScroll.left;
        hScroll.bottom = hScroll.top;
    }
    Reposition(HScroll1_, hScroll);
}

HWND LauncherWindow::ControlWindow(Control control, int slot) const {
    switch (control) {
        case Control::Image2:
            return Image2_;
        case Control::Label2:
            return Label2_;
        case Control::Label1:
            return Label1_;
        case Control::imgApp:
            return slot >= 1 && slot <= Launcher::SlotCount
                       ? imgApp_[static_cast<std::size_t>(slot - 1)]
                       : nullptr;
        case Control::imgAdd:
            return imgAdd_;
        case Control::Image1:
            return Image1_;
        case Control::lblLoading:
            return lblLoading_;
        case Control::lblNewNote:
            return lblNewNote_;
        case Control::VScroll1:
            return VScroll1_;
        case Control::HScroll1:
            return HScroll1_;
    }
    return nullptr;
}

int LauncherWindow::SlotOf(HWND control) const {
    const auto found = std::find(imgApp_.begin(), imgApp_.end(), control);
    return found == imgApp_.end() ? 0 : static_cast<int>(found - imgApp_.begin()) + 1;
}

// The composed picture of the client area -------------------------------------------------

void LauncherWindow::Invalidate(bool paintNow) {
    // A window marked once stays invalid until its next paint, which composes everything anew:
    // the twenty pictures of a page need not mark it twenty times.
    const bool invalidAlready = sceneDirty_;
    sceneDirty_ = true;
    if (window_ != nullptr && (!invalidAlready || paintNow)) {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | (paintNow ? RDW_UPDATENOW : 0U));
    }
}

void LauncherWindow::EnsureComposed() {
    RECT client;
    GetClientRect(window_, &client);
    const SIZE size{client.right, client.bottom};
    if (sceneDc_ == nullptr || size.cx != sceneSize_.cx || size.cy != sceneSize_.cy) {
        if (sceneDc_ == nullptr) {
            sceneDc_ = CreateCompatibleDC(nullptr);
        } else {
            SelectObject(sceneDc_, sceneOld_);
        }
        if (sceneBitmap_ != nullptr) {
            DeleteObject(sceneBitmap_);
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
        format.bmiHeader.biHeight = -std::max<LONG>(size.cy, 1);
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        sceneBitmap_ = CreateDIBSection(sceneDc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        sceneOld_ = SelectObject(sceneDc_, sceneBitmap_);
        sceneSize_ = size;
        sceneDirty_ = true;
    }
    if (sceneDirty_) {
        Compose(sceneDc_);
        sceneDirty_ = false;
    }
}

void LauncherWindow::Compose(HDC dc) const {
    Fill(dc, {0, 0, sceneSize_.cx, sceneSize_.cy}, GetSysColor(COLOR_WINDOW));
    for (const Control kind : Layout::StackingBottomUp) {
        switch (kind) {
            case Control::Image2:
                DrawPicture(dc, Artwork::Background(), RectOf(scale_, Layout::Image2Place), scale_);
                break;
            case Control::Label2:
                DrawLabel(dc, Layout::Label2Place, std::u16string(Layout::Label2Caption),
                          labelFont_.Handle(), ColourOf(Layout::Label2Text), DT_LEFT);
                break;
            case Control::Label1:
                DrawLabel(dc, Layout::Label1Place, driveCaption_, labelFont_.Handle(),
                          ColourOf(Layout::Label1Text), DT_LEFT);
                break;
            case Control::imgApp:
                for (int slot = Launcher::SlotCount; slot >= 1; --slot) {
                    const SlotPicture& shown = slots_[static_cast<std::size_t>(slot - 1)];
                    DrawPicture(dc, shown.BuiltIn ? Artwork::DefaultIcon() : shown.Own,
                                RectOf(scale_, Layout::SlotPlace(slot)), scale_);
                }
                break;
            case Control::imgAdd: {
                const RECT place = RectOf(scale_, Layout::imgAddPlace);
                DrawBitmap(dc, Artwork::AddGlyph(), place.left, place.top, place.right - place.left,
                           place.bottom - place.top);
                break;
            }
            case Control::Image1:
                DrawPicture(dc, Artwork::CloseButton(), RectOf(scale_, Layout::Image1Place),
                            scale_);
                break;
            case Control::lblLoading:
                if (loadingVisible_) {
                    Fill(dc, RectOf(scale_, Layout::lblLoadingPlace),
                         ColourOf(Layout::lblLoadingBack));
                    DrawLabel(dc, Layout::lblLoadingPlace,
                              std::u16string(Layout::lblLoadingCaption), labelFont_.Handle(),
                              ColourOf(Layout::lblLoadingText), DT_CENTER);
                }
                break;
            case Control::lblNewNote:
                Fill(dc, RectOf(scale_, Layout::lblNewNotePlace), ColourOf(Layout::lblNewNoteBack));
                DrawLabel(dc, Layout::lblNewNotePlace, std::u16string(Layout::lblNewNoteCaption),
                          linkFont_.Handle(), ColourOf(Layout::lblNewNoteText), DT_LEFT);
                break;
            case Control::VScroll1:
            case Control::HScroll1:
                break;  // real controls, which draw themselves
        }
    }
    if (markItem_ != Launcher::FocusItem::None) {
        const RECT mark = RectOf(scale_, Layout::PlaceOf(markItem_, markSlot_));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &mark);
    }
}

void LauncherWindow::DrawLabel(HDC dc, const Layout::Place& place, const std::u16string& text,
                               HFONT font, COLORREF colour, UINT format) const {
    RECT rect = RectOf(scale_, place);
    const std::wstring wide = Wide(text);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
              format | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

COLORREF LauncherWindow::ClientPixel(int x, int y) {
    EnsureComposed();
    return GetPixel(sceneDc_, x, y);
}

void LauncherWindow::PaintControl(HWND control, HDC dc) {
    EnsureComposed();
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    // Only the part that lies on the client area: the background picture reaches beyond it.
    RECT visible;
    const RECT scene{0, 0, sceneSize_.cx, sceneSize_.cy};
    if (IntersectRect(&visible, &place, &scene) != FALSE) {
        BitBlt(dc, visible.left - place.left, visible.top - place.top, visible.right - visible.left,
               visible.bottom - visible.top, sceneDc_, visible.left, visible.top, SRCCOPY);
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
            EnsureComposed();
            const RECT& r = paint.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, sceneDc_, r.left, r.top,
                   SRCCOPY);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window_) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (wParam == Timer1Id && form_ && !ending_) {
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
            if (form_ && !ending_) {
                if (LOWORD(wParam) == WA_INACTIVE) {
                    form_->Form_Deactivate();
                } else {
                    form_->Form_Activate();
                }
            }
            return result;
        }
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lParam) == VScroll1_) {
                OnVScroll(wParam);
            }
            return 0;
        case WM_SIZE:
            if (form_) {
                form_->Form_Resize();
            }
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // Closed from the task bar or with Alt+F4: the same end as the close button.
            EndProgram();
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends (log-off, shutdown): typed notes reach the drive first. The end
            // is not refused, since a session must be able to end the program.
            notes_.SaveAllForSessionEnd();
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE && !ending_) {
                notes_.SaveAllForSessionEnd();
                EndNow();
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
    if (!form_ || ending_) {
        return false;
    }
    if (message == WM_CHAR) {
        return form_->Form_KeyPress(static_cast<char16_t>(wParam));
    }
    // The virtual-key codes are the handlers' key codes.
    return form_->Form_KeyDown(static_cast<int>(wParam), KeyShiftCode(lParam));
}

bool LauncherWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
    if (!form_ || ending_) {
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
            GetScrollInfo(VScroll1_, SB_CTL, &info);
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
    SetScrollPos(VScroll1_, SB_CTL, value, TRUE);
    if (form_ && !ending_) {
        form_->VScroll1_Change();
    }
}

void LauncherWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    MakeFonts();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                 scale_.Pixels(Layout::ClientWidth), scale_.Pixels(Layout::ClientHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    Invalidate();
}

void LauncherWindow::ControlMouseDown(HWND control, int button, int shift, POINT at) {
    if (control == Image2_ && form_) {
        form_->Image2_MouseDown(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void LauncherWindow::ControlMouseMove(HWND control, int button, int shift, POINT at) {
    if (control == Image2_ && form_) {
        form_->Image2_MouseMove(button, shift, scale_.Twips(at.x), scale_.Twips(at.y));
    }
}

void LauncherWindow::ControlClick(HWND control) {
    if (!form_ || ending_) {
        return;
    }
    if (const int slot = SlotOf(control); slot != 0) {
        form_->imgApp_Click(slot);
    } else if (control == Image1_) {
        form_->Image1_Click();
    } else if (control == imgAdd_) {
        form_->imgAdd_Click();
    } else if (control == lblNewNote_) {
        form_->lblNewNote_Click();
    }
}

bool LauncherWindow::ControlKey(HWND /*control*/, UINT message, WPARAM wParam, LPARAM lParam) {
    return OnKey(message, wParam, lParam);
}

bool LauncherWindow::ControlHasHandPointer(HWND control) const {
    return SlotOf(control) != 0 || control == imgAdd_ || control == Image1_ ||
           control == lblNewNote_;
}

HCURSOR LauncherWindow::HandCursor() const {
    return Artwork::HandPointer();
}

// LauncherView ------------------------------------------------------------------------------

bool LauncherWindow::LoadSlotPicture(int slot, const std::u16string& file) {
    SlotPicture& shown = slots_.at(static_cast<std::size_t>(slot - 1));
    shown.BuiltIn = false;
    shown.Own = LoadPictureFile(file);
    Invalidate();
    return static_cast<bool>(shown.Own);
}

bool LauncherWindow::LoadSlotProgramIcon(int slot, const std::u16string& program) {
    SlotPicture& shown = slots_.at(static_cast<std::size_t>(slot - 1));
    shown.BuiltIn = false;
    shown.Own = ProgramIcon(program, Layout::ProgramIconPixels);
    Invalidate();
    return static_cast<bool>(shown.Own);
}

void LauncherWindow::ShowDefaultSlotPicture(int slot) {
    SlotPicture& shown = slots_.at(static_cast<std::size_t>(slot - 1));
    shown.Own = Bitmap();
    shown.BuiltIn = true;
    Invalidate();
}

void LauncherWindow::ClearSlotPicture(int slot) {
    SlotPicture& shown = slots_.at(static_cast<std::size_t>(slot - 1));
    shown.Own = Bitmap();
    shown.BuiltIn = false;
    Invalidate();
}

void LauncherWindow::SetSlotToolTip(int slot, const std::u16string& text) {
    HWND control = ControlWindow(Control::imgApp, slot);
    std::wstring& tip = slotTips_.at(static_cast<std::size_t>(slot - 1));
    tip = Wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = tip.data();
    SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // The slot's name for screen readers is its application's title.
    SetWindowTextW(control, tip.c_str());
}

void LauncherWindow::SetLoadingVisible(bool visible) {
    loadingVisible_ = visible;
    ShowWindow(lblLoading_, visible ? SW_SHOWNA : SW_HIDE);
    // The scan that follows keeps the message loop waiting: paint now, or nobody sees it.
    Invalidate(visible && IsWindowVisible(window_) != FALSE);
}

void LauncherWindow::SetScrollRange(std::int16_t minimum, std::int16_t maximum) {
    scrollMinimum_ = minimum;
    scrollMaximum_ = maximum;
    SCROLLINFO range{sizeof(range), SIF_RANGE, minimum, maximum, 0, 0, 0};
    SetScrollInfo(VScroll1_, SB_CTL, &range, TRUE);
    MoveScrollTo(scrollValue_);
}

void LauncherWindow::SetScrollTabStop(bool tabStop) {
    const LONG_PTR style = GetWindowLongPtrW(VScroll1_, GWL_STYLE);
    SetWindowLongPtrW(VScroll1_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

std::int16_t LauncherWindow::ScrollValue() const {
    return static_cast<std::int16_t>(scrollValue_);
}

void LauncherWindow::SetScrollEnabled(bool enabled) {
    EnableWindow(VScroll1_, enabled ? TRUE : FALSE);
}

void LauncherWindow::SetScrollValue(std::int16_t value) {
    MoveScrollTo(value);
}

void LauncherWindow::ShowFocusMark(Launcher::FocusItem item, int slot) {
    markItem_ = item;
    markSlot_ = slot;
    Invalidate();
    if (item != Launcher::FocusItem::None) {
        // The real focus, so that screen readers announce the control by its window text.
        SetFocus(ControlWindow(Layout::ControlOf(item), slot));
    }
}

void LauncherWindow::CollapseHScroll1() {
    hScrollCollapsed_ = true;
    SetWindowPos(HScroll1_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LauncherWindow::SetDriveCaption(const std::u16string& caption) {
    driveCaption_ = caption;
    SetWindowTextW(Label1_, Wide(caption).c_str());
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
    // Every changed note saved first; one that cannot be saved keeps the program open unless
    // the user lets it go.
    if (!ending_ && notes_.AllowProgramEnd()) {
        EndNow();
    }
}

void LauncherWindow::EndNow() {
    ending_ = true;
    if (window_ != nullptr) {
        KillTimer(window_, Timer1Id);
    }
    notes_.CloseAll();
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    if (!ended_) {
        ended_ = true;
        if (endedCallback_) {
            endedCallback_();
        }
    }
}

}  // namespace Win32Ui
