#include <string_view>

#include "Edition.h"
#include "launcher/Form1Layout.h"
#include "support/MouseDrag.h"
#include "testsupport/MarkerProgramWin32.h"

#include <commctrl.h>

namespace {

using LauncherControl = EditionDriver::LauncherControl;

// Which control stands for a focus item (slot 1 to 20 for a slot).
EditionDriver::ControlAt ControlAtItem(Launcher::FocusItem item, int slot) {
    const LauncherControl control = Launcher::Form1Layout::ControlOf(item);
    return {control, control == LauncherControl::imgApp ? slot : 0};
}

}  // namespace

bool Edition::WaitForStart(const std::string& title) {
    return TestSupport::WaitForMarker(drive.Text(title + "/app.exe")).Ran;
}

std::string Edition::AddLooseProgram(const std::string& title) {
    TestSupport::PlantMarker(drive, title + "/app.exe");
    return "app.exe";
}

void Edition::RestartLauncher() {
    window.reset();
    Start();
    WaitForGrid();
}

void Edition::RightClickControl(ControlAt control) {
    HWND target = ControlOf(control.first, control.second);
    SendMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Edition::DoubleClickControl(ControlAt control) {
    // The system's messages for a double click: down, up, double click, up.
    HWND target = ControlOf(control.first, control.second);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

namespace {

std::vector<POINT> Win32Steps(const std::vector<EditionDriver::Pixels>& steps) {
    std::vector<POINT> moves;
    moves.reserve(steps.size());
    for (const auto& [x, y] : steps) {
        moves.push_back({x, y});
    }
    return moves;
}

WPARAM Win32Buttons(int buttons) {
    WPARAM held = 0;
    held |= (buttons & Support::LeftButton) != 0 ? MK_LBUTTON : 0;
    held |= (buttons & Support::RightButton) != 0 ? MK_RBUTTON : 0;
    return held;
}

}  // namespace

void Edition::DragControl(ControlAt control, Pixels at, const std::vector<Pixels>& steps,
                          int buttons) {
    HWND target = ControlOf(control.first, control.second);
    POINT within{at.first, at.second};
    MapWindowPoints(window->Handle(), target, &within, 1);
    Drag(target, within, Win32Steps(steps), Win32Buttons(buttons));
}

void Edition::DragNoteStrip(int note, Pixels at, const std::vector<Pixels>& steps, int buttons) {
    Drag(Note(note)->Strip(), {at.first, at.second}, Win32Steps(steps), Win32Buttons(buttons));
}

EditionDriver::Pixels Edition::NotePlace(int note) {
    RECT place;
    GetWindowRect(Note(note)->Handle(), &place);
    return {place.left, place.top};
}

EditionDriver::Pixels Edition::NoteSize(int note) {
    RECT client;
    GetClientRect(Note(note)->Handle(), &client);
    return {client.right, client.bottom};
}

bool Edition::NoteShapeHolds(int note, Pixels at) {
    // The region the system holds for the window, read back.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool holds = GetWindowRgn(Note(note)->Handle(), region) != ERROR &&
                       PtInRegion(region, at.first, at.second) != FALSE;
    DeleteObject(region);
    return holds;
}

EditionDriver::Rect Edition::ControlPlace(ControlAt control) {
    RECT place;
    GetWindowRect(ControlOf(control.first, control.second), &place);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

std::vector<LauncherControl> Edition::StackedTopDown() {
    std::vector<LauncherControl> stacked;
    for (HWND child = GetWindow(window->Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        for (const LauncherControl kind : Launcher::Form1Layout::StackingBottomUp) {
            bool found = false;
            if (kind == LauncherControl::imgApp) {
                for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
                    found = found || Slot(slot) == child;
                }
            } else {
                found = ControlOf(kind) == child;
            }
            if (found && (stacked.empty() || stacked.back() != kind)) {
                stacked.push_back(kind);
            }
        }
    }
    return stacked;
}

bool Edition::ShowsHandPointer(ControlAt control) {
    // The pointer the window sets when the system asks, as the pointer moves over it.
    HWND target = ControlOf(control.first, control.second);
    SetCursor(nullptr);
    SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR shown = GetCursor();
    return shown != nullptr && shown != LoadCursorW(nullptr, IDC_ARROW);
}

std::uint32_t Edition::SlotColour(int slot) {
    const Rect place = ControlPlace({LauncherControl::imgApp, slot});
    const COLORREF pixel = window->ClientPixel(place[0] + place[2] / 2, place[1] + place[3] / 2);
    return (std::uint32_t{GetRValue(pixel)} << 16) | (std::uint32_t{GetGValue(pixel)} << 8) |
           GetBValue(pixel);
}

void Edition::RestPointerOnSlot(int slot) {
    // The pointer put there, and the slot reporting the move, as the system does.
    const Rect place = ControlPlace({LauncherControl::imgApp, slot});
    POINT centre{place[0] + place[2] / 2, place[1] + place[3] / 2};
    ClientToScreen(window->Handle(), &centre);
    SetCursorPos(centre.x, centre.y);
    POINT inSlot = centre;
    ScreenToClient(Slot(slot), &inSlot);
    SendMessageW(Slot(slot), WM_MOUSEMOVE, 0, MAKELPARAM(inSlot.x, inSlot.y));
}

std::string Edition::WaitForTip() {
    // The tool tip of the launcher's thread: the one window of its class.
    HWND tip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND each, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(each, name, 64);
            if (std::wstring_view(name) == TOOLTIPS_CLASSW) {
                // NOLINTNEXTLINE(performance-no-int-to-ptr): the caller's handle to fill in
                *reinterpret_cast<HWND*>(found) = each;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tip));
    if (tip == nullptr || !WaitUntil([&] { return IsWindowVisible(tip) != FALSE; }, 3000)) {
        return {};
    }
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) == 0) {
        return {};
    }
    return TestSupport::Utf8(std::u16string(reinterpret_cast<const char16_t*>(text)));
}

EditionDriver::Pixels Edition::LauncherPlace() {
    RECT place;
    GetWindowRect(window->Handle(), &place);
    return {place.left, place.top};
}

EditionDriver::Pixels Edition::LauncherSize() {
    RECT place;
    GetWindowRect(window->Handle(), &place);
    return {place.right - place.left, place.bottom - place.top};
}

bool Edition::LauncherFrameless() {
    // A popup, its client area the whole window: no border, no title bar.
    RECT client;
    RECT outer;
    GetClientRect(window->Handle(), &client);
    GetWindowRect(window->Handle(), &outer);
    const LONG_PTR style = GetWindowLongPtrW(window->Handle(), GWL_STYLE);
    return (style & WS_POPUP) != 0 && (style & (WS_CAPTION | WS_THICKFRAME)) == 0 &&
           client.right == outer.right - outer.left && client.bottom == outer.bottom - outer.top;
}

std::array<int, 4> Edition::WorkArea() {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

void Edition::StartActive() {
    Start();
    WaitForGrid();
    ActivateLauncher();
}

HWND Edition::KeyTarget() const {
    HWND focused = GetFocus();
    return focused != nullptr && GetAncestor(focused, GA_ROOT) == window->Handle()
               ? focused
               : window->Handle();
}

void Edition::EndSession() {
    EXPECT_EQ(SendMessageW(window->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(window->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

void Edition::PressKey(int keyCode, int shift) {
    // Shift as the keyboard state says while the key goes down; Alt makes a system key.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = (shift & Support::ShiftKey) != 0 ? 0x80 : 0;
    keys[VK_CONTROL] = (shift & Support::CtrlKey) != 0 ? 0x80 : 0;
    SetKeyboardState(keys);
    const bool alt = (shift & Support::AltKey) != 0;
    constexpr LPARAM AltHeld = LPARAM{1} << 29;
    const auto key = static_cast<WPARAM>(keyCode);  // the handlers' codes are virtual keys
    HWND target = KeyTarget();
    SendMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | (alt ? AltHeld : 0));
    if (IsWindow(target) != FALSE) {
        SendMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | (alt ? AltHeld : 0));
    }
    keys[VK_SHIFT] = 0;
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

void Edition::TypeText(const std::u16string& text) {
    // Each key's own message, then the character the system makes of it.
    for (const char16_t c : text) {
        const auto key = static_cast<WPARAM>(LOBYTE(VkKeyScanW(static_cast<wchar_t>(c))));
        SendMessageW(KeyTarget(), WM_KEYDOWN, key, 1);
        SendMessageW(KeyTarget(), WM_CHAR, static_cast<WPARAM>(c), 1);
        SendMessageW(KeyTarget(), WM_KEYUP, key, 1);
    }
}

void Edition::TurnWheel(ControlAt over, int delta) {
    // With the pointer over the control, the message goes to it.
    HWND control = ControlOf(over.first, over.second);
    RECT place;
    GetWindowRect(control, &place);
    const POINT at{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    SendMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y)));
}

void Edition::ActivateLastNote() {
    ASSERT_FALSE(Notes().empty());
    HWND note = Notes().back()->Handle();
    SetActiveWindow(note);
    ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == note; }, 2000));
}

void Edition::ActivateLauncher() {
    SetActiveWindow(window->Handle());
    ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == window->Handle(); }, 2000));
}

std::optional<EditionDriver::ControlAt> Edition::Focused() {
    HWND focused = GetFocus();
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        if (focused == Slot(slot)) {
            return ControlAt{LauncherControl::imgApp, slot};
        }
    }
    for (const LauncherControl control : Launcher::Form1Layout::StackingBottomUp) {
        if (control != LauncherControl::imgApp && focused == ControlOf(control)) {
            return ControlAt{control, 0};
        }
    }
    return std::nullopt;
}

std::vector<EditionDriver::ControlAt> Edition::Marked() {
    // The mark the window draws into its picture.
    const auto [item, slot] = window->FocusMark();
    if (item == Launcher::FocusItem::None) {
        return {};
    }
    return {ControlAtItem(item, slot)};
}

int Edition::ScrollValue() {
    return GetScrollPos(ControlOf(LauncherControl::VScroll1), SB_CTL);
}

bool Edition::LauncherShown() {
    return window->Handle() != nullptr && IsWindowVisible(window->Handle()) != FALSE;
}

void Edition::ReplaceNoteText(int note, const std::u16string& text) {
    SendMessageW(TextBox(note), EM_SETSEL, 0, -1);
    Type(TextBox(note), text);
}

void Edition::PressKeyInNote(int note, int keyCode, int shift) {
    // The key, and the character the system makes of the keys that have one.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = (shift & Support::ShiftKey) != 0 ? 0x80 : 0;
    SetKeyboardState(keys);
    const auto key = static_cast<WPARAM>(keyCode);
    SendMessageW(TextBox(note), WM_KEYDOWN, key, 1);
    if (keyCode == VK_RETURN || keyCode == VK_ESCAPE) {
        SendMessageW(TextBox(note), WM_CHAR, key, 1);
    }
    SendMessageW(TextBox(note), WM_KEYUP, key, 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

std::vector<std::u16string> Edition::NoteLines(int note) {
    // The edit control holds CR LF between its lines.
    const std::u16string text = WindowText(TextBox(note));
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find(u"\r\n"); end != std::u16string::npos;
         end = text.find(u"\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void Edition::AppendToNote(int note, const std::u16string& text) {
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(TextBox(note)));
    SendMessageW(TextBox(note), EM_SETSEL, end, static_cast<LPARAM>(end));
    Type(TextBox(note), text);
}
