#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notes/TextBoxLines.h"

namespace {

std::vector<std::u16string> Lines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    Notes::ForEachLine(text, [&](std::u16string_view line) { lines.emplace_back(line); });
    return lines;
}

using LineList = std::vector<std::u16string>;

TEST(TextBoxLines, EveryKindOfLineEndEndsOneLine) {
    // CR LF, a lone LF (Linux), a lone CR (old programs), LF CR as two ends, blank lines kept.
    EXPECT_EQ(Lines(u"a\r\nb\nc\rd\n\re\r\n\r\nf"),
              (LineList{u"a", u"b", u"c", u"d", u"", u"e", u"", u"f"}));
    EXPECT_EQ(Lines(u""), (LineList{u""}));
    EXPECT_EQ(Lines(u"last\r\n"), (LineList{u"last", u""}));
    EXPECT_EQ(Lines(u"\r"), (LineList{u"", u""}));

    EXPECT_EQ(Notes::WithLineEnds(u"a\nb\rc\r\nd", u"\r\n"), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(Notes::WithLineEnds(u"a\r\nb\r", u"\n"), u"a\nb\n");
    EXPECT_EQ(Notes::WithLineEnds(u"no end", u"\r\n"), u"no end");
}

TEST(TextBoxLines, ALineBreakInsideABoxLineIsSavedAsCrLf) {
    std::u16string note = u"first\r\n";
    // Shift+Enter's line separator, a paragraph separator and a stray LF, each a line end;
    // no-break spaces and other characters as they are.
    Notes::AppendBoxLine(note, u"a\u2028b\u2029c\nd\u00A0e");
    EXPECT_EQ(note, u"first\r\na\r\nb\r\nc\r\nd\u00A0e");
}

}  // namespace
