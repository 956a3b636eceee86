#include "ui/win32/Subclass.h"

namespace Win32Ui {

namespace {

struct Link {
    WNDPROC Next = nullptr;
    SUBCLASSPROC Procedure = nullptr;
    DWORD_PTR Data = 0;
};

Link* LinkOf(HWND control) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the control's data holds the link
    return reinterpret_cast<Link*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

LRESULT CALLBACK InFront(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    Link* link = LinkOf(control);
    if (link == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    const LRESULT result = link->Procedure(control, message, wParam, lParam, 0, link->Data);
    if (message == WM_NCDESTROY) {
        // The control's last message: nothing of ours may outlive it.
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->Next));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        delete link;
    }
    return result;
}

}  // namespace

void Subclass(HWND control, SUBCLASSPROC procedure, DWORD_PTR data) {
    if (control == nullptr || LinkOf(control) != nullptr) {
        return;
    }
    auto* link = new Link{nullptr, procedure, data};
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the old value is the control's procedure
    link->Next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InFront)));
    if (link->Next == nullptr) {
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        delete link;
    }
}

LRESULT CallNextProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const Link* link = LinkOf(control);
    if (link == nullptr || link->Next == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    return CallWindowProcW(link->Next, control, message, wParam, lParam);
}

}  // namespace Win32Ui
