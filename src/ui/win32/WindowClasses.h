#pragma once

// The window classes of the program, registered once per process on first use, and the link
// from a window handle to the C++ object behind it.

#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

HINSTANCE ProgramInstance();

// The id of a child window, in the place of the menu that CreateWindowExW takes it in.
HMENU ChildId(int id);

// Registers the class on its first call (later calls return the same name). The class's
// window procedure receives the object passed as CreateWindowExW's last argument through
// ObjectOf from WM_NCCREATE on.
const wchar_t* RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                                   UINT style = 0);

// For window procedures: stores the creation argument at WM_NCCREATE and returns the object of
// the window afterwards (nullptr before WM_NCCREATE and after WM_NCDESTROY).
template <typename Object>
Object* ObjectOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): lParam points to the creation data
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the window data holds the object
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return object;
}

// The window procedure of a class whose objects handle their own messages: until the object
// has been told its window (at WM_NCCREATE, while CreateWindowExW runs), messages go to the
// system's default handling; from then on to the object's handler.
template <typename Object, HWND Object::*Window, LRESULT (Object::*Handler)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = ObjectOf<Object>(window, message, lParam);
    if (self == nullptr || self->*Window == nullptr) {
        if (self != nullptr && message == WM_NCCREATE) {
            self->*Window = window;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return (self->*Handler)(message, wParam, lParam);
}

}  // namespace Win32Ui
