#include "support/CDirDrill.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DirDrillWalk.h"
#include "platform/FileSystem.h"
#include "testsupport/TempFolder.h"

using DirDrillTest::Attach;
using DirDrillTest::Search;
using DirDrillTest::Walk;
using Support::CDirDrill;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;
using TestSupport::U;
namespace fs = std::filesystem;

TEST(CDirDrill, PropertiesKeepWhatTheyAreGiven) {
    TempFolder drive;
    drive.WriteFile("file.txt", "");
    drive.MakeFolder("Other");
    const TestSupport::ScopedCurrentFolder here(drive.Path());
    CDirDrill drill;
    EXPECT_EQ(drill.Folder(), Platform::CurrentFolder());
    EXPECT_EQ(drill.Pattern(), u"*.*");
    EXPECT_TRUE(drill.Recursive());
    EXPECT_EQ(drill.AttributeMask(), 0);

    drill.SetPattern(u"*.txt, *.doc ,a b");
    EXPECT_EQ(drill.Pattern(), u"*.txt;*.doc;ab");

    drill.SetFolder(drive.Text("missing"));
    drill.SetFolder(drive.Text("file.txt"));
    EXPECT_EQ(drill.Folder(), Platform::CurrentFolder());
    drill.SetFolder(drive.Text("Other"));
    EXPECT_EQ(drill.Folder(), drive.Text("Other"));

    // A start folder that does not exist leaves the search in the previous folder.
    drill.SetPattern(u"*.*");
    const Walk walk = Search(drill, drive, "missing");
    EXPECT_THAT(walk.Events, ElementsAre("folder /Other/"));
    EXPECT_EQ(drill.Folder(), drive.Text("Other"));
}

TEST(CDirDrill, WalksDepthFirstAndCountsSubFoldersEvenWhenNotRecursive) {
    TempFolder drive;
    drive.WriteFile("a.txt", "");
    drive.WriteFile("b.txt", "");
    drive.WriteFile("sub/c.txt", "");
    CDirDrill drill;

    Walk walk = Search(drill, drive);
    ASSERT_EQ(walk.Events.size(), 5U);
    EXPECT_EQ(walk.Events[0], "folder /");
    EXPECT_THAT((std::vector<std::string>{walk.Events[1], walk.Events[2]}),
                UnorderedElementsAre("file /a.txt", "file /b.txt"));
    EXPECT_EQ(walk.Events[3], "folder /sub/");
    EXPECT_EQ(walk.Events[4], "file /sub/c.txt");
    EXPECT_EQ(walk.TotalFiles, 3);
    EXPECT_EQ(walk.TotalFolders, 2);
    EXPECT_EQ(walk.DoneCount, 1);

    drill.SetRecursive(false);
    walk = Search(drill, drive);
    EXPECT_EQ(walk.Events.size(), 3U);
    EXPECT_EQ(walk.TotalFiles, 2);
    EXPECT_EQ(walk.TotalFolders, 2);

    // Each sub-folder's whole subtree comes before the next sub-folder.
    TempFolder tree;
    tree.WriteFile("A/a", "");
    tree.WriteFile("A/Deep/d", "");
    tree.WriteFile("B/b", "");
    drill.SetRecursive(true);
    walk = Search(drill, tree);
    EXPECT_THAT(walk.Events,
                AnyOf(ElementsAre("folder /", "folder /A/", "file /A/a", "folder /A/Deep/",
                                  "file /A/Deep/d", "folder /B/", "file /B/b"),
                      ElementsAre("folder /", "folder /B/", "file /B/b", "folder /A/", "file /A/a",
                                  "folder /A/Deep/", "file /A/Deep/d")));
    EXPECT_EQ(walk.TotalFolders, 4);
}

TEST(CDirDrill, CancelStopsTheWalkWhereItWasSet) {
    TempFolder drive;
    drive.WriteFile("one.txt", "");
    drive.WriteFile("two.txt", "");
    drive.WriteFile("A/a.txt", "");
    drive.WriteFile("B/b.txt", "");
    CDirDrill drill;

    Walk walk = Search(drill, drive, {}, [](const std::string&, bool& Cancel) { Cancel = true; });
    EXPECT_THAT(walk.Events, ElementsAre("folder /"));
    EXPECT_EQ(walk.TotalFiles, 0);
    EXPECT_EQ(walk.TotalFolders, 1);

    // A cancel in NewFile still lets the first sub-folder be entered, with Cancel already set.
    std::vector<bool> cancelSeen;
    walk = Search(drill, drive, {}, [&](const std::string& event, bool& Cancel) {
        cancelSeen.push_back(Cancel);
        if (event.starts_with("file")) {
            Cancel = true;
        }
    });
    ASSERT_EQ(walk.Events.size(), 3U);
    EXPECT_EQ(walk.Events[0], "folder /");
    EXPECT_THAT(walk.Events[2], AnyOf("folder /A/", "folder /B/"));
    EXPECT_THAT(cancelSeen, ElementsAre(false, false, true));
    EXPECT_EQ(walk.TotalFiles, 2);
    EXPECT_EQ(walk.TotalFolders, 3);

    // A cancel on entering a sub-folder ends the walk there; the next search starts afresh.
    walk = Search(drill, drive, {}, [](const std::string& event, bool& Cancel) {
        Cancel = event != "folder /" && event.starts_with("folder");
    });
    EXPECT_EQ(walk.Events.size(), 4U);
    EXPECT_EQ(walk.TotalFiles, 2);
    EXPECT_EQ(walk.TotalFolders, 3);
    walk = Search(drill, drive);
    EXPECT_EQ(walk.TotalFiles, 4);
    EXPECT_EQ(walk.DoneCount, 1);
}

TEST(CDirDrill, DotFoldersAreNeitherCountedNorSearched) {
    TempFolder drive;
    drive.WriteFile(".git/config", "");
    drive.WriteFile(".hidden/.also/x.txt", "");
    drive.WriteFile("Visible/y.txt", "");
    CDirDrill drill;
    Walk walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/Visible/y.txt"));
    EXPECT_EQ(walk.TotalFolders, 2);

    // The mask lets hidden files in, but never dot folders, nor folders as files.
    drill.SetAttributeMask(Platform::AttrHidden | Platform::AttrDirectory);
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/Visible/y.txt"));
    EXPECT_EQ(walk.TotalFolders, 2);
}

TEST(CDirDrill, EachPatternListsItsOwnMatches) {
    TempFolder drive;
    drive.WriteFile("notes.txt", "");
    drive.WriteFile("report.doc", "");
    drive.WriteFile("image.gif", "");
    drive.WriteFile("exact.ini", "");
    drive.MakeFolder("folder.txt");
    CDirDrill drill;
    drill.SetAttributeMask(Platform::AttrDirectory);

    drill.SetPattern(u"*.txt, *.doc");
    Walk walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/notes.txt", "/report.doc"));

    // Listed once per pattern it matches, and counted so.
    drill.SetPattern(u"n*;*.txt;exact.ini;");
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/notes.txt", "/notes.txt", "/exact.ini"));
    EXPECT_EQ(walk.TotalFiles, 3);
    EXPECT_EQ(walk.TotalFolders, 2);

    // Wildcards ignore case.
    drill.SetPattern(u"*.TXT");
    walk = Search(drill, drive);
    EXPECT_THAT(walk.Files, ElementsAre("/notes.txt"));
}

TEST(CDirDrill, FoldersThatVanishDuringTheWalkFindNothing) {
    TempFolder drive;
    drive.WriteFile("Start/Gone/inside.txt", "");
    drive.WriteFile("Start/Gone.txt", "");
    drive.WriteFile("Start.txt", "");
    CDirDrill drill;
    const Walk walk = Search(drill, drive, "Start", [&](const std::string& event, bool&) {
        if (event == "file /Start/Gone.txt") {
            fs::remove_all(drive.Path() / "Start" / "Gone");
        }
    });
    EXPECT_THAT(walk.Events,
                ElementsAre("folder /Start/", "file /Start/Gone.txt", "folder /Start/Gone/"));
    EXPECT_EQ(walk.TotalFolders, 2);

    // Likewise the start folder itself.
    fs::remove_all(drive.Path() / "Start");
    Walk again;
    Attach(drill, drive, again);
    drill.BeginSearch(u"");
    EXPECT_THAT(again.Events, ElementsAre("folder /Start/"));
    EXPECT_EQ(again.TotalFiles, 0);
    EXPECT_EQ(again.DoneCount, 1);
}

TEST(CDirDrill, HandlersMayReplaceThemselves) {
    TempFolder drive;
    drive.WriteFile("a", "");
    drive.WriteFile("b", "");
    CDirDrill drill;
    std::vector<std::string> seen;
    const std::string label(64, 'x');  // long enough to live on the heap inside the handler
    drill.NewFile = [&drill, &seen, label](const std::u16string&, bool&) {
        drill.NewFile = nullptr;
        seen.push_back(label);
    };
    std::int32_t total = 0;
    drill.Done = [&total](std::int32_t files, std::int32_t) { total = files; };
    drill.BeginSearch(drive.Text());
    EXPECT_THAT(seen, ElementsAre(label));
    EXPECT_EQ(total, 2);

    // A search started from a handler runs whole, then the interrupted walk goes on with the
    // counters the inner search left.
    drive.WriteFile("sub/c", "");
    Walk walk;
    bool nested = false;
    Attach(drill, drive, walk, [&](const std::string& event, bool&) {
        if (event == "folder /sub/" && !nested) {
            nested = true;
            drill.BeginSearch(drive.Text("sub"));
        }
    });
    drill.BeginSearch(drive.Text());
    ASSERT_EQ(walk.Events.size(), 7U);
    EXPECT_THAT(std::vector<std::string>(walk.Events.begin() + 3, walk.Events.end()),
                ElementsAre("folder /sub/", "folder /sub/", "file /sub/c", "file /sub/c"));
    EXPECT_EQ(walk.DoneCount, 2);
    EXPECT_EQ(walk.TotalFiles, 2);
    EXPECT_EQ(walk.TotalFolders, 1);
}

TEST(CDirDrill, PathAndFileRoutines) {
    TempFolder drive;
    drive.MakeFolder("dir");
    drive.WriteFile("note.txt", "caf\xC3\xA9\r\nline");
    drive.WriteFile("empty.txt", "");
    CDirDrill drill;

    EXPECT_EQ(drill.ExtractName(u"/x/dir/file.txt", false), u"file.txt");
    EXPECT_EQ(drill.ExtractName(u"/x/dir/file.txt", true), u"file");
    EXPECT_EQ(drill.ExtractName(u"/x/dir/archive.tar.gz", true), u"archive.tar");
    EXPECT_EQ(drill.ExtractName(u"/x/dir/README", true), u"README");
    EXPECT_EQ(drill.ExtractName(u"/x/dir/.profile", true), u"");
    EXPECT_EQ(drill.ExtractName(u"/x/dir/name.", true), u"name.");
    EXPECT_EQ(drill.ExtractName(u"plain.txt", true), u"plain");
    EXPECT_EQ(drill.ExtractName(u"/x/missing/", false), u"/x/missing/");
    EXPECT_EQ(drill.ExtractName(drive.Text("dir/"), false), u"");

    EXPECT_EQ(drill.ExtractPath(u"/x/dir/file.txt"), u"/x/dir/");
    EXPECT_EQ(drill.ExtractPath(u"file.txt"), u"");
    EXPECT_EQ(drill.ExtractPath(drive.Text("dir")), drive.Text("dir/"));
    EXPECT_EQ(drill.ExtractPath(drive.Text("dir/")), drive.Text("dir/"));

    EXPECT_EQ(drill.FileText(drive.Text("note.txt")), U("café\r\nline"));
    EXPECT_EQ(drill.FileText(drive.Text("empty.txt")), u"");
    EXPECT_EQ(drill.FileText(drive.Text("missing.txt")), u"");
    EXPECT_EQ(drill.FileText(drive.Text("dir")), u"");
}
