// The launcher without a mouse: the focus mark in the grid, Tab, paging by keys and by the
// wheel, and finding an application by typing its title.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "launcher/Form1Layout.h"
#include "launcher/LauncherFixture.h"
#include "platform/FileSystem.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"

using Launcher::FocusItem;
using TestSupport::LauncherOnDrive;
using Mark = TestSupport::RecordingLauncherView::Mark;
namespace Keys = Support;

namespace {

// A started, active launcher whose clock the test turns.
struct KeyboardLauncher : LauncherOnDrive {
    std::chrono::milliseconds Now{5000};

    KeyboardLauncher() {
        Form->UseClock([this] { return Now; });
    }
    void Ready() {
        Start();
        Form->Form_Activate();
    }
    bool Key(int code, int shift = 0) { return Form->Form_KeyDown(code, shift); }
    void Type(const std::u16string& text, std::chrono::milliseconds apart = {}) {
        for (const char16_t c : text) {
            Form->Form_KeyPress(c);
            Now += apart;
        }
    }
    // One turn of the wheel over the middle of the grid.
    bool Wheel(int delta) {
        namespace Layout = Launcher::Form1Layout;
        return Form->Form_MouseWheel(delta, Layout::GridArea.Left + Layout::GridArea.Width / 2,
                                     Layout::GridArea.Top + Layout::GridArea.Height / 2);
    }
    Mark Shown() const { return View.FocusMark; }
    int Page() const { return View.ScrollValueNow; }
    int Rescans() const {
        return static_cast<int>(
            std::count(View.LoadingHistory.begin(), View.LoadingHistory.end(), true));
    }
    // Titles of the applications in the order the scan numbers them (the folders' order).
    std::vector<std::u16string> ScanOrder() const {
        std::vector<std::u16string> names;
        const auto contents = Platform::ListFolder(Drive.Text());
        for (const auto& name : contents->SubFolders) {
            if (Drive.Exists(TestSupport::Utf8(name) + "/kivolaapp.ini")) {
                names.push_back(name);
            }
        }
        return names;
    }
};

Mark OnSlot(int slot) {
    return {FocusItem::Slot, slot};
}

}  // namespace

TEST(Keyboard, ArrowsMoveTheMarkOverFilledSlotsAndStopAtTheGridsEdges) {
    KeyboardLauncher launcher;
    launcher.Apps(7);  // slots 1-4 in the first row, 5-7 in the second
    launcher.Ready();
    // A mouse user sees no mark: not at start, not after a click or a wheel turn.
    launcher.Form->imgApp_Click(6);
    launcher.Wheel(-Keys::WheelNotch);
    EXPECT_TRUE(launcher.View.FocusMarks.empty());

    // The first key shows the mark where the last click left the focus.
    launcher.Key(Keys::KeyUp);
    EXPECT_EQ(launcher.Shown(), OnSlot(2));
    struct Step {
        int key;
        int slot;
    };
    const Step steps[] = {
        {Keys::KeyUp, 2},    {Keys::KeyLeft, 1},  {Keys::KeyLeft, 1},  // top-left corner
        {Keys::KeyRight, 2}, {Keys::KeyRight, 3}, {Keys::KeyRight, 4},
        {Keys::KeyRight, 5},                      // on into the next row
        {Keys::KeyLeft, 4},  {Keys::KeyDown, 7},  // below slot 4 is empty: its nearest neighbour
        {Keys::KeyDown, 7},                       // no row below holds an application
        {Keys::KeyRight, 7}, {Keys::KeyUp, 3},    {Keys::KeyHome, 1},
        {Keys::KeyEnd, 7},   {Keys::KeyLeft, 6},
    };
    for (const auto& step : steps) {
        EXPECT_TRUE(launcher.Key(step.key));
        EXPECT_EQ(launcher.Shown(), OnSlot(step.slot)) << "key " << step.key;
    }
    // Keys the launcher has no use for go back to the front-end.
    EXPECT_FALSE(launcher.Key('A'));
    EXPECT_FALSE(launcher.Key(Keys::KeyLeft, Support::CtrlKey));
    EXPECT_EQ(launcher.Shown(), OnSlot(6));

    // The mark belongs to the active window only, and comes back with it.
    launcher.Form->Form_Deactivate();
    EXPECT_EQ(launcher.Shown(), Mark{});
    launcher.Form->Form_Activate();
    EXPECT_EQ(launcher.Shown(), OnSlot(6));
}

TEST(Keyboard, EnterAndSpaceStartTheFocusedApplicationAsAClickDoes) {
    KeyboardLauncher launcher;
    launcher.Apps(3);
    launcher.Ready();
    launcher.Form->imgApp_Click(2);
    ASSERT_EQ(launcher.Processes.Starts.size(), 1U);
    const auto clicked = launcher.Processes.Starts[0];

    EXPECT_TRUE(launcher.Key(Keys::KeyRight));
    EXPECT_TRUE(launcher.Key(Keys::KeyLeft));
    EXPECT_TRUE(launcher.Key(Keys::KeyReturn));
    EXPECT_TRUE(launcher.Form->Form_KeyPress(u' '));
    ASSERT_EQ(launcher.Processes.Starts.size(), 3U);
    for (const auto& started : {launcher.Processes.Starts[1], launcher.Processes.Starts[2]}) {
        EXPECT_EQ(started.Program, clicked.Program);
        EXPECT_EQ(started.ArgumentText, clicked.ArgumentText);
        EXPECT_EQ(started.WorkingFolder, clicked.WorkingFolder);
    }
    // Control characters come with their own keys and are not typed text.
    EXPECT_FALSE(launcher.Form->Form_KeyPress(u'\r'));
    EXPECT_FALSE(launcher.Form->Form_KeyPress(u'\x1b'));
    EXPECT_EQ(launcher.Processes.Starts.size(), 3U);

    // On an empty grid there is nothing to start and no mark to show.
    KeyboardLauncher empty;
    empty.Ready();
    EXPECT_TRUE(empty.Key(Keys::KeyReturn));
    empty.Form->Form_KeyPress(u' ');
    EXPECT_TRUE(empty.Processes.Starts.empty());
    EXPECT_EQ(empty.Shown(), Mark{});
}

TEST(Keyboard, TabReachesTheLinkTheAddAndTheClosePicturesWhichActAsClicked) {
    KeyboardLauncher launcher;
    launcher.Apps(2);
    int newNotes = 0;
    launcher.Form = std::make_unique<Launcher::Form1>(
        launcher.View, launcher.Dialogs, launcher.Drives, launcher.Processes, launcher.Drive.Text(),
        Launcher::NotesHooks{{}, [&newNotes] { ++newNotes; }});
    launcher.Form->UseClock([&launcher] { return launcher.Now; });
    launcher.Ready();

    launcher.Key(Keys::KeyTab);
    EXPECT_EQ(launcher.Shown(), Mark{FocusItem::lblNewNote});
    launcher.Key(Keys::KeyReturn);
    EXPECT_EQ(newNotes, 1);
    launcher.Key(Keys::KeyTab);
    EXPECT_EQ(launcher.Shown(), Mark{FocusItem::imgAdd});
    launcher.Dialogs.OpenAnswers.emplace_back(std::nullopt);
    launcher.Form->Form_KeyPress(u' ');
    EXPECT_EQ(launcher.Dialogs.OpenFilters.size(), 1U);
    launcher.Key(Keys::KeyTab);
    EXPECT_EQ(launcher.Shown(), Mark{FocusItem::Image1});
    // Arrows belong to the grid; from elsewhere they move nothing.
    launcher.Key(Keys::KeyLeft);
    EXPECT_EQ(launcher.Shown(), Mark{FocusItem::Image1});
    launcher.Key(Keys::KeyTab);
    EXPECT_EQ(launcher.Shown(), OnSlot(1));
    launcher.Key(Keys::KeyTab, Support::ShiftKey);
    EXPECT_EQ(launcher.Shown(), Mark{FocusItem::Image1});
    EXPECT_EQ(launcher.View.EndProgramCalls, 0);
    launcher.Key(Keys::KeyReturn);
    EXPECT_EQ(launcher.View.EndProgramCalls, 1);

    // Alt+F4 ends the program as the close picture does, wherever the focus is.
    launcher.Key(Keys::KeyHome);
    EXPECT_TRUE(launcher.Key(Keys::KeyF4, Support::AltKey));
    EXPECT_EQ(launcher.View.EndProgramCalls, 2);
    EXPECT_FALSE(launcher.Key(Keys::KeyF4, Support::AltKey | Support::ShiftKey));
    EXPECT_TRUE(launcher.Processes.Starts.empty());
}

TEST(Paging, PageKeysStepTheScrollBarWithinItsRangeAndTheMarkFollows) {
    KeyboardLauncher launcher;
    launcher.Apps(45);  // pages 1 and 2 full, five on page 3, pages 4 and 5 empty
    launcher.Ready();
    launcher.Key(Keys::KeyEnd);
    launcher.Key(Keys::KeyUp);
    ASSERT_EQ(launcher.Shown(), OnSlot(16));

    launcher.Key(Keys::KeyPageUp);  // already on page 1
    EXPECT_EQ(launcher.Page(), 1);
    EXPECT_EQ(launcher.Rescans(), 0);
    EXPECT_EQ(launcher.View.ScrollValueSets, 0);

    launcher.Key(Keys::KeyPageDown);
    EXPECT_EQ(launcher.Page(), 2);
    EXPECT_EQ(launcher.Form->PageStart(), 21);
    EXPECT_EQ(launcher.Shown(), OnSlot(16));
    launcher.Key(Keys::KeyPageDown);
    EXPECT_EQ(launcher.Page(), 3);
    EXPECT_EQ(launcher.Shown(), OnSlot(5));  // the last one there
    launcher.Key(Keys::KeyPageDown);
    launcher.Key(Keys::KeyPageDown);
    EXPECT_EQ(launcher.Page(), 5);
    EXPECT_EQ(launcher.Shown(), Mark{});  // an empty page has nothing to focus
    EXPECT_TRUE(launcher.Key(Keys::KeyRight));
    launcher.Key(Keys::KeyReturn);
    EXPECT_TRUE(launcher.Processes.Starts.empty());
    const int rescans = launcher.Rescans();
    launcher.Key(Keys::KeyPageDown);
    EXPECT_EQ(launcher.Page(), 5);
    EXPECT_EQ(launcher.Rescans(), rescans);

    for (int i = 0; i < 4; ++i) {
        launcher.Key(Keys::KeyPageUp);
    }
    EXPECT_EQ(launcher.Page(), 1);
    EXPECT_EQ(launcher.Form->PageStart(), 1);
    EXPECT_EQ(launcher.Shown(), OnSlot(1));
    EXPECT_EQ(launcher.Rescans(), 8);
}

TEST(Paging, ADisabledScrollBarPagesNowhere) {
    KeyboardLauncher launcher;
    launcher.Apps(19);
    launcher.Ready();
    ASSERT_FALSE(launcher.View.ScrollEnabled);
    launcher.Key(Keys::KeyPageDown);
    launcher.Wheel(-Keys::WheelNotch * 3);
    EXPECT_EQ(launcher.Page(), 1);
    EXPECT_EQ(launcher.View.ScrollValueSets, 0);
    EXPECT_EQ(launcher.Rescans(), 0);
    EXPECT_EQ(launcher.Form->PageStart(), 1);

    // Nor before the first scan has given the grid its first page.
    KeyboardLauncher loading;
    loading.Apps(25);
    loading.Here.emplace(loading.Drive.Path());
    loading.Form->Form_Load();
    loading.Form->Form_Activate();
    loading.Key(Keys::KeyPageDown);
    EXPECT_EQ(loading.View.ScrollValueSets, 0);
}

TEST(Paging, TheWheelPagesOncePerNotchOverTheGridOrTheScrollBarOnly) {
    namespace Layout = Launcher::Form1Layout;
    KeyboardLauncher launcher;
    launcher.Apps(60);
    launcher.Ready();

    EXPECT_TRUE(launcher.Wheel(-Keys::WheelNotch));  // towards the user: on
    EXPECT_EQ(launcher.Page(), 2);
    EXPECT_TRUE(launcher.Wheel(Keys::WheelNotch));
    EXPECT_EQ(launcher.Page(), 1);
    launcher.Wheel(-2 * Keys::WheelNotch);  // two notches at once: two pages
    EXPECT_EQ(launcher.Page(), 3);
    EXPECT_EQ(launcher.Rescans(), 4);

    // Fine steps add up to a notch; a turn back drops what was short of one.
    launcher.Wheel(-40);
    launcher.Wheel(-40);
    EXPECT_EQ(launcher.Page(), 3);
    launcher.Wheel(30);
    launcher.Wheel(-40);
    launcher.Wheel(-40);
    EXPECT_EQ(launcher.Page(), 3);
    launcher.Wheel(-40);
    EXPECT_EQ(launcher.Page(), 4);
    launcher.Wheel(-Keys::WheelNotch * 5);
    EXPECT_EQ(launcher.Page(), 5);

    // Over the scroll bar it pages too; over the rest of the window it is not ours.
    const auto& bar = Layout::VScroll1Place;
    EXPECT_TRUE(launcher.Form->Form_MouseWheel(Keys::WheelNotch, bar.Left + 10, bar.Top + 10));
    EXPECT_EQ(launcher.Page(), 4);
    const auto& line = Layout::Label1Place;
    EXPECT_FALSE(launcher.Form->Form_MouseWheel(Keys::WheelNotch, line.Left + 10, line.Top + 10));
    const auto& grid = Layout::GridArea;
    EXPECT_FALSE(launcher.Form->Form_MouseWheel(Keys::WheelNotch, grid.Left - 1, grid.Top));
    EXPECT_EQ(launcher.Page(), 4);
}

TEST(TypeToFind, TypingFindsTheFirstTitleInScanOrderOnWhateverPageItIs) {
    KeyboardLauncher launcher;
    launcher.Apps(30);
    launcher.App("Gamma Ray", "run.sh");
    launcher.App("gamma", "run.sh");
    launcher.App("Delta", "run.sh");
    launcher.Ready();
    const auto order = launcher.ScanOrder();
    ASSERT_EQ(order.size(), 33U);
    const auto indexOf = [&order](const std::u16string& title) {
        return static_cast<int>(std::find(order.begin(), order.end(), title) - order.begin()) + 1;
    };
    const auto slotOf = [](int index) { return (index - 1) % 20 + 1; };
    const auto pageOf = [](int index) { return (index - 1) / 20 + 1; };

    // Whichever of the two comes first in the scan, letter case aside.
    const int firstGamma = std::min(indexOf(u"Gamma Ray"), indexOf(u"gamma"));
    launcher.Type(u"GAM", std::chrono::milliseconds(300));
    EXPECT_EQ(launcher.Page(), pageOf(firstGamma));
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(firstGamma)));
    // A space goes on with the title instead of starting anything.
    launcher.Type(u"ma r", std::chrono::milliseconds(300));
    EXPECT_EQ(launcher.Page(), pageOf(indexOf(u"Gamma Ray")));
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(indexOf(u"Gamma Ray"))));
    EXPECT_TRUE(launcher.Processes.Starts.empty());

    // Nothing begins so: nothing moves, and nothing is hidden or filtered.
    const auto before = launcher.View.ToolTips();
    launcher.Type(u"x");
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(indexOf(u"Gamma Ray"))));
    EXPECT_EQ(launcher.View.ToolTips(), before);

    // An application on page 2 is found from page 1 through the scroll bar.
    int onPage2 = 21;
    while (order[static_cast<std::size_t>(onPage2 - 1)].rfind(u"App", 0) != 0) {
        ++onPage2;
    }
    launcher.Key(Keys::KeyEscape);
    launcher.Key(Keys::KeyPageUp);
    launcher.Key(Keys::KeyPageUp);
    ASSERT_EQ(launcher.Page(), 1);
    const int sets = launcher.View.ScrollValueSets;
    launcher.Type(order[static_cast<std::size_t>(onPage2 - 1)], std::chrono::milliseconds(100));
    EXPECT_EQ(launcher.Page(), 2);
    EXPECT_EQ(launcher.View.ScrollValueSets, sets + 1);
    EXPECT_EQ(launcher.Form->PageStart(), 21);
    EXPECT_EQ(launcher.Shown(), OnSlot(onPage2 - 20));
    launcher.Key(Keys::KeyReturn);
    ASSERT_EQ(launcher.Processes.Starts.size(), 1U);
    EXPECT_EQ(launcher.Processes.Starts[0].Program,
              launcher.Drive.Text(TestSupport::Utf8(order[static_cast<std::size_t>(onPage2 - 1)]) +
                                  "/run.sh"));
}

TEST(TypeToFind, TheTypedTextStartsAgainAfterASecondWithoutKeysOrOnEscape) {
    KeyboardLauncher launcher;
    launcher.App("Alpha", "run.sh");
    launcher.App("Beta", "run.sh");
    launcher.App("Bald", "run.sh");
    launcher.App("Echo", "run.sh");
    launcher.Ready();
    const auto order = launcher.ScanOrder();
    const auto slotOf = [&order](const std::u16string& title) {
        return static_cast<int>(std::find(order.begin(), order.end(), title) - order.begin()) + 1;
    };

    launcher.Type(u"b");
    launcher.Now += std::chrono::milliseconds(999);
    launcher.Type(u"e");  // still "be"
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(u"Beta")));
    launcher.Now += std::chrono::milliseconds(999);
    launcher.Type(u"a");  // "bea" begins nothing: the mark stays
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(u"Beta")));
    launcher.Now += std::chrono::milliseconds(1000);
    launcher.Type(u"a");  // a second later: "a"
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(u"Alpha")));

    launcher.Type(u"b");  // "ab" begins nothing
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(u"Alpha")));
    launcher.Key(Keys::KeyEscape);
    launcher.Type(u"e");
    EXPECT_EQ(launcher.Shown(), OnSlot(slotOf(u"Echo")));

    // After a second, Space is a key of its own again and starts the focused application.
    launcher.Now += std::chrono::milliseconds(1000);
    launcher.Form->Form_KeyPress(u' ');
    ASSERT_EQ(launcher.Processes.Starts.size(), 1U);
    EXPECT_EQ(launcher.Processes.Starts[0].Program, launcher.Drive.Text("Echo/run.sh"));
}
