// What only the Win32 note windows show: the edit control's length limit lifted, the GDI
// region grown on a monitor of 144 dpi, and the session's end as its messages come.

#include <gmock/gmock.h>

#include <vector>

#include "Win32GuiFixture.h"
#include "notes/frmNote.h"

namespace {

namespace Layout = Launcher::Form1Layout;
using ::testing::IsEmpty;
using ::testing::SizeIs;

class NoteWindowWin32Test : public Win32GuiFixture {
  protected:
    // Replaces the text box's content by typing, as a user who selected all would.
    static void Retype(Win32Ui::NoteWindow* note, const std::u16string& text) {
        SendMessageW(note->TextBox(), EM_SETSEL, 0, -1);
        Type(note->TextBox(), text);
    }
    // The note loses the focus to the launcher, as when the user clicks it.
    void FocusLauncher() const { SetFocus(window->Handle()); }
    Win32Ui::NoteWindow* NewNote() {
        Click(ControlOf(Layout::Control::lblNewNote));
        EXPECT_FALSE(Notes().empty());
        return Notes().empty() ? nullptr : Notes().back();
    }
};

// The pixels of a window's region, read back from the system.
std::vector<RECT> RegionRects(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::vector<RECT> rects;
    if (GetWindowRgn(window, region) != ERROR) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<char> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (size != 0 && GetRegionData(region, size, header) == size) {
            const auto* first = reinterpret_cast<const RECT*>(header->Buffer);
            rects.assign(first, first + header->rdh.nCount);
        }
    }
    DeleteObject(region);
    return rects;
}

bool InRects(const std::vector<RECT>& rects, int x, int y) {
    for (const RECT& r : rects) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return true;
        }
    }
    return false;
}

TEST_F(NoteWindowWin32Test, ALongNoteIsPastedPastTheEditControlsUsualLimit) {
    Start();
    Win32Ui::NoteWindow* note = NewNote();
    ASSERT_NE(note, nullptr);
    // Pasted, as a long text usually arrives.
    std::wstring text;
    while (text.size() < 40000) {
        text += L"a line of a long note\r\n";
    }
    SetFocus(note->TextBox());
    SendMessageW(note->TextBox(), EM_SETSEL, 0, -1);
    SendMessageW(note->TextBox(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    FocusLauncher();
    EXPECT_EQ(NoteFile(note->Form().noteID).size(), text.size());
}

TEST_F(NoteWindowWin32Test, OnAMonitorOf144DpiTheNoteAndItsRegionGrowByHalf) {
    Start();
    Win32Ui::NoteWindow* note = NewNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(note->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    RECT suggested{50, 60, 50 + 363, 60 + 360};
    SendMessageW(note->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(note->Handle(), &client);
    EXPECT_EQ(client.right, 363);  // 3630 twips at 10 pixels to 100 twips
    EXPECT_EQ(client.bottom, 360);
    RECT box;
    GetWindowRect(note->TextBox(), &box);
    MapWindowPoints(nullptr, note->Handle(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 36);

    // The region grows with it: strip 0..337 x 0..37, text box 8..356 x 36..346, the cross
    // at 339..358 x 4..25.
    const std::vector<RECT> rects = RegionRects(note->Handle());
    for (const POINT inside :
         {POINT{150, 15}, POINT{150, 150}, POINT{350, 300}, POINT{150, 340}, POINT{348, 14}}) {
        EXPECT_TRUE(InRects(rects, inside.x, inside.y)) << inside.x << "," << inside.y;
    }
    for (const POINT outside : {POINT{3, 150}, POINT{362, 300}, POINT{150, 352}, POINT{348, 30}}) {
        EXPECT_FALSE(InRects(rects, outside.x, outside.y)) << outside.x << "," << outside.y;
    }
    // The drag follows the new scale: a pointer move of 30 pixels moves the window 30.
    RECT start;
    GetWindowRect(note->Handle(), &start);
    Drag(note->Strip(), {100, 10}, {{30, 0}}, MK_LBUTTON);
    RECT moved;
    GetWindowRect(note->Handle(), &moved);
    EXPECT_EQ(moved.left - start.left, 30);
}

TEST_F(NoteWindowWin32Test, TheSessionEndingSavesEveryNoteAndEndsWithoutAsking) {
    AddNote("Plan", "old text");
    Start();
    ASSERT_THAT(Notes(), SizeIs(1));
    Retype(Notes()[0], u"typed before shutdown");
    // The session asks first; the program lets it end.
    EXPECT_EQ(SendMessageW(window->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "typed before shutdown");
    Retype(Notes()[0], u"typed after the question");
    SendMessageW(window->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(drive.ReadFile("Notes/Plan.txt"), "typed after the question");
    EXPECT_EQ(endings, 1);
    EXPECT_THAT(dialogs.Messages, IsEmpty());
}

}  // namespace
