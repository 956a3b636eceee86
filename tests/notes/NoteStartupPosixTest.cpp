// Start-up over what only POSIX has: a Notes folder that permission bits keep closed, and
// note file names that Windows cannot hold.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

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

namespace {

struct OddNames {
    TestSupport::TempFolder drive;
    TestSupport::ScriptedDialogs dialogs;
    Notes::Pcg32Random random;
    NotesTest::RecordingNoteWindowFactory factory{dialogs, drive.Text(), random};

    std::map<std::u16string, std::u16string> Opened() const {
        std::map<std::u16string, std::u16string> notes;
        for (const auto& window : factory.Windows) {
            notes[window->Note->noteID] = window->View.Text;
        }
        return notes;
    }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(drive.Path() / "Notes")) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

}  // namespace

// Linux can name a note file what Windows cannot: such a note takes the nearest name both
// hold, keeps its text, and its saves go back into that one file.
TEST(LoadNotes, GivesNamesWindowsCannotHoldThePortableNearestName) {
    OddNames s;
    s.drive.WriteFile("Notes/a:b.txt", "colon");
    s.drive.WriteFile("Notes/why?.txt", "question");
    s.drive.WriteFile("Notes/CON.txt", "device");
    s.drive.WriteFile("Notes/caf\xE9.txt", "Caf\xE9");  // an old name, and old text
    s.drive.WriteFile("Notes/dup?.txt", "second");
    s.drive.WriteFile("Notes/dup_.txt", "first");
    // One file to Windows and FAT, which ignore case.
    s.drive.WriteFile("Notes/case|.txt", "lower");
    s.drive.WriteFile("Notes/CASE_.txt", "upper");
    s.drive.WriteFile("Notes/plain.txt", "plain");
    // Not the file of its own ID ("tr."): opened as ever, and not renamed.
    s.drive.WriteFile("Notes/tr.txt.", "trailing");
    Notes::LoadNotes(s.factory, s.drive.Text());

    EXPECT_EQ(s.Opened(), (std::map<std::u16string, std::u16string>{
                              {u"a_b", u"colon"},
                              {u"why_", u"question"},
                              {u"CON_", u"device"},
                              {u"caf_", u"Caf\u00e9"},
                              {u"dup__2", u"second"},
                              {u"dup_", u"first"},
                              {u"case__2", u"lower"},
                              {u"CASE_", u"upper"},
                              {u"plain", u"plain"},
                              {u"tr.", std::u16string(Notes::InitialNoteText)},
                          }));
    EXPECT_EQ(s.Files(), (std::set<std::string>{"a_b.txt", "why_.txt", "CON_.txt", "caf_.txt",
                                                "dup__2.txt", "dup_.txt", "case__2.txt",
                                                "CASE_.txt", "plain.txt", "tr.txt."}));
    EXPECT_TRUE(s.dialogs.Messages.empty());

    // A save goes to the renamed file, and no second file appears.
    for (const auto& window : s.factory.Windows) {
        if (window->Note->noteID == u"why_") {
            window->View.Text = u"question, answered";
            window->Note->txtNote_LostFocus();
        }
    }
    EXPECT_EQ(s.drive.ReadFile("Notes/why_.txt"), "question, answered");
    EXPECT_EQ(s.Files().size(), 10U);
}

TEST(LoadNotes, AnOddNameThatCannotBeRenamedOpensUnderItsName) {
    OddNames s;
    s.drive.WriteFile("Notes/a:b.txt", "colon");
    fs::permissions(s.drive.Path() / "Notes", fs::perms::owner_read | fs::perms::owner_exec |
                                                  fs::perms::group_read | fs::perms::others_read |
                                                  fs::perms::group_exec | fs::perms::others_exec);
    TestSupport::RunWithoutRoot(s.drive, [&] {
        Notes::LoadNotes(s.factory, s.drive.Text());
        EXPECT_EQ(s.Opened(), (std::map<std::u16string, std::u16string>{{u"a:b", u"colon"}}));
        EXPECT_EQ(s.Files(), (std::set<std::string>{"a:b.txt"}));
        EXPECT_TRUE(s.dialogs.Messages.empty());
    });
}
