// Titles found by their first letters whatever their case, in the scripts a drive's titles use.

#include <gtest/gtest.h>

#include "support/CaseFold.h"

using Support::StartsWithIgnoringCase;

TEST(CaseFold, CapitalsAndSmallLettersBeginTheSameTitles) {
    EXPECT_TRUE(StartsWithIgnoringCase(u"Notepad++", u"NOTE"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"ÉDITEUR", u"éd"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"Þorn", u"þ"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"Łódź", u"łÓ"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"Ĺubica", u"ĺ"));  // capital on the odd code
    EXPECT_TRUE(StartsWithIgnoringCase(u"Žurnal", u"ž"));  // and again near the end
    EXPECT_TRUE(StartsWithIgnoringCase(u"Ÿvette", u"ÿ"));  // whose small letter is in Latin-1
    EXPECT_TRUE(StartsWithIgnoringCase(u"Ωmega", u"ω"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"ЁЖИК", u"ёж"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"anything", u""));

    // Neighbours that are no pair stay apart.
    EXPECT_FALSE(StartsWithIgnoringCase(u"×", u"÷"));  // multiplication and division signs
    EXPECT_FALSE(StartsWithIgnoringCase(u"ň", u"ŉ"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"ĸ", u"Ĺ"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"[", u"{"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"@", u"`"));
    // Longer than the title, or only somewhere inside it.
    EXPECT_FALSE(StartsWithIgnoringCase(u"Go", u"gone"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"Paint", u"int"));
}
