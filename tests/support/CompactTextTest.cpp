// The compact copy a note window compares its text with: it must tell every change, also
// those the one-byte form could hide.

#include <gtest/gtest.h>

#include <string>

#include "support/CompactText.h"

namespace {

using Support::CompactText;

TEST(CompactText, EqualsExactlyTheTextItWasMadeFrom) {
    for (const std::u16string& text :
         {std::u16string(), std::u16string(u"Shopping list:\r\n- coffee"),
          std::u16string(u"caf\u00e9 \u00ff\u00a0end"), std::u16string(u"\u0141\u00f3d\u017a"),
          std::u16string(u"\U0001F600 emoji"), std::u16string(1, u'\0')}) {
        const CompactText copy(text);
        EXPECT_TRUE(copy == text);
        EXPECT_FALSE(copy != text);
    }
}

TEST(CompactText, TellsTextsThatDifferOnlyAboveTheOneByteRange) {
    // Kept in one byte a character, "A" must not pass for U+0141 ("\u0141"), whose low byte it is.
    const CompactText narrow(u"A note");
    EXPECT_FALSE(narrow == u"\u0141 note");
    EXPECT_FALSE(narrow == u"\u0100A note");
    // Kept in two bytes, the same the other way round.
    const CompactText wide(u"\u0141 note");
    EXPECT_FALSE(wide == u"A note");
    EXPECT_TRUE(wide == u"\u0141 note");
}

TEST(CompactText, TellsTextsOfOtherLengthsAndOneCharacterChanged) {
    const CompactText copy(u"line one\r\nline two");
    EXPECT_FALSE(copy == u"line one\r\nline two ");
    EXPECT_FALSE(copy == u"line one\r\nline tw");
    EXPECT_FALSE(copy == u"line one\nline two");
    EXPECT_FALSE(copy == u"Line one\r\nline two");
    EXPECT_FALSE(CompactText(u"") == u"x");
    EXPECT_FALSE(CompactText(u"x") == u"");
}

}  // namespace
