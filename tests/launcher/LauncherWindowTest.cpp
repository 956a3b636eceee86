// Start-up order, the drive usage line, dragging and closing the launcher window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/DriveUsage.h"
#include "launcher/LauncherFixture.h"

using ::testing::ElementsAre;
using TestSupport::FakeDrives;
using TestSupport::LauncherOnDrive;

TEST(Startup, LoadPreparesTheWindowAndOpensNotesLast) {
    TestSupport::TempFolder drive;
    TestSupport::RecordingLauncherView view;
    TestSupport::ScriptedDialogs dialogs;
    FakeDrives drives;
    TestSupport::RecordingProcesses processes;
    std::vector<std::u16string> captionsWhenNotesLoaded;
    int newNotes = 0;
    Launcher::Form1 form(
        view, dialogs, drives, processes, drive.Text(),
        {[&] { captionsWhenNotesLoaded = view.DriveCaptions; }, [&] { ++newNotes; }});
    int changes = 0;
    view.OnScrollChange = [&] {
        ++changes;
        form.VScroll1_Change();
    };
    form.Form_Load();
    // Setting the range moves the value from 0 to 1; that change finds nothing to do.
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(view.LoadingHistory.empty());
    EXPECT_EQ(view.ScrollMinimum, 1);
    EXPECT_EQ(view.ScrollMaximum, 5);
    EXPECT_FALSE(view.ScrollTabStop);
    EXPECT_TRUE(view.HScrollCollapsed);
    EXPECT_EQ(view.TimerInterval, 100);
    EXPECT_TRUE(view.TimerEnabled);
    EXPECT_THAT(captionsWhenNotesLoaded, ElementsAre(u"Disk information unavailable"));
    form.lblNewNote_Click();
    EXPECT_EQ(newNotes, 1);

    // Without notes wired, neither step fails.
    Launcher::Form1 bare(view, dialogs, drives, processes, drive.Text());
    bare.Form_Load();
    bare.lblNewNote_Click();
}

TEST(DriveUsage, CaptionFromTheMatchingDriveOnly) {
    constexpr std::uint64_t MB = 1024ULL * 1024;
    // The drive asked about is always "E", listed between two others.
    struct Case {
        std::u16string key;
        std::int32_t type;
        bool ready;
        std::optional<Platform::DriveSizes> sizes;
        std::u16string caption;
    };
    const std::vector<Case> cases = {
        {u"E", Platform::DriveTypeRemovable, true, Platform::DriveSizes{1024 * MB, 256 * MB},
         u"Using 768.00 MB of 1024.00 MB"},
        {u"E", Platform::DriveTypeFixed, true, Platform::DriveSizes{MB / 2, 0},
         u"Using 0.50 MB of 0.50 MB"},
        {u"E", Platform::DriveTypeFixed, true, Platform::DriveSizes{2199023255552ULL, 0},
         u"Using 2097152.00 MB of 2097152.00 MB"},
        {u"E", Platform::DriveTypeRemovable, false, Platform::DriveSizes{MB, 0},
         u"Disk information unavailable"},
        // A fixed disk's sizes are read whatever its ready flag says.
        {u"E", Platform::DriveTypeFixed, false, Platform::DriveSizes{MB, MB / 4},
         u"Using 0.75 MB of 1.00 MB"},
        {u"E", Platform::DriveTypeFixed, true, std::nullopt, u"Disk information unavailable"},
        {u"e", Platform::DriveTypeRemovable, true, Platform::DriveSizes{MB, 0},
         u"Disk information unavailable"},
        {u"\\", Platform::DriveTypeRemovable, true, Platform::DriveSizes{MB, 0},
         u"Disk information unavailable"},
    };
    for (const auto& c : cases) {
        LauncherOnDrive launcher;
        launcher.Form->UseDecimalSeparator(u'.');
        launcher.Drives.PathKey = c.key;
        launcher.Drives.List = {{u"A", Platform::DriveTypeRemovable, false, std::nullopt},
                                {u"E", c.type, c.ready, c.sizes},
                                {u"Z", Platform::DriveTypeNetwork, false, std::nullopt}};
        launcher.Form->ShowDriveUsage();
        EXPECT_THAT(launcher.View.DriveCaptions, ElementsAre(c.caption))
            << TestSupport::Utf8(c.key);
        // Nothing but the keys of the other drives was read.
        for (const auto& asked : launcher.Drives.Queried) {
            EXPECT_EQ(asked, u"E");
        }
    }

    LauncherOnDrive comma;
    comma.Form->UseDecimalSeparator(u',');
    comma.Drives.PathKey = u"/media/usb";
    comma.Drives.List = {{u"/media/usb", Platform::DriveTypeRemovable, true,
                          Platform::DriveSizes{3 * MB + MB / 4, MB}}};
    comma.Form->ShowDriveUsage();
    EXPECT_THAT(comma.View.DriveCaptions, ElementsAre(u"Using 2,25 MB of 3,25 MB"));
    EXPECT_EQ(Launcher::FormatMegabytes(1234567.891, u'.'), u"1234567.89 MB");

    // Pulled out while the launcher was in the background: coming back to it says so.
    comma.Drives.List[0].Ready = false;
    comma.Drives.List[0].Sizes.reset();
    comma.Form->Form_Activate();
    EXPECT_THAT(comma.View.DriveCaptions,
                ElementsAre(u"Using 2,25 MB of 3,25 MB", u"Disk information unavailable"));
}

TEST(Window, DragsByTheBackgroundWithTheLeftButtonAlone) {
    LauncherOnDrive launcher;
    auto& form = *launcher.Form;
    auto& view = launcher.View;
    view.Left = 1000;
    view.Top = 2000;
    form.Image2_MouseDown(1, 0, 300, 200);
    form.Image2_MouseMove(1, 0, 450, 200);
    EXPECT_EQ(view.Left, 1150);
    EXPECT_EQ(view.Top, 2000);
    EXPECT_EQ(view.Moves.size(), 2U);  // left, then top
    form.Image2_MouseMove(1, 0, 300, 140.5);
    EXPECT_EQ(view.Left, 1150);
    EXPECT_EQ(view.Top, 1940.5);

    // Right or middle buttons, alone or with the left, move nothing; every press records.
    for (const int button : {2, 3, 4, 5, 0}) {
        form.Image2_MouseMove(button, 0, 0, 0);
    }
    EXPECT_EQ(view.Moves.size(), 4U);
    form.Image2_MouseDown(2, 0, 10.5, 11.5);  // halves round to the even neighbour
    EXPECT_EQ(form.DragX(), 10);
    EXPECT_EQ(form.DragY(), 12);
    form.Image2_MouseDown(1, 0, 1e12, -1e12);
    EXPECT_EQ(form.DragX(), 2147483647);
    EXPECT_EQ(form.DragY(), -2147483647 - 1);

    form.Image1_Click();
    EXPECT_EQ(view.EndProgramCalls, 1);
}
