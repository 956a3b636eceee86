/* Keeps Wine's desktop process alive while tests run, started by scripts/wine/run with its
 * streams on /dev/null.
 *
 * The first program of a session that touches windows makes Wine start its desktop process,
 * which inherits that program's output pipes; Wine ends the desktop about a second after its
 * last user leaves, so CTest would wait that second after every such test and the next test
 * would start the desktop again. This program is a user of the desktop that never leaves while
 * tests come and go, and ends itself once no other program has run for a while, so that Wine's
 * server can end, too.
 *
 * Usage: keeper.exe READY-FILE   (the file is created once the desktop is up) */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <tlhelp32.h>
#include <wchar.h>

/* Seconds with nothing but Wine's own background programs running before this one ends. */
#define IDLE_SECONDS 30

/* Wine's own background programs, which come and go without any test. */
static const wchar_t *const background[] = {
    L"services.exe", L"winedevice.exe", L"plugplay.exe", L"svchost.exe", L"rpcss.exe",
    L"explorer.exe", L"conhost.exe",    L"wineboot.exe", L"winemenubuilder.exe",
};

static int IsBackground(const wchar_t *name) {
    for (size_t i = 0; i < sizeof background / sizeof background[0]; ++i) {
        if (_wcsicmp(name, background[i]) == 0) {
            return 1;
        }
    }
    return 0;
}

/* Whether a program other than this one and the background ones runs. On failure to look,
 * says yes: staying a little longer is harmless. */
static int OthersRun(DWORD self) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 1;
    }
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    int others = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !others;
         more = Process32NextW(snapshot, &entry)) {
        others = entry.th32ProcessID != self && !IsBackground(entry.szExeFile);
    }
    CloseHandle(snapshot);
    return others;
}

int wmain(int argc, wchar_t **argv) {
    if (argc != 2) {
        return 2;
    }
    /* Returns once the desktop process has started, with this program's streams. */
    if (GetDesktopWindow() == NULL) {
        return 1;
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"kivola-keeper", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  NULL, GetModuleHandleW(NULL), NULL);
    if (window == NULL) {
        return 1;
    }
    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (ready == INVALID_HANDLE_VALUE) {
        return 1;
    }
    CloseHandle(ready);

    const DWORD self = GetCurrentProcessId();
    ULONGLONG lastBusy = GetTickCount64();
    while (GetTickCount64() - lastBusy < IDLE_SECONDS * 1000ULL) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 1000, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (OthersRun(self)) {
            lastBusy = GetTickCount64();
        }
    }
    DeleteFileW(argv[1]);
    DestroyWindow(window);
    return 0;
}
