#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "testsupport/TempFolder.h"

using namespace Platform;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;

namespace {

std::vector<std::u16string> ListAll(const std::u16string& pathAndPattern, std::int32_t mask) {
    std::vector<std::u16string> names;
    for (auto entry = FindFirstEntry(pathAndPattern, mask); entry; entry = FindNextEntry()) {
        names.push_back(entry->Name);
    }
    return names;
}

}  // namespace

TEST(Wildcard, StarAndQuestionMarkMatchLikeWindows) {
    EXPECT_TRUE(MatchesWildcard(u"readme", u"*.*"));
    EXPECT_TRUE(MatchesWildcard(u"a.b.c", u"*.*"));
    EXPECT_TRUE(MatchesWildcard(u"note.txt", u"*.txt"));
    EXPECT_TRUE(MatchesWildcard(u"NOTE.TXT", u"*.txt"));
    EXPECT_FALSE(MatchesWildcard(u"note.txt.bak", u"*.txt"));
    EXPECT_TRUE(MatchesWildcard(u"a1.gif", u"a?.gif"));
    EXPECT_FALSE(MatchesWildcard(u"a.gif", u"a?.gif"));
    EXPECT_TRUE(MatchesWildcard(u"tool", u"t*.*"));
    EXPECT_FALSE(MatchesWildcard(u"x", u""));
    EXPECT_TRUE(MatchesWildcard(u"aaaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*b"));
    EXPECT_FALSE(MatchesWildcard(u"aaaaaaaaaaaaaaaaaaaaaaaaa", u"*a*a*a*a*a*a*b"));
}

TEST(FindFirstEntry, AttributeMaskChoosesFolderEntries) {
    TempFolder drive;
    drive.WriteFile("a.txt", "");
    drive.MakeFolder("Folder.txt");
    const std::u16string all = drive.Text("*.txt");
    EXPECT_THAT(ListAll(all, 0), UnorderedElementsAre(u"a.txt"));
    EXPECT_THAT(ListAll(all, AttrDirectory), UnorderedElementsAre(u"a.txt", u"Folder.txt"));
    const auto folder = FindFirstEntry(drive.Text("Folder*"), AttrDirectory);
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(folder->IsFolder);
}

TEST(FindFirstEntry, PlainNamesEmptyPatternsAndMissingFolders) {
    TempFolder drive;
    drive.WriteFile("exact.ini", "");
    EXPECT_THAT(ListAll(drive.Text("exact.ini"), 0), UnorderedElementsAre(u"exact.ini"));
    EXPECT_THAT(ListAll(drive.Text("nul"), 0), IsEmpty());
    EXPECT_THAT(ListAll(drive.Text() + PathSeparator, 0), IsEmpty());
    EXPECT_THAT(ListAll(drive.Text("missing/*.*"), 0), IsEmpty());
}

TEST(FindFirstEntry, StartingAgainAbandonsThePreviousListing) {
    TempFolder drive;
    drive.WriteFile("A/1", "");
    drive.WriteFile("A/2", "");
    drive.WriteFile("B/only", "");
    ASSERT_TRUE(FindFirstEntry(drive.Text("A/*"), 0).has_value());
    const auto fromB = FindFirstEntry(drive.Text("B/*"), 0);
    ASSERT_TRUE(fromB.has_value());
    EXPECT_EQ(fromB->Name, u"only");
    EXPECT_FALSE(FindNextEntry().has_value());
    EXPECT_FALSE(FindNextEntry().has_value());
}
