#include "support/MVb6Functions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using MVb6Functions::InStrRev;
using MVb6Functions::Replace;
using MVb6Functions::Split;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(InStrRev, FindsTheLastOccurrenceAsA1BasedPosition) {
    EXPECT_EQ(InStrRev(u"C:\\A\\B\\file.txt", u"\\"), 7);
    EXPECT_EQ(InStrRev(u"abc", u"x"), 0);
    EXPECT_EQ(InStrRev(u"", u"\\"), 0);
    EXPECT_EQ(InStrRev(u"abc", u"abc"), 1);
    EXPECT_EQ(InStrRev(u"abc", u"abcd"), 0);
    EXPECT_EQ(InStrRev(u"a.txt.txt", u".txt"), 6);
}

TEST(InStrRev, CountsOverlappingOccurrences) {
    EXPECT_EQ(InStrRev(u"aaa", u"aa"), 2);
    EXPECT_EQ(InStrRev(u"ababa", u"aba"), 3);
}

TEST(InStrRev, StartLimitsTheSearchToTheFirstCharacters) {
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", 5), 2);  // the match at 5 does not fit in 5 chars
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", 6), 5);
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", 0), 0);
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", 100), 5);  // beyond the end: the whole text
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", -7), 5);   // any negative Start: the whole text
}

TEST(InStrRev, EmptyMatchIsFoundNowhere) {
    EXPECT_EQ(InStrRev(u"abc", u""), 0);
    EXPECT_EQ(InStrRev(u"", u""), 0);
}

TEST(Replace, ReplacesEveryOccurrenceByDefault) {
    EXPECT_EQ(Replace(u"a.txt.txt", u".txt", u""), u"a");
    EXPECT_EQ(Replace(u"x,y,z", u",", u";"), u"x;y;z");
    EXPECT_EQ(Replace(u"* .txt, *.doc", u" ", u""), u"*.txt,*.doc");
    EXPECT_EQ(Replace(u"E:\\Apps\\Tool", u"E:\\Apps\\", u""), u"Tool");
}

TEST(Replace, KeepsTheTextBeforeStart) {
    EXPECT_EQ(Replace(u"a-b-c", u"-", u"+", 3), u"a-b+c");
    EXPECT_EQ(Replace(u"a-b-c", u"-", u"+", 2), u"a+b+c");
    EXPECT_EQ(Replace(u"a-b-c", u"-", u"+", 6), u"a-b-c");  // past the end: nothing found
    EXPECT_EQ(Replace(u"a-b-c", u"-", u"+", 0), u"a+b+c");  // below 1 counts as 1
    EXPECT_EQ(Replace(u"a-b-c", u"-", u"+", -5), u"a+b+c");
}

TEST(Replace, NeverSearchesInsertedTextAndNeverOverlaps) {
    EXPECT_EQ(Replace(u"aaa", u"a", u"aa"), u"aaaaaa");
    EXPECT_EQ(Replace(u"aaaa", u"aa", u"b"), u"bb");
    EXPECT_EQ(Replace(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(Replace(u"abab", u"ab", u"abab"), u"abababab");
}

TEST(Replace, CountIsTestedAfterEachReplacement) {
    EXPECT_EQ(Replace(u"abab", u"ab", u"X", 1, 0), u"Xab");   // 0 still replaces once
    EXPECT_EQ(Replace(u"abab", u"ab", u"X", 1, -2), u"Xab");  // so does any other below 1
    EXPECT_EQ(Replace(u"ababab", u"ab", u"X", 1, 2), u"XXab");
    EXPECT_EQ(Replace(u"ababab", u"ab", u"X", 1, -1), u"XXX");
    EXPECT_EQ(Replace(u"ababab", u"ab", u"X", 3, 1), u"abXab");
}

TEST(Replace, ReturnsTheTextUnchangedWhenThereIsNothingToDo) {
    EXPECT_EQ(Replace(u"abc", u"", u"x"), u"abc");
    EXPECT_EQ(Replace(u"abc", u"b", u"b"), u"abc");
    EXPECT_EQ(Replace(u"", u"b", u"x"), u"");
    EXPECT_EQ(Replace(u"abc", u"abcd", u"x"), u"abc");
    // Find equal to ReplaceWith is tested exactly, even when comparing without case.
    EXPECT_EQ(Replace(u"aBc", u"b", u"B", 1, -1, 1), u"aBc");
}

TEST(Split, CutsAtEveryDelimiterKeepingEmptyPieces) {
    EXPECT_THAT(Split(u"a,b,,c", u","), ElementsAre(u"a", u"b", u"", u"c"));
    EXPECT_THAT(Split(u"a,b,", u","), ElementsAre(u"a", u"b", u""));
    EXPECT_THAT(Split(u",a", u","), ElementsAre(u"", u"a"));
    EXPECT_THAT(Split(u",", u","), ElementsAre(u"", u""));
    EXPECT_THAT(Split(u"a=>b=>c", u"=>"), ElementsAre(u"a", u"b", u"c"));
    EXPECT_THAT(Split(u"abc", u","), ElementsAre(u"abc"));
}

TEST(Split, LimitKeepsTheRestUnsplitInTheLastPiece) {
    EXPECT_THAT(Split(u"a;b;c", u";", 2), ElementsAre(u"a", u"b;c"));
    EXPECT_THAT(Split(u"a;b;c", u";", 1), ElementsAre(u"a;b;c"));
    EXPECT_THAT(Split(u"a;b;c", u";", 3), ElementsAre(u"a", u"b", u"c"));
    EXPECT_THAT(Split(u"a;b;c", u";", 9), ElementsAre(u"a", u"b", u"c"));
    EXPECT_THAT(Split(u"a;b;c", u";", -2), ElementsAre(u"a", u"b", u"c"));  // no limit
    EXPECT_THAT(Split(u"a;b;c", u";", 0), IsEmpty());
}

TEST(Split, EmptyTextsGiveOneElement) {
    EXPECT_THAT(Split(u"", u","), ElementsAre(u""));
    EXPECT_THAT(Split(u"", u""), ElementsAre(u""));
    EXPECT_THAT(Split(u"a,b", u""), ElementsAre(u"a,b"));
    EXPECT_THAT(Split(u"", u",", 0), IsEmpty());
}

TEST(CaseInsensitiveCompare, MatchesLettersOfEitherCase) {
    EXPECT_EQ(InStrRev(u"Photo.JPG.jpg", u".jpg", -1, 1), 10);
    EXPECT_EQ(InStrRev(u"Photo.JPG", u".jpg", -1, 1), 6);
    EXPECT_EQ(InStrRev(u"Photo.JPG", u".jpg", -1, 0), 0);
    EXPECT_EQ(Replace(u"Plan.TXT", u".txt", u"", 1, -1, 1), u"Plan");
    EXPECT_EQ(Replace(u"ÉTÉ été", u"été", u"x", 1, -1, 1), u"x x");
    EXPECT_THAT(Split(u"aXbxc", u"x", -1, 1), ElementsAre(u"a", u"b", u"c"));
    EXPECT_THAT(Split(u"aXbxc", u"x", -1, 0), ElementsAre(u"aXb", u"c"));
    // Letters only: digits and punctuation are not folded into anything else.
    EXPECT_EQ(InStrRev(u"[a]", u"{A}", -1, 1), 0);
    EXPECT_EQ(InStrRev(u"Straße STRASSE", u"ß", -1, 1), 5);
}
