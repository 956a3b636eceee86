// KIVOLA.exe's start-up, stopped at the moment the user can use it: the first tick of Timer1
// has scanned the drive and filled the grid. The same steps as src/ui/win32/main.cpp, with the
// program's artwork and manifest linked in and started from the drive's root, so the runner
// times exactly what a user waits for. The window goes the way it goes when the program ends.

#include "platform/win32/WindowsApi.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstddef>
#include <string>

#include "StartupReport.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "platform/Processes.h"
#include "ui/win32/LauncherWindow.h"
#include "ui/win32/Win32Dialogs.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    const LARGE_INTEGER entered = BenchWin32::Now();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Platform::ReturnLargeBlocksAtOnce();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    bool filled = false;
    double loadedMs = 0;
    LARGE_INTEGER filledAt{};
    double tickMs = 0;
    std::size_t notesOpen = 0;
    {
        Win32Ui::Win32Dialogs dialogs;
        const auto drives = Platform::SystemDrives();
        const auto processes = Platform::SystemProcesses();
        Win32Ui::LauncherWindow window(dialogs, *drives, *processes, Platform::ProgramFolder(),
                                       [] { PostQuitMessage(0); });
        loadedMs = BenchWin32::MillisecondsSince(entered);
        window.Show(showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER && tickMs == 0) {
                tickMs = BenchWin32::MillisecondsSince(entered);
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (window.Timer1Ticks() > 0) {
                filledAt = BenchWin32::Now();
                notesOpen = window.Notes().OpenWindows().size();
                filled = true;
                break;
            }
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    const double filledMs = BenchWin32::MillisecondsBetween(entered, filledAt);
    BenchWin32::Report(entered, filledAt,
                       "load step done " + BenchWin32::Fixed1(loadedMs) + " ms, first tick " +
                           BenchWin32::Fixed1(tickMs) + " ms, grid filled " +
                           BenchWin32::Fixed1(filledMs) + " ms after wWinMain; " +
                           std::to_string(notesOpen) + " notes open");
    // A window closed before the first tick is no start-up to time.
    return filled ? 0 : 1;
}
