#pragma once

// The launcher's and the note's pictures and labels: child windows that draw what their owner
// paints into them and report the mouse to it. Each is a real window, so that it has a place
// in the stacking order, takes the pointer, and is found with its name by screen readers and
// UI automation (the window text is the name).

#include <string_view>
#include <vector>

#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

class ControlOwner {
  public:
    virtual ~ControlOwner() = default;
    // Paints the whole control; the device context's origin is the control's top-left corner.
    virtual void PaintControl(HWND control, HDC dc) = 0;
    // Pointer positions are pixels within the control; button and shift are the handlers'
    // codes (Support::LeftButton, Support::ShiftKey, ...).
    virtual void ControlMouseDown(HWND /*control*/, int /*button*/, int /*shift*/, POINT /*at*/) {}
    virtual void ControlMouseMove(HWND /*control*/, int /*button*/, int /*shift*/, POINT /*at*/) {}
    // Every mouse message of the control, before it is handled: for a tool tip to follow the
    // pointer (TTM_RELAYEVENT).
    virtual void ControlMouseMessage(HWND /*control*/, const MSG& /*message*/) {}
    // The left button went down and came up again over the control.
    virtual void ControlClick(HWND /*control*/) {}
    // A key that reached the control while it had the focus (WM_KEYDOWN, WM_SYSKEYDOWN or
    // WM_CHAR as received); true when the owner used it.
    virtual bool ControlKey(HWND /*control*/, UINT /*message*/, WPARAM /*wParam*/,
                            LPARAM /*lParam*/) {
        return false;
    }
    virtual bool ControlHasHandPointer(HWND /*control*/) const { return false; }
    virtual HCURSOR HandCursor() const { return nullptr; }
};

// A child control of parent at place (parent pixels).
HWND CreatePictureControl(HWND parent, int id, std::u16string_view name, const RECT& place,
                          ControlOwner& owner);

// Puts sibling windows in this stacking order, the top one first. Controls made from the top
// of the order down are already so where the system puts each new child below its siblings
// (as here); elsewhere they are moved into place.
void StackTopDown(const std::vector<HWND>& topDown);

// The handlers' codes for the buttons and keys a mouse message reports.
int ButtonCode(WPARAM keys);
int ShiftCode(WPARAM keys);
// The handlers' Shift code for a key message: Alt from the message itself (a system key), Shift
// and Ctrl as they are held.
int KeyShiftCode(LPARAM keyData);

}  // namespace Win32Ui
