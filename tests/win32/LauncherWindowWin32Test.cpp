// The Win32 launcher window as the user meets it: start-up, paging, launching, adding,
// dragging, its layout and artwork.

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "Win32GuiFixture.h"
#include "launcher/Form1.h"
#include "launcher/Form1Layout.h"
#include "testsupport/MarkerProgramWin32.h"

#include <commctrl.h>

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::Not;

class LauncherWindowWin32Test : public Win32GuiFixture {
  protected:
    std::vector<std::u16string> AddApplications(int count) {
        std::vector<std::u16string> programs;
        for (int i = 1; i <= count; ++i) {
            programs.push_back(
                AddApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i)));
        }
        return programs;
    }
    // The program of the application whose title is given.
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

TEST_F(LauncherWindowWin32Test, StartsWithTheLoadingCaptionThenPagesThrough25Applications) {
    AddApplications(25);
    AddNote("Welcome", "Hello");
    Start();

    // The load step has run: notes open and the drive line written, over an empty grid.
    HWND loading = ControlOf(Control::lblLoading);
    EXPECT_TRUE(IsWindowVisible(loading));
    EXPECT_EQ(WindowText(loading), u"Please wait, loading...");
    EXPECT_EQ(window->ClientPixel(100, 190), RGB(255, 255, 255));  // the caption's white box
    EXPECT_EQ(Notes().size(), 1U);
    EXPECT_TRUE(
        std::regex_match(TestSupport::Utf8(WindowText(ControlOf(Control::Label1))),
                         std::regex("Using [0-9]+[.,][0-9][0-9] MB of [0-9]+[.,][0-9][0-9] MB.*")))
        << TestSupport::Utf8(WindowText(ControlOf(Control::Label1)));
    EXPECT_THAT(SlotTitles(), Each(IsEmpty()));
    const COLORREF emptySlot = window->ClientPixel(SlotCentre(1).x, SlotCentre(1).y);

    WaitForGrid();
    EXPECT_FALSE(IsWindowVisible(loading));
    const auto page1 = SlotTitles();
    EXPECT_THAT(page1, Each(Not(IsEmpty())));
    for (int slot = 1; slot <= 20; ++slot) {
        // Every slot shows its application's picture, a colour of its own.
        EXPECT_NE(window->ClientPixel(SlotCentre(slot).x, SlotCentre(slot).y), emptySlot) << slot;
    }
    HWND bar = ControlOf(Control::VScroll1);
    EXPECT_TRUE(IsWindowEnabled(bar));
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE) & WS_TABSTOP, 0);
    SCROLLINFO range{sizeof(range), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &range);
    EXPECT_EQ(range.nMin, 1);
    EXPECT_EQ(range.nMax, 5);

    ScrollArrow(true);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 2);
    EXPECT_EQ(window->Form().PageStart(), 21);
    EXPECT_FALSE(IsWindowVisible(loading));
    const auto page2 = SlotTitles();
    std::set<std::string> all(page1.begin(), page1.end());
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_EQ(page2[slot - 1].empty(), slot > 5) << slot;
        EXPECT_EQ(window->ClientPixel(SlotCentre(slot).x, SlotCentre(slot).y) == emptySlot,
                  slot > 5)
            << slot;
        all.insert(page2[slot - 1]);
    }
    all.erase("");
    EXPECT_EQ(all.size(), 25U);

    ScrollArrow(false);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
    EXPECT_EQ(SlotTitles(), page1);
    // Up from the first page goes nowhere.
    ScrollArrow(false);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
    EXPECT_EQ(SlotTitles(), page1);
}

TEST_F(LauncherWindowWin32Test, ALayoutOfRealControlsWhereTheTableSaysInItsStackingOrder) {
    Start();
    HWND form = window->Handle();
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 327);
    EXPECT_EQ(client.bottom, 439);
    RECT outer;
    GetWindowRect(form, &outer);
    EXPECT_EQ(outer.right - outer.left, 327);  // no border, no title bar
    EXPECT_EQ(outer.bottom - outer.top, 439);
    const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
    EXPECT_NE(style & WS_POPUP, 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(WindowText(form), u"KIVOLA");
    EXPECT_NE(SendMessageW(form, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(form, WM_GETICON, ICON_BIG, 0), 0);
    // Centred on the work area.
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((outer.left + outer.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) - (area.top + area.bottom)), 1);

    const auto pixels = [](const Layout::Place& place) {
        const int left = static_cast<int>(std::lround(place.Left / 15));
        const int top = static_cast<int>(std::lround(place.Top / 15));
        return RECT{left, top, left + static_cast<int>(std::lround(place.Width / 15)),
                    top + static_cast<int>(std::lround(place.Height / 15))};
    };
    const std::pair<Control, Layout::Place> places[] = {
        {Control::Image2, Layout::Image2Place},
        {Control::Label2, Layout::Label2Place},
        {Control::Label1, Layout::Label1Place},
        {Control::imgAdd, Layout::imgAddPlace},
        {Control::Image1, Layout::Image1Place},
        {Control::lblLoading, Layout::lblLoadingPlace},
        {Control::lblNewNote, Layout::lblNewNotePlace},
        {Control::VScroll1, Layout::VScroll1Place},
    };
    for (const auto& [control, place] : places) {
        EXPECT_TRUE(SameRect(PlaceOf(ControlOf(control)), pixels(place)))
            << static_cast<int>(control);
    }
    EXPECT_TRUE(SameRect(PlaceOf(Slot(7)), RECT{160, 128, 217, 185}));  // column 3, row 2
    EXPECT_TRUE(SameRect(PlaceOf(Slot(20)), pixels(Layout::SlotPlace(20))));
    const RECT collapsed = PlaceOf(ControlOf(Control::HScroll1));
    EXPECT_EQ(collapsed.right - collapsed.left, 0);
    EXPECT_EQ(collapsed.bottom - collapsed.top, 0);

    wchar_t className[64] = {};
    GetClassNameW(ControlOf(Control::VScroll1), className, 64);
    EXPECT_EQ(std::wstring(className), L"ScrollBar");

    // From the top of the stacking order down, the table read backwards.
    std::vector<Control> stacked;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        for (const Control kind : Layout::StackingBottomUp) {
            bool found = false;
            if (kind == Control::imgApp) {
                for (int slot = 1; slot <= 20; ++slot) {
                    found = found || Slot(slot) == child;
                }
            } else {
                found = ControlOf(kind) == child;
            }
            if (found && (stacked.empty() || stacked.back() != kind)) {
                stacked.push_back(kind);
            }
        }
    }
    std::vector<Control> expected(Layout::StackingBottomUp.rbegin(),
                                  Layout::StackingBottomUp.rend());
    EXPECT_EQ(stacked, expected);
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

TEST_F(LauncherWindowWin32Test, ArtworkNamesAndPointersReachTheControls) {
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

    EXPECT_EQ(WindowText(ControlOf(Control::Image1)), u"Close KIVOLA");
    EXPECT_EQ(WindowText(ControlOf(Control::lblNewNote)), u"Open a new note");
    EXPECT_EQ(WindowText(ControlOf(Control::VScroll1)), u"Page of applications");

    // The hand over what can be clicked, the arrow over the background.
    const auto pointerOver = [](HWND control) {
        SetCursor(nullptr);
        SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HCURSOR hand = pointerOver(Slot(1));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(pointerOver(ControlOf(Control::imgAdd)), hand);
    EXPECT_EQ(pointerOver(ControlOf(Control::Image1)), hand);
    EXPECT_EQ(pointerOver(ControlOf(Control::lblNewNote)), hand);
    EXPECT_NE(pointerOver(ControlOf(Control::Image2)), hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 1U);
    EXPECT_EQ(info.yHotspot, 1U);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(LauncherWindowWin32Test, APointerRestingOnASlotShowsItsApplicationsTitleAsATip) {
    AddApplications(3);
    Start();
    WaitForGrid();
    // The tool tip of the launcher's thread: the one window of its class.
    HWND tip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND each, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(each, name, 64);
            if (std::wstring_view(name) == TOOLTIPS_CLASSW) {
                *reinterpret_cast<HWND*>(found) = each;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    ASSERT_FALSE(IsWindowVisible(tip));

    // The pointer comes to rest on slot 2: the slot reports its moves, as the system does.
    POINT centre = SlotCentre(2);
    ClientToScreen(window->Handle(), &centre);
    SetCursorPos(centre.x, centre.y);
    POINT inSlot = centre;
    ScreenToClient(Slot(2), &inSlot);
    SendMessageW(Slot(2), WM_MOUSEMOVE, 0, MAKELPARAM(inSlot.x, inSlot.y));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tip) != FALSE; }));
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), Slot(2));
    EXPECT_EQ(std::wstring(text), L"App 02");
}

// The icon a Windows program carries, shown where the application has no picture file: the
// 48 pixel entry (blue) of the program the build makes with icons of 16, 32, 48 and 256.
TEST_F(LauncherWindowWin32Test, AnApplicationWithoutAPictureShowsItsProgramsIcon) {
    const std::string programs = KIVOLA_WINDOWS_PROGRAMS;
    if (programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler or ImageMagick to make the programs";
    }
    std::filesystem::remove(drive.Path() / "defaulticon.gif");  // which would come first
    drive.WriteFile("Tool/kivolaapp.ini", "Tool.exe");
    std::filesystem::copy_file(programs + "/WithIcons.exe", drive.Path() / "Tool/Tool.exe");
    Start();
    WaitForGrid();
    EXPECT_EQ(window->ClientPixel(SlotCentre(1).x, SlotCentre(1).y), RGB(0, 0, 255));
}

}  // namespace
