#include "ui/win32/LauncherControls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/PictureControl.h"
#include "ui/win32/WindowClasses.h"

namespace Win32Ui {

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;
using Platform::Win32::Wide;

// Control ids: the other controls in the order of their names, the slots from 101 to 120.
constexpr int FirstSlotId = 101;

int IdOf(Control control) {
    return static_cast<int>(control) + 1;
}

std::size_t IndexOf(Control control) {
    return static_cast<std::size_t>(control);
}

RECT RectOf(const Scale& scale, const Layout::Place& place) {
    return scale.Rect(place.Left, place.Top, place.Width, place.Height);
}

void Reposition(HWND control, const RECT& place) {
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND MakeScrollBar(HWND window, Control control, DWORD style, const RECT& rect) {
    const std::wstring text = Wide(Layout::NameOf(control));
    return CreateWindowExW(0, L"SCROLLBAR", text.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, window,
                           ChildId(IdOf(control)), ProgramInstance(), nullptr);
}

}  // namespace

void LauncherControls::Build(HWND window, const Scale& scale, ControlOwner& owner) {
    window_ = window;
    // Made from the top of the stacking order down.
    std::vector<HWND> topDown;
    // NOLINTNEXTLINE(modernize-loop-convert): clang 14 cannot read libstdc++ 12's reverse_view
    for (auto at = Layout::StackingBottomUp.rbegin(); at != Layout::StackingBottomUp.rend(); ++at) {
        const Control kind = *at;
        const RECT place = RectOf(scale, Layout::PlaceOf(kind));
        HWND made = nullptr;
        switch (kind) {
            case Control::imgApp:
                // Slot 1 on top, 20 at the bottom.
                for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
                    HWND picture =
                        CreatePictureControl(window, FirstSlotId + slot - 1, u"",
                                             RectOf(scale, Layout::SlotPlace(slot)), owner);
                    imgApp_.at(static_cast<std::size_t>(slot - 1)) = picture;
                    topDown.push_back(picture);
                }
                continue;
            case Control::VScroll1:
                made = MakeScrollBar(window, kind, SBS_VERT, place);
                break;
            case Control::HScroll1:
                made = MakeScrollBar(window, kind, SBS_HORZ, place);
                break;
            default:
                made = CreatePictureControl(window, IdOf(kind), Layout::NameOf(kind), place, owner);
                break;
        }
        controls_.at(IndexOf(kind)) = made;
        topDown.push_back(made);
    }
    StackTopDown(topDown);

    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, ProgramInstance(), nullptr);
    for (HWND slot : imgApp_) {
        AddToolTip(slot);
    }
    HWND imgAdd = Window(Control::imgAdd);
    AddToolTip(imgAdd);
    const std::wstring addTip = Wide(Layout::imgAddToolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(imgAdd);
    tool.lpszText = const_cast<wchar_t*>(addTip.c_str());
    SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LauncherControls::AddToolTip(HWND control) {
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

void LauncherControls::RelayMouse(const MSG& message) const {
    if (toolTips_ != nullptr) {
        SendMessageW(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
}

void LauncherControls::Place(const Scale& scale) {
    for (const Control kind : Layout::StackingBottomUp) {
        if (kind == Control::imgApp) {
            for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
                Reposition(Window(kind, slot), RectOf(scale, Layout::SlotPlace(slot)));
            }
            continue;
        }
        RECT place = RectOf(scale, Layout::PlaceOf(kind));
        if (kind == Control::HScroll1 && hScrollCollapsed_) {
            place.right = place.left;
            place.bottom = place.top;
        }
        Reposition(Window(kind), place);
    }
}

void LauncherControls::CollapseHScroll1() {
    hScrollCollapsed_ = true;
    SetWindowPos(Window(Control::HScroll1), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND LauncherControls::Window(Control control, int slot) const {
    if (control == Control::imgApp) {
        return slot >= 1 && slot <= Launcher::SlotCount
                   ? imgApp_[static_cast<std::size_t>(slot - 1)]
                   : nullptr;
    }
    return controls_[IndexOf(control)];
}

std::optional<Control> LauncherControls::KindOf(HWND window) const {
    if (window == nullptr) {
        return std::nullopt;
    }
    if (SlotOf(window) != 0) {
        return Control::imgApp;
    }
    const auto found = std::find(controls_.begin(), controls_.end(), window);
    if (found == controls_.end()) {
        return std::nullopt;
    }
    return static_cast<Control>(found - controls_.begin());
}

int LauncherControls::SlotOf(HWND window) const {
    const auto found = std::find(imgApp_.begin(), imgApp_.end(), window);
    return found == imgApp_.end() ? 0 : static_cast<int>(found - imgApp_.begin()) + 1;
}

void LauncherControls::SetSlotToolTip(int slot, const std::u16string& text) {
    HWND control = Window(Control::imgApp, slot);
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

}  // namespace Win32Ui
