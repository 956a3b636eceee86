// The least a Win32 program does to put a window on the screen: the baseline that KIVOLA.exe's
// start-up is measured against. One popup of the launcher's size, shown and painted once, then
// the end.

#include "platform/win32/WindowsApi.h"

#include "StartupReport.h"

namespace {

LARGE_INTEGER entered{};
LARGE_INTEGER painted{};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(window, &paint);
        painted = BenchWin32::Now();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    entered = BenchWin32::Now();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"KivolaMinimalWindow";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Minimal window", WS_POPUP,
                                        100, 100, 327, 439, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(window);
    const double paintedMs = BenchWin32::MillisecondsBetween(entered, painted);
    BenchWin32::Report(entered, painted,
                       "painted " + BenchWin32::Fixed1(paintedMs) + " ms after wWinMain");
    return painted.QuadPart != 0 ? 0 : 1;
}
