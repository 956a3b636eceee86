#include "ui/win32/WindowClasses.h"

#include <mutex>
#include <set>
#include <string>

namespace Win32Ui {

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

HMENU ChildId(int id) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): Win32 takes the id as a handle
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

const wchar_t* RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                                   UINT style) {
    static std::mutex guard;
    static std::set<std::wstring> registered;
    const std::scoped_lock lock(guard);
    if (registered.insert(name).second) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = style;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ProgramInstance();
        // No class cursor: each window sets its pointer on WM_SETCURSOR.
        windowClass.hCursor = nullptr;
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        RegisterClassExW(&windowClass);
    }
    return name;
}

}  // namespace Win32Ui
