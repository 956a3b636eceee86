// What only the Win32 launcher window shows: the caption drawn into its one picture, the style of
// its window and scroll bar, its growth on a monitor of 144 dpi, and its artwork's pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Win32GuiFixture.h"
#include "launcher/Form1Layout.h"

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;

class LauncherWindowWin32Test : public Win32GuiFixture {
  protected:
    void AddApplications(int count) {
        for (int i = 1; i <= count; ++i) {
            AddApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i));
        }
    }
    RECT PlaceOf(HWND control) const {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    // The centre of a slot, in client pixels.
    static POINT SlotCentre(int slot) {
        const Layout::Place place = Layout::SlotPlace(slot);
        return {static_cast<int>(place.Left / 15 + 28), static_cast<int>(place.Top / 15 + 28)};
    }
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(LauncherWindowWin32Test, TheCaptionIsDrawnInTheWindowsPictureAndTheBarIsNoTabStop) {
    AddApplications(25);
    Start();
    EXPECT_EQ(window->ClientPixel(100, 190), RGB(255, 255, 255));  // the caption's white box
    WaitForGrid();
    HWND bar = ControlOf(Control::VScroll1);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE) & WS_TABSTOP, 0);
    SCROLLINFO range{sizeof(range), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &range);
    EXPECT_EQ(range.nMin, 1);
    EXPECT_EQ(range.nMax, 5);
    wchar_t className[64] = {};
    GetClassNameW(bar, className, 64);
    EXPECT_EQ(std::wstring(className), L"ScrollBar");
}

TEST_F(LauncherWindowWin32Test, OnAMonitorOf144DpiTheLayoutGrowsByHalf) {
    AddApplications(1);
    Start();
    WaitForGrid();
    RECT suggested{10, 20, 10 + 490, 20 + 658};
    SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, 490);  // 4905 twips: 490.5 pixels, halves to even
    EXPECT_EQ(client.bottom, 658);
    EXPECT_TRUE(SameRect(PlaceOf(Slot(7)), RECT{240, 192, 240 + 86, 192 + 86}));
    EXPECT_TRUE(SameRect(PlaceOf(ControlOf(Control::VScroll1)), RECT{440, 96, 462, 566}))
        << PlaceOf(ControlOf(Control::VScroll1)).right;
    // The background picture is drawn at the monitor's scale too: no gap below it.
    EXPECT_NE(window->ClientPixel(5, 650), GetSysColor(COLOR_WINDOW));
    // The pictures fill their grown slots.
    EXPECT_EQ(window->ClientPixel(48 + 70, 96 + 70), window->ClientPixel(48 + 5, 96 + 5));
}

TEST_F(LauncherWindowWin32Test, TheArtworkLiesUnderTheControlsAndGivesTheHandPointer) {
    Start();
    // The picture lies under the controls: the background's colour shows beside the grid, the
    // white panel under the slots, and the window's last column is the form's own colour.
    EXPECT_EQ(window->ClientPixel(326, 200), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(window->ClientPixel(5, 5), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(window->ClientPixel(SlotCentre(1).x, SlotCentre(1).y), RGB(255, 255, 255));
    // "+ New KIVOLA" is drawn in the active caption's colour on the window colour.
    bool captionColour = false;
    for (int x = 32; x < 121 && !captionColour; ++x) {
        for (int y = 387; y < 404 && !captionColour; ++y) {
            captionColour = window->ClientPixel(x, y) == GetSysColor(COLOR_ACTIVECAPTION);
        }
    }
    EXPECT_TRUE(captionColour);

    // The hand pointer: the artwork's, pointing at its top-left corner.
    HWND slot = Slot(1);
    SetCursor(nullptr);
    SendMessageW(slot, WM_SETCURSOR, reinterpret_cast<WPARAM>(slot),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hand = GetCursor();
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 1U);
    EXPECT_EQ(info.yHotspot, 1U);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
