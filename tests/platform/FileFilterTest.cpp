#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileFilter.h"

using Platform::ParseFileFilter;

TEST(FileFilter, PairsOfDescriptionAndPatterns) {
    const auto one = ParseFileFilter(u"All Executables|*.exe");
    ASSERT_EQ(one.size(), 1U);
    EXPECT_EQ(one[0].Description, u"All Executables");
    EXPECT_EQ(one[0].Patterns, std::vector<std::u16string>{u"*.exe"});

    const auto two = ParseFileFilter(u"Programs|*.exe;*.com;;*.bat|Everything|*.*");
    ASSERT_EQ(two.size(), 2U);
    EXPECT_EQ(two[0].Patterns, (std::vector<std::u16string>{u"*.exe", u"*.com", u"*.bat"}));
    EXPECT_EQ(two[1].Description, u"Everything");
    EXPECT_EQ(two[1].Patterns, std::vector<std::u16string>{u"*.*"});
}

TEST(FileFilter, IncompleteTextsGiveNoFilterForTheMissingPart) {
    EXPECT_TRUE(ParseFileFilter(u"").empty());
    EXPECT_TRUE(ParseFileFilter(u"Just a description").empty());
    const auto dangling = ParseFileFilter(u"Programs|*.exe|Orphan");
    ASSERT_EQ(dangling.size(), 1U);
    EXPECT_EQ(dangling[0].Description, u"Programs");
    EXPECT_TRUE(ParseFileFilter(u"No patterns|")[0].Patterns.empty());
}
