#include "notes/NoteStartup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RecordingNoteView.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

using Notes::NoteIdFromFileName;
using NotesTest::RecordingNoteWindowFactory;
using ::testing::UnorderedElementsAre;
using TestSupport::ScriptedDialogs;
using TestSupport::TempFolder;

namespace {

struct Startup {
    TempFolder drive;
    ScriptedDialogs dialogs;
    Notes::Pcg32Random random;
    RecordingNoteWindowFactory factory{dialogs, drive.Text(), random};

    std::vector<std::u16string> OpenedIds() const {
        std::vector<std::u16string> ids;
        for (const auto& window : factory.Windows) {
            ids.push_back(window->Note->noteID);
        }
        return ids;
    }
};

}  // namespace

TEST(NoteIdFromFileName, RemovesEveryExactTxt) {
    EXPECT_EQ(NoteIdFromFileName(u"k407-3E529-8812x.txt"), u"k407-3E529-8812x");
    EXPECT_EQ(NoteIdFromFileName(u"plan.txt.bak"), u"plan.bak");
    EXPECT_EQ(NoteIdFromFileName(u"a.txt.txt"), u"a");
    EXPECT_EQ(NoteIdFromFileName(u"a.txta.txt"), u"aa");
    EXPECT_EQ(NoteIdFromFileName(u"Shopping.TXT"), std::nullopt);
    EXPECT_EQ(NoteIdFromFileName(u"notes"), std::nullopt);
    EXPECT_EQ(NoteIdFromFileName(u".txt"), std::nullopt);
    EXPECT_EQ(NoteIdFromFileName(u".txt.txt"), std::nullopt);
    EXPECT_EQ(NoteIdFromFileName(u".t.txtxt"), std::nullopt);  // one pass leaves ".txt"
    EXPECT_EQ(NoteIdFromFileName(u""), std::nullopt);
}

TEST(LoadNotes, OpensOneWindowPerNoteFile) {
    Startup s;
    s.drive.WriteFile("Notes/k407-3E529-8812x.txt", "Buy milk\r\n");
    s.drive.WriteFile("Notes/Shopping.TXT", "upper case does not match");
    s.drive.WriteFile("Notes/plan.txt.bak", "backup");
    s.drive.WriteFile("Notes/a.txt", "A");
    s.drive.WriteFile("Notes/a.txt.txt", "never shown");
    s.drive.WriteFile("Notes/.txt", "");
    s.drive.WriteFile("Notes/sub.txt/inner.txt", "not searched");
    Notes::LoadNotes(s.factory, s.drive.Text());

    // "a.txt" and "a.txt.txt" both name the note "a": one window, or the two would write over
    // each other's text in the one file.
    EXPECT_THAT(s.OpenedIds(), UnorderedElementsAre(u"k407-3E529-8812x", u"plan.bak", u"a"));
    for (const auto& window : s.factory.Windows) {
        EXPECT_TRUE(window->View.Shown());
        const auto& id = window->Note->noteID;
        const std::u16string expected = id == u"k407-3E529-8812x" ? u"Buy milk\r\n"
                                        : id == u"a"              ? u"A"
                                                     : std::u16string(Notes::InitialNoteText);
        EXPECT_EQ(window->View.Text, expected) << TestSupport::Utf8(id);
    }
    EXPECT_TRUE(s.dialogs.Messages.empty());
    EXPECT_FALSE(s.drive.Exists("Notes/plan.bak.txt"));  // opening writes nothing
}

TEST(LoadNotes, NoNotesFolderOpensNothingQuietly) {
    Startup missing;
    Notes::LoadNotes(missing.factory, missing.drive.Text());
    EXPECT_TRUE(missing.factory.Windows.empty());
    EXPECT_FALSE(missing.drive.Exists("Notes"));  // not created either

    Startup file;
    file.drive.WriteFile("Notes", "x.txt");
    Notes::LoadNotes(file.factory, file.drive.Text());
    EXPECT_TRUE(file.factory.Windows.empty());
    EXPECT_TRUE(missing.dialogs.Messages.empty());
    EXPECT_TRUE(file.dialogs.Messages.empty());
}

TEST(NewNote, EachClickOpensAWindowWithANewIdAndNoFile) {
    Startup s;
    Notes::NewNote(s.factory);
    Notes::NewNote(s.factory);
    ASSERT_EQ(s.factory.Windows.size(), 2U);
    const auto ids = s.OpenedIds();
    EXPECT_NE(ids[0], ids[1]);
    for (const auto& window : s.factory.Windows) {
        EXPECT_EQ(window->Note->noteID.size(), 16U);
        EXPECT_TRUE(Notes::IsPortableFileName(window->Note->noteID));
        EXPECT_EQ(window->View.Text, Notes::InitialNoteText);
        EXPECT_TRUE(window->View.Shown());
    }
    EXPECT_FALSE(s.drive.Exists("Notes"));

    // OpenNote ignores the IDs that stand for no note.
    Notes::OpenNote(s.factory, u"");
    Notes::OpenNote(s.factory, u".txt");
    EXPECT_EQ(s.factory.Windows.size(), 2U);
}
