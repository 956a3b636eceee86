// Start-up over a Notes folder that permission bits keep closed, which only POSIX has.

#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingNoteView.h"
#include "notes/NoteStartup.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"
#include "testsupport/Unprivileged.h"

namespace fs = std::filesystem;

TEST(LoadNotes, AnUnreadableNotesFolderOpensNothingQuietly) {
    TestSupport::TempFolder drive;
    TestSupport::ScriptedDialogs dialogs;
    Notes::Pcg32Random random;
    NotesTest::RecordingNoteWindowFactory factory{dialogs, drive.Text(), random};
    drive.WriteFile("Notes/hidden.txt", "x");
    fs::permissions(drive.Path() / "Notes", fs::perms::none);
    TestSupport::RunWithoutRoot(drive, [&] {
        Notes::LoadNotes(factory, drive.Text());
        EXPECT_TRUE(factory.Windows.empty());
        EXPECT_TRUE(dialogs.Messages.empty());
    });
}
