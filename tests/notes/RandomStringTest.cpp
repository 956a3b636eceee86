#include "notes/RandomString.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "RecordingNoteView.h"
#include "platform/FileSystem.h"
#include "support/TextCodec.h"
#include "testsupport/NativePath.h"

using Notes::NoteIdMask;
using Notes::Pcg32Random;
using Notes::RandomString;
using NotesTest::ScriptedDraws;

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::string CodesOf(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        std::array<char, 8> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "%04x ", static_cast<unsigned>(c));
        out += buffer.data();
    }
    return out + "\n";
}

std::string RunAndRead(const char* command) {
    std::string output;
    FILE* pipe = ::popen(command, "r");
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        output += buffer.data();
    }
    ::pclose(pipe);
    return output;
}

}  // namespace

TEST(RandomString, NoteIdMaskPutsEachCharacterClassAtItsPosition) {
    std::set<char16_t> lastAllowed;
    for (int code = 1; code <= 128; ++code) {
        lastAllowed.insert(TextCodec::CharFromCode(static_cast<std::uint8_t>(code)));
    }
    Pcg32Random generator;
    std::set<char16_t> letters;
    std::set<char16_t> hexDigits;
    for (int n = 0; n < 3000; ++n) {
        const std::u16string id = RandomString(NoteIdMask, generator);
        ASSERT_EQ(id.size(), 16U);
        EXPECT_EQ(id[4], u'-');
        EXPECT_EQ(id[10], u'-');
        const char16_t first = id[0];
        EXPECT_TRUE((first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z'));
        for (const int position : {1, 2, 3, 5, 7, 8, 9, 11, 12, 13, 14}) {
            EXPECT_TRUE(IsDigit(id[position])) << "position " << position + 1;
        }
        EXPECT_TRUE(IsDigit(id[6]) || (id[6] >= u'A' && id[6] <= u'F'));
        EXPECT_TRUE(lastAllowed.contains(id[15]));
        letters.insert(first);
        hexDigits.insert(id[6]);
    }
    // Every character of a set is reachable: the index spans the whole set.
    EXPECT_EQ(letters.size(), 52U);
    EXPECT_EQ(hexDigits.size(), 16U);
}

TEST(RandomString, DrawsOncePerPatternCharacterInMaskOrder) {
    ScriptedDraws draws{0.0F, 0.999F, 0.85F, 0.5F, 0.25F};
    EXPECT_EQ(RandomString(u"A#-Nx-H?anh", draws), u"A9-0x-8!anh");
    EXPECT_EQ(draws.Taken, 5);

    ScriptedDraws ends{51.5F / 62.0F, 0.999F, 0.999F, 0.999F};
    EXPECT_EQ(RandomString(u"NNA#", ends), u"z9z9");

    ScriptedDraws zeros{0.0F, 0.0F, 0.0F, 0.0F};
    EXPECT_EQ(RandomString(u"ANH#", zeros), u"AA00");

    ScriptedDraws none{};
    EXPECT_EQ(RandomString(u"a-n h:/.\u00e9", none), u"a-n h:/.\u00e9");
    EXPECT_EQ(RandomString(u"", none), u"");
    EXPECT_EQ(none.Taken, 0);

    Pcg32Random generator;
    EXPECT_EQ(RandomString(std::u16string(40000, u'#'), generator).size(), 40000U);
}

TEST(RandomString, QuestionMarkRoundsCodeHalfToEven) {
    const auto code = [](float r) {
        ScriptedDraws draw{r};
        return RandomString(u"?", draw);
    };
    EXPECT_EQ(code(0.0F), std::u16string(1, u'\x01'));
    EXPECT_EQ(code(0.5F), u"@");   // 64.5 goes to 64, not 65
    EXPECT_EQ(code(0.25F), u"!");  // 32.75
    EXPECT_EQ(code(0.75F), u"`");  // 96.25
    const float belowOne = std::nextafter(1.0F, 0.0F);
    EXPECT_EQ(code(belowOne), std::u16string(1, TextCodec::CharFromCode(128)));
    EXPECT_EQ(code(belowOne), u"\u20ac");
}

TEST(Pcg32Random, FollowsTheReferenceGeneratorAndStartsAlike) {
    // Outputs of the PCG reference implementation after pcg32_srandom(42, 54).
    Pcg32Random reference(42U, 54U);
    for (const std::uint32_t expected :
         {0xa15c02b7U, 0x7b47f409U, 0xba1d3330U, 0x83d2f293U, 0xbfa4784bU, 0xcbed606eU}) {
        EXPECT_EQ(reference.NextUInt32(), expected);
    }

    Pcg32Random one;
    Pcg32Random other;
    const std::u16string firstId = RandomString(NoteIdMask, one);
    EXPECT_EQ(RandomString(NoteIdMask, other), firstId);
    EXPECT_NE(RandomString(NoteIdMask, one), firstId);

    Pcg32Random draws;
    double sum = 0;
    constexpr int kCount = 100000;
    for (int n = 0; n < kCount; ++n) {
        const float r = draws.Draw();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        const double scaled = static_cast<double>(r) * 16777216.0;
        ASSERT_EQ(scaled, std::floor(scaled));  // 24 bits, exact in a float
        sum += r;
    }
    EXPECT_NEAR(sum / kCount, 0.5, 0.01);
}

TEST(ProcessRandom, FirstNoteIdIsTheSameInEveryRun) {
    // The helper is built beside this program; quoted for the shell that runs it.
    std::string helper = "\"";
    helper += (TestSupport::PathOfText(Platform::ProgramFolder()) / KIVOLA_NOTES_FIRST_ID_HELPER)
                  .string();
    helper += '"';
    const std::string firstRun = RunAndRead(helper.c_str());
    const std::string secondRun = RunAndRead(helper.c_str());
    ASSERT_EQ(firstRun.size(), 16U * 5U + 1U);
    EXPECT_EQ(firstRun, secondRun);
    // And it is the documented generator's first ID.
    Pcg32Random fresh;
    EXPECT_EQ(firstRun, CodesOf(RandomString(NoteIdMask, fresh)));
}
