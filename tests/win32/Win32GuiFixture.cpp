#include "Win32GuiFixture.h"

#include <chrono>
#include <thread>

#include "platform/win32/WideText.h"
#include "testsupport/MarkerProgramWin32.h"

namespace {

void Put16(std::string& bytes, unsigned value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& bytes, unsigned value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

LPARAM PointParameter(POINT at) {
    return MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        PumpFor(5);
    }
    return true;
}

void PumpFor(int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
}

std::string BmpBytes(int width, int height, COLORREF colour) {
    const unsigned rowBytes = (static_cast<unsigned>(width) * 3 + 3) & ~3U;
    const unsigned pixelBytes = rowBytes * static_cast<unsigned>(height);
    std::string bytes = "BM";
    Put32(bytes, 54 + pixelBytes);
    Put32(bytes, 0);
    Put32(bytes, 54);
    Put32(bytes, 40);
    Put32(bytes, static_cast<unsigned>(width));
    Put32(bytes, static_cast<unsigned>(height));
    Put16(bytes, 1);
    Put16(bytes, 24);
    Put32(bytes, 0);
    Put32(bytes, pixelBytes);
    Put32(bytes, 2835);
    Put32(bytes, 2835);
    Put32(bytes, 0);
    Put32(bytes, 0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(GetBValue(colour));
            row += static_cast<char>(GetGValue(colour));
            row += static_cast<char>(GetRValue(colour));
        }
        row.resize(rowBytes, '\0');
        bytes += row;
    }
    return bytes;
}

std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Platform::Win32::FromWide(text);
}

void Click(HWND control, POINT at) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, PointParameter(at));
    SendMessageW(control, WM_LBUTTONUP, 0, PointParameter(at));
}

void Drag(HWND handle, POINT at, const std::vector<POINT>& steps, WPARAM held) {
    POINT pointer = at;
    ClientToScreen(handle, &pointer);
    const UINT down = (held & MK_LBUTTON) != 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    const UINT up = (held & MK_LBUTTON) != 0 ? WM_LBUTTONUP : WM_RBUTTONUP;
    SendMessageW(handle, down, held, PointParameter(at));
    for (const POINT& step : steps) {
        pointer.x += step.x;
        pointer.y += step.y;
        POINT within = pointer;
        ScreenToClient(handle, &within);
        SendMessageW(handle, WM_MOUSEMOVE, held, PointParameter(within));
    }
    POINT within = pointer;
    ScreenToClient(handle, &within);
    SendMessageW(handle, up, 0, PointParameter(within));
}

void Type(HWND box, const std::u16string& text) {
    SetFocus(box);
    for (const char16_t c : text) {
        SendMessageW(box, WM_CHAR, static_cast<WPARAM>(c), 1);
    }
}

Win32GuiFixture::Win32GuiFixture() {
    inDrive = std::make_unique<TestSupport::ScopedCurrentFolder>(drive.Path());
    drive.WriteFile("defaulticon.gif", BmpBytes(48, 48, RGB(90, 90, 90)));
}

Win32GuiFixture::~Win32GuiFixture() {
    window.reset();
    PumpFor(10);
    inDrive.reset();
}

std::u16string Win32GuiFixture::AddApplication(const std::string& title) {
    static int shade = 0;
    shade = (shade + 37) % 200;
    const std::u16string program = TestSupport::PlantMarker(drive, title + "/app.exe");
    drive.WriteFile(title + "/kivolaapp.ini", "app.exe");
    drive.WriteFile(title + "/appicon.gif", BmpBytes(48, 48, RGB(40 + shade, 120, 200 - shade)));
    return program;
}

void Win32GuiFixture::AddNote(const std::string& noteId, const std::string& text) {
    drive.WriteFile("Notes/" + noteId + ".txt", text);
}

Win32Ui::LauncherWindow& Win32GuiFixture::Start() {
    window = std::make_unique<Win32Ui::LauncherWindow>(dialogs, *drives, *processes, drive.Text(),
                                                       [this] { ++endings; });
    window->Show();
    return *window;
}

void Win32GuiFixture::WaitForGrid() {
    ASSERT_TRUE(WaitUntil([&] { return window->Timer1Ticks() > 0; })) << "the first scan never ran";
}

std::vector<std::string> Win32GuiFixture::SlotTitles() const {
    std::vector<std::string> titles;
    for (int slot = 1; slot <= Launcher::SlotCount; ++slot) {
        titles.push_back(TestSupport::Utf8(WindowText(Slot(slot))));
    }
    return titles;
}

void Win32GuiFixture::ScrollArrow(bool down) const {
    HWND bar = ControlOf(Launcher::Form1Layout::Control::VScroll1);
    SendMessageW(window->Handle(), WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP,
                 reinterpret_cast<LPARAM>(bar));
    SendMessageW(window->Handle(), WM_VSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(bar));
}

std::string Win32GuiFixture::NoteFile(const std::u16string& noteId) const {
    return drive.ReadFile("Notes/" + TestSupport::Utf8(noteId) + ".txt");
}
