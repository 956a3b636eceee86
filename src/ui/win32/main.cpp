// KIVOLA.exe starts by making its launcher window; everything else follows from that window's
// load step and events. The program takes no command line of its own.

#include "platform/win32/WindowsApi.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "platform/Processes.h"
#include "ui/win32/LauncherWindow.h"
#include "ui/win32/Win32Dialogs.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int nShowCmd) {
    // An empty card reader or a pulled drive must never raise the system's "no disk" box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Platform::ReturnLargeBlocksAtOnce();
    // The picture decoder is a COM object; the dialogs want an apartment-threaded thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        Win32Ui::Win32Dialogs dialogs;
        const auto drives = Platform::SystemDrives();
        const auto processes = Platform::SystemProcesses();
        Win32Ui::LauncherWindow window(dialogs, *drives, *processes, Platform::ProgramFolder(),
                                       [] { PostQuitMessage(0); });
        window.Show(nShowCmd == SW_HIDE ? SW_SHOWNORMAL : nShowCmd);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
