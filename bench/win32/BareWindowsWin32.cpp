// The windows of a start-up made with bare Win32 calls and nothing of KIVOLA's own, built twice
// (bench/win32/CMakeLists.txt):
// - the baseline, BARE_NOTES 0 and BARE_CONTROLS 0: the least a Win32 program does to put a
//   window on the screen, one popup of the launcher's size, shown and painted;
// - the floor of what KIVOLA.exe's start-up has to show before its grid can be filled, with as
//   many note-sized popups as the drive has notes (each with a multi-line edit control holding
//   text in Verdana, two small child windows for the strip and the cross, a window region,
//   shown without activation, one after the other) before the launcher-sized popup with as
//   many child windows as the launcher has controls. Under Wine each window costs round trips
//   to the Wine server that Windows does not have, so this tells what part of KIVOLA.exe's
//   time is that.
// The moment reported is the launcher-sized popup painted.

#include "platform/win32/WindowsApi.h"

#include <string>
#include <vector>

#include "StartupReport.h"

namespace {

constexpr int Notes = BARE_NOTES;
constexpr int LauncherControls = BARE_CONTROLS;

LARGE_INTEGER entered{};
LARGE_INTEGER painted{};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(window, &paint);
        if (GetWindowLongPtrW(window, GWLP_ID) == 0 && GetParent(window) == nullptr &&
            GetWindowTextLengthW(window) == 0) {
            painted = BenchWin32::Now();
            PostQuitMessage(0);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(const wchar_t* className, HWND parent, int id, int x, int y, int width, int height,
           DWORD style = 0) {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
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
    windowClass.lpszClassName = L"KivolaBareWindow";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    // The baseline makes no font: it is to do nothing beyond its one window.
    const HFONT font = Notes == 0
                           ? nullptr
                           : CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH, L"Verdana");
    std::vector<HWND> windows;
    for (int i = 0; i < Notes; ++i) {
        const HWND note = CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, L"note",
                                          WS_POPUP | WS_CLIPCHILDREN, 40 + 8 * i, 40 + 8 * i, 242,
                                          240, nullptr, nullptr, instance, nullptr);
        if (note == nullptr) {
            return 1;
        }
        const HWND text =
            Child(L"EDIT", note, 1, 6, 18, 230, 216, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
        SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowTextW(text, L"Type here to write your note...\r\nA note of a few words.");
        Child(windowClass.lpszClassName, note, 2, 0, 0, 242, 16);
        Child(windowClass.lpszClassName, note, 3, 224, 1, 15, 14);
        SetWindowRgn(note, CreateRoundRectRgn(0, 0, 243, 241, 16, 16), FALSE);
        ShowWindow(note, SW_SHOWNOACTIVATE);
        windows.push_back(note);
    }
    const HWND launcher = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 100, 100,
                                          327, 439, nullptr, nullptr, instance, nullptr);
    if (launcher == nullptr) {
        return 1;
    }
    for (int i = 0; i < LauncherControls; ++i) {
        Child(windowClass.lpszClassName, launcher, 100 + i, 10 + (i % 4) * 60, 60 + (i / 4) * 50,
              32, 32);
    }
    windows.push_back(launcher);
    ShowWindow(launcher, showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(launcher);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (const HWND window : windows) {
        DestroyWindow(window);
    }
    if (font != nullptr) {
        DeleteObject(font);
    }
    const double paintedMs = BenchWin32::MillisecondsBetween(entered, painted);
    BenchWin32::Report(entered, painted,
                       std::to_string(Notes) + " note windows and a popup, painted " +
                           BenchWin32::Fixed1(paintedMs) + " ms after wWinMain");
    return painted.QuadPart != 0 ? 0 : 1;
}
