#include "ui/win32/PictureControl.h"

#include <windowsx.h>

#include <string>

#include "platform/win32/WideText.h"
#include "support/MouseClick.h"
#include "support/MouseDrag.h"
#include "ui/win32/WindowClasses.h"

namespace Win32Ui {

namespace {

constexpr wchar_t ClassName[] = L"KIVOLA.Picture";
// The control's click state, from its first press until it goes.
constexpr wchar_t ClickProperty[] = L"KIVOLA.Click";

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

Support::MouseClick& ClickOf(HWND control) {
    auto* click = static_cast<Support::MouseClick*>(GetPropW(control, ClickProperty));
    if (click == nullptr) {
        click = new Support::MouseClick();
        SetPropW(control, ClickProperty, click);
    }
    return *click;
}

LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = ObjectOf<ControlOwner>(control, message, lParam);
    if (owner == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        const DWORD at = GetMessagePos();
        const MSG relayed{control,
                          message,
                          wParam,
                          lParam,
                          static_cast<DWORD>(GetMessageTime()),
                          {GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
        owner->ControlMouseMessage(control, relayed);
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the owner paints every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(control, &paint);
            owner->PaintControl(control, dc);
            EndPaint(control, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                HCURSOR hand =
                    owner->ControlHasHandPointer(control) ? owner->HandCursor() : nullptr;
                SetCursor(hand != nullptr ? hand : LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const int button = message == WM_LBUTTONDOWN   ? Support::LeftButton
                               : message == WM_RBUTTONDOWN ? Support::RightButton
                                                           : Support::MiddleButton;
            ClickOf(control).ButtonDown(button);
            if (button == Support::LeftButton) {
                // Moves keep coming while the button is down, also beyond the control.
                SetCapture(control);
            }
            owner->ControlMouseDown(control, button, ShiftCode(wParam), PointOf(lParam));
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            ClickOf(control).DoubleClickDown();
            // Moves still follow the second press.
            SetCapture(control);
            return 0;
        case WM_MOUSEMOVE:
            owner->ControlMouseMove(control, ButtonCode(wParam), ShiftCode(wParam),
                                    PointOf(lParam));
            return 0;
        case WM_LBUTTONUP: {
            RECT client;
            GetClientRect(control, &client);
            // Decided before the capture goes, whose loss would count as the control's.
            const bool click =
                ClickOf(control).LeftButtonUp(PtInRect(&client, PointOf(lParam)) != FALSE);
            if (GetCapture() == control) {
                ReleaseCapture();
            }
            if (click) {
                owner->ControlClick(control);
            }
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            // The owner may close its window on a key: nothing of the control is used after.
            if (owner->ControlKey(control, message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (lParam != reinterpret_cast<LPARAM>(control)) {
                ClickOf(control).Lost();
            }
            return 0;
        case WM_NCDESTROY:
            delete static_cast<Support::MouseClick*>(RemovePropW(control, ClickProperty));
            break;
        default:
            break;
    }
    return DefWindowProcW(control, message, wParam, lParam);
}

}  // namespace

HWND CreatePictureControl(HWND parent, int id, std::u16string_view name, const RECT& place,
                          ControlOwner& owner) {
    const wchar_t* className =
        RegisterWindowClass(ClassName, ControlProcedure, nullptr, CS_DBLCLKS);
    const std::wstring text = Platform::Win32::Wide(name);
    return CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, ChildId(id), ProgramInstance(),
                           &owner);
}

void StackTopDown(const std::vector<HWND>& topDown) {
    bool inOrder = !topDown.empty() && GetWindow(topDown.front(), GW_HWNDPREV) == nullptr;
    for (std::size_t i = 1; inOrder && i < topDown.size(); ++i) {
        inOrder = GetWindow(topDown[i - 1], GW_HWNDNEXT) == topDown[i];
    }
    if (inOrder) {
        return;
    }
    constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    HWND above = HWND_TOP;
    for (HWND window : topDown) {
        SetWindowPos(window, above, 0, 0, 0, 0, keep);
        above = window;
    }
}

int ButtonCode(WPARAM keys) {
    int code = 0;
    if ((keys & MK_LBUTTON) != 0) {
        code += Support::LeftButton;
    }
    if ((keys & MK_RBUTTON) != 0) {
        code += Support::RightButton;
    }
    if ((keys & MK_MBUTTON) != 0) {
        code += Support::MiddleButton;
    }
    return code;
}

int ShiftCode(WPARAM keys) {
    int code = 0;
    if ((keys & MK_SHIFT) != 0) {
        code += Support::ShiftKey;
    }
    if ((keys & MK_CONTROL) != 0) {
        code += Support::CtrlKey;
    }
    if (GetKeyState(VK_MENU) < 0) {
        code += Support::AltKey;
    }
    return code;
}

int KeyShiftCode(LPARAM keyData) {
    int code = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        code += Support::ShiftKey;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        code += Support::CtrlKey;
    }
    constexpr LPARAM AltHeld = LPARAM{1} << 29;  // the key message's context code
    if ((keyData & AltHeld) != 0) {
        code += Support::AltKey;
    }
    return code;
}

}  // namespace Win32Ui
