// What reaches the screen: the composed pictures drawn by the controls themselves, the loading
// caption before the first scan, and the note window really cut by its region. Needs a screen
// to read back, which Wine's X11 driver on a virtual X server gives (scripts/test runs the
// Windows suite so); with Wine's null driver nothing is drawn, and these cases say so.

#include <gmock/gmock.h>

#include <cstdlib>
#include <string_view>

#include "Win32GuiFixture.h"

namespace {

namespace Layout = Launcher::Form1Layout;

class ScreenWin32Test : public Win32GuiFixture {
  protected:
    void SetUp() override {
        const char* driver = std::getenv("KIVOLA_WINE_GRAPHICS");
        if (driver == nullptr || std::string_view(driver) != "x11") {
            GTEST_SKIP() << "no screen to read: run under Wine's x11 driver on an X server";
        }
    }
    // A pixel of the screen at a point of a window's client area.
    static COLORREF ScreenPixel(HWND window, int x, int y) {
        POINT at{x, y};
        ClientToScreen(window, &at);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    // Paints the window and its controls now, without running the message loop (where the
    // first tick of Timer1 would come).
    static void PaintNow(HWND window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
    }
    // Dark pixels (the caption's letters) on the screen within a rectangle of the client area.
    static int DarkPixels(HWND window, const RECT& within) {
        int dark = 0;
        for (int y = within.top; y < within.bottom; ++y) {
            for (int x = within.left; x < within.right; ++x) {
                const COLORREF c = ScreenPixel(window, x, y);
                dark += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100 ? 1 : 0;
            }
        }
        return dark;
    }
};

TEST_F(ScreenWin32Test, TheLoadingCaptionThenTheIconsAppearOnTheScreen) {
    AddApplication("Blue");
    Start();
    PaintNow(window->Handle());
    ASSERT_EQ(window->Timer1Ticks(), 0);
    // Before the first tick: "Please wait, loading..." in black on its white box, and the slot
    // still empty, showing the white panel.
    const RECT caption{96, 184, 225, 201};
    EXPECT_GT(DarkPixels(window->Handle(), caption), 20);
    EXPECT_EQ(ScreenPixel(window->Handle(), 60, 92), RGB(255, 255, 255));
    WaitForGrid();
    PumpFor(200);
    EXPECT_EQ(DarkPixels(window->Handle(), caption), 0);
    // The slot shows its picture (a BMP of one colour), drawn by the slot's own window.
    EXPECT_EQ(ScreenPixel(window->Handle(), 60, 92), window->ClientPixel(60, 92));
    EXPECT_NE(ScreenPixel(window->Handle(), 60, 92), RGB(255, 255, 255));
    // The background picture at the top left, the form's own colour in its last column.
    EXPECT_EQ(ScreenPixel(window->Handle(), 5, 5), window->ClientPixel(5, 5));
    EXPECT_EQ(ScreenPixel(window->Handle(), 326, 200), GetSysColor(COLOR_WINDOW));
}

TEST_F(ScreenWin32Test, TheNoteWindowIsCutOnTheScreen) {
    Start();
    Click(ControlOf(Layout::Control::lblNewNote));
    ASSERT_FALSE(Notes().empty());
    Win32Ui::NoteWindow* note = Notes().back();
    // Over nothing but the screen's own background, to the right of the launcher.
    SetWindowPos(note->Handle(), HWND_TOP, 700, 100, 0, 0, SWP_NOSIZE);
    PaintNow(note->Handle());
    PumpFor(200);
    const COLORREF beneath = ScreenPixel(note->Handle(), -20, -20);
    ASSERT_NE(beneath, GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(ScreenPixel(note->Handle(), 100, 100), GetSysColor(COLOR_INFOBK));  // text box
    EXPECT_EQ(ScreenPixel(note->Handle(), 100, 10), GetSysColor(COLOR_INFOBK));   // strip
    // Where the strip and the text box overlap, and at the corners beside the cross and under
    // the text box, the screen behind shows.
    EXPECT_EQ(ScreenPixel(note->Handle(), 100, 24), beneath);
    EXPECT_EQ(ScreenPixel(note->Handle(), 232, 22), beneath);
    EXPECT_EQ(ScreenPixel(note->Handle(), 2, 100), beneath);
    EXPECT_EQ(ScreenPixel(note->Handle(), 120, 235), beneath);
}

}  // namespace
