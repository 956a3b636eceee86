#include "ui/win32/Dpi.h"

#include "support/RoundHalfEven.h"

namespace Win32Ui {

namespace {

// Looked up rather than imported: the functions exist from Windows 10 (user32) and 8.1
// (shcore) on, and an import of either would keep the program from starting on older systems.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) {
        handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    if (handle == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : StandardDpi;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : StandardDpi;
}

}  // namespace

int Scale::Pixels(double twips) const {
    return Support::RoundToInt32(twips * PixelsPerTwip());
}

int Scale::FromStandard(int pixels) const {
    return MulDiv(pixels, dpi_, StandardDpi);
}

RECT Scale::Rect(double left, double top, double width, double height) const {
    const int x = Pixels(left);
    const int y = Pixels(top);
    return {x, y, x + Pixels(width), y + Pixels(height)};
}

int DpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int DpiAtPoint(POINT point) {
    // MONITOR_DPI_TYPE MDT_EFFECTIVE_DPI is 0.
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        if (monitor != nullptr && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && x > 0) {
            return static_cast<int>(x);
        }
    }
    return SystemDpi();
}

}  // namespace Win32Ui
