// The listing cursor over names hidden by their leading dot, which only POSIX has.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "testsupport/TempFolder.h"

using namespace Platform;
using ::testing::UnorderedElementsAre;
using TestSupport::TempFolder;

TEST(FindFirstEntry, AttributeMaskChoosesNamesHiddenByTheirDot) {
    TempFolder drive;
    drive.WriteFile("a.txt", "");
    drive.WriteFile(".secret.txt", "");
    std::vector<std::u16string> names;
    for (auto entry = FindFirstEntry(drive.Text("*.txt"), 0); entry; entry = FindNextEntry()) {
        names.push_back(entry->Name);
    }
    EXPECT_THAT(names, UnorderedElementsAre(u"a.txt"));
    names.clear();
    for (auto entry = FindFirstEntry(drive.Text("*.txt"), AttrHidden); entry;
         entry = FindNextEntry()) {
        names.push_back(entry->Name);
        EXPECT_EQ(entry->IsHidden, entry->Name == u".secret.txt");
    }
    EXPECT_THAT(names, UnorderedElementsAre(u"a.txt", u".secret.txt"));
}
