// The Win32 launcher window worked without a mouse, and its wheel: key messages sent where the
// keyboard's input goes (the focused window), wheel messages to the window under the pointer.

#include <gmock/gmock.h>

#include <cctype>
#include <string>

#include "Win32GuiFixture.h"
#include "launcher/Form1.h"
#include "launcher/Form1Layout.h"
#include "testsupport/MarkerProgramWin32.h"

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;

class LauncherKeyboardWin32Test : public Win32GuiFixture {
  protected:
    void AddApplications(int count) {
        for (int i = 1; i <= count; ++i) {
            AddApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i));
        }
    }
    // Started, its grid filled, and the active window, as when the user has just opened it.
    void StartActive() {
        Start();
        WaitForGrid();
        SetActiveWindow(window->Handle());
        ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == window->Handle(); }, 2000));
    }
    HWND Target() const {
        HWND focused = GetFocus();
        return focused != nullptr && GetAncestor(focused, GA_ROOT) == window->Handle()
                   ? focused
                   : window->Handle();
    }
    // A key as the system delivers it to the focused window; with Alt, as a system key.
    void Press(WPARAM key, bool alt = false) const {
        constexpr LPARAM AltHeld = LPARAM{1} << 29;
        SendMessageW(Target(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | (alt ? AltHeld : 0));
        SendMessageW(Target(), alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | (alt ? AltHeld : 0));
    }
    void PressWithShift(WPARAM key) const {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        Press(key);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    // Typed characters: each key's own message, then the character the system makes of it.
    void TypeText(const std::u16string& text) const {
        for (const char16_t c : text) {
            const auto key = static_cast<WPARAM>(LOBYTE(VkKeyScanW(static_cast<wchar_t>(c))));
            SendMessageW(Target(), WM_KEYDOWN, key, 1);
            SendMessageW(Target(), WM_CHAR, static_cast<WPARAM>(c), 1);
            SendMessageW(Target(), WM_KEYUP, key, 1);
        }
    }
    // One turn of the wheel with the pointer over a control: the message goes to it.
    static void Wheel(HWND over, int delta) {
        RECT place;
        GetWindowRect(over, &place);
        const POINT at{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        SendMessageW(over, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                     MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y)));
    }
    int ScrollValue() const { return GetScrollPos(ControlOf(Control::VScroll1), SB_CTL); }
    // A pixel on the top edge of a slot, where the mark's dots fall.
    COLORREF SlotEdgePixel(int slot) const {
        const Layout::Place place = Layout::SlotPlace(slot);
        return window->ClientPixel(static_cast<int>(place.Left / 15) + 2,
                                   static_cast<int>(place.Top / 15));
    }
};

TEST_F(LauncherKeyboardWin32Test, AProgramStartsByTheKeyboardAloneAndTheFocusIsTheMarkedSlot) {
    AddApplications(25);
    StartActive();
    const COLORREF unmarked = SlotEdgePixel(7);
    const std::string seventh = SlotTitles()[6];

    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), ControlOf(Control::lblNewNote));
    PressWithShift(VK_TAB);
    EXPECT_EQ(GetFocus(), Slot(1));
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    // The mark is drawn, and the slot is the focus that screen readers announce by its name.
    EXPECT_NE(SlotEdgePixel(7), unmarked);
    ASSERT_EQ(GetFocus(), Slot(7));
    EXPECT_EQ(TestSupport::Utf8(WindowText(GetFocus())), seventh);

    // Tab goes round the link, the add and the close pictures, and back to the grid.
    for (const Control control : {Control::lblNewNote, Control::imgAdd, Control::Image1}) {
        Press(VK_TAB);
        EXPECT_EQ(GetFocus(), ControlOf(control));
        EXPECT_FALSE(WindowText(GetFocus()).empty());
    }
    EXPECT_EQ(SlotEdgePixel(7), unmarked);
    Press(VK_TAB);
    PressWithShift(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Slot(7));

    Press(VK_RETURN);
    EXPECT_TRUE(TestSupport::WaitForMarker(drive.Text(seventh + "/app.exe")).Ran) << seventh;
    EXPECT_EQ(processes->Starts, 1);
}

TEST_F(LauncherKeyboardWin32Test, TheWheelAndThePageKeysPageThroughTheGrid) {
    AddApplications(45);
    StartActive();
    const auto page1 = SlotTitles();

    Wheel(Slot(6), -WHEEL_DELTA);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(window->Form().PageStart(), 21);
    // A fine-stepping wheel: a page once the steps make a notch.
    for (int step = 0; step < 3; ++step) {
        Wheel(Slot(6), -WHEEL_DELTA / 3);
        EXPECT_EQ(ScrollValue(), step < 2 ? 2 : 3) << step;
    }
    EXPECT_TRUE(SlotTitles()[5].empty());  // five applications on page 3
    // Over the scroll bar one notch is one page too.
    Wheel(ControlOf(Control::VScroll1), WHEEL_DELTA);
    EXPECT_EQ(ScrollValue(), 2);
    // Over the drive line it does nothing.
    Wheel(ControlOf(Control::Label1), WHEEL_DELTA);
    EXPECT_EQ(ScrollValue(), 2);

    Press(VK_PRIOR);
    EXPECT_EQ(ScrollValue(), 1);
    EXPECT_EQ(SlotTitles(), page1);
    Press(VK_PRIOR);
    EXPECT_EQ(ScrollValue(), 1);
    Press(VK_NEXT);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(window->Form().PageStart(), 21);
}

TEST_F(LauncherKeyboardWin32Test, TypingATitleFindsItsApplicationOnPage2) {
    AddApplications(25);
    StartActive();
    // What page 2 holds, looked up with the mouse.
    ScrollArrow(true);
    const std::string wanted = SlotTitles()[2];
    ScrollArrow(false);
    ASSERT_EQ(ScrollValue(), 1);

    // Typed in small letters, with the space in the title.
    std::u16string typed;
    for (const char c : wanted) {
        typed += static_cast<char16_t>(std::tolower(static_cast<unsigned char>(c)));
    }
    TypeText(typed);
    EXPECT_EQ(ScrollValue(), 2);
    EXPECT_EQ(GetFocus(), Slot(3));
    Press(VK_RETURN);
    EXPECT_TRUE(TestSupport::WaitForMarker(drive.Text(wanted + "/app.exe")).Ran) << wanted;
}

TEST_F(LauncherKeyboardWin32Test, AltF4EndsTheProgramAsTheClosePictureDoes) {
    AddNote("Plan", "old text");
    AddApplications(1);
    StartActive();
    ASSERT_EQ(Notes().size(), 1U);
    HWND box = Notes()[0]->TextBox();
    SendMessageW(box, EM_SETSEL, 0, -1);
    Type(box, u"new text");
    SetFocus(window->Handle());
    Press(VK_F4, true);
    EXPECT_TRUE(window->Ended());
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "new text");
}

TEST_F(LauncherKeyboardWin32Test, EscapeInANoteLeavesItsTextBoxAndSavesIt) {
    AddNote("Plan", "old text");
    Start();
    ASSERT_EQ(Notes().size(), 1U);
    HWND box = Notes()[0]->TextBox();
    SendMessageW(box, EM_SETSEL, 0, -1);
    Type(box, u"new text");
    ASSERT_EQ(GetFocus(), box);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "old text");
    SendMessageW(box, WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageW(box, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_NE(GetFocus(), box);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "new text");
    EXPECT_EQ(WindowText(box), u"new text");
}

}  // namespace
