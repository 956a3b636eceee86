#include "support/TextCodec.h"

#include <gtest/gtest.h>

using namespace TextCodec;

TEST(FileText, ValidUtf8ReadsAsUtf8) {
    EXPECT_EQ(DecodeFileText("caf\xC3\xA9 \xE2\x82\xAC"), u"café €");
    EXPECT_EQ(DecodeFileText("\xF0\x9F\x93\x9D"), u"\U0001F4DD");
    EXPECT_EQ(DecodeFileText(""), u"");
}

TEST(FileText, InvalidUtf8ReadsAsWindows1252) {
    EXPECT_EQ(DecodeFileText("caf\xE9 \x80 \x93quote\x94"), u"café € \u201Cquote\u201D");
    // Codes 1252 leaves undefined keep their value instead of being dropped.
    EXPECT_EQ(DecodeFileText("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    // An overlong form or a truncated sequence is not UTF-8 either.
    EXPECT_EQ(DecodeFileText("\xC0\xAF"), u"\u00C0\u00AF");
    EXPECT_EQ(DecodeFileText("ab\xE2\x82"), u"ab\u00E2\u201A");
}

TEST(FileText, EveryTypedTextReadsBackExactly) {
    const std::u16string texts[] = {
        u"Type here to write your note...\r\n",
        u"Ünïcödé ✓ 日本語 \U0001F600",
        u"lone \xD800 high and \xDC00 low",
        std::u16string(1, u'\0') + u"nul inside",
        u"€ at code 128",
    };
    for (const auto& text : texts) {
        EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
    }
}

TEST(SystemMessages, Utf8WithBadBytesStillReads) {
    EXPECT_EQ(FromUtf8("caf\xC3\xA9"), u"café");
    EXPECT_EQ(FromUtf8("bad \xFF byte"), u"bad \uFFFD byte");
    EXPECT_EQ(ToUtf8(u"café"), "caf\xC3\xA9");
}

TEST(CodePage, CodesMapThroughWindows1252) {
    EXPECT_EQ(CharFromCode(1), u'\x01');
    EXPECT_EQ(CharFromCode(64), u'@');
    EXPECT_EQ(CharFromCode(128), u'€');
    EXPECT_EQ(CharFromCode(0xE9), u'é');
}

TEST(TextCodec, ACodePageFileIsWrittenBackInItsCodePageWhileEveryCharacterFits) {
    using TextCodec::FileEncoding;
    EXPECT_EQ(TextCodec::EncodingOfFileText("caf\xC3\xA9"), FileEncoding::Utf8);
    EXPECT_EQ(TextCodec::EncodingOfFileText("plain"), FileEncoding::Utf8);
    EXPECT_EQ(TextCodec::EncodingOfFileText("caf\xE9"), FileEncoding::CodePage);
    EXPECT_EQ(TextCodec::EncodingOfFileText(""), FileEncoding::Utf8);

    // Every code of the page comes back as itself, the five without a character included.
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all.push_back(static_cast<char>(code));
    }
    all += "\xE9";  // so that it is not valid UTF-8 as a whole
    const std::u16string read = TextCodec::DecodeFileText(all);
    EXPECT_EQ(TextCodec::EncodeFileText(read, FileEncoding::CodePage), all);

    // The euro sign and the accents fit; a character outside the page turns the whole text
    // into UTF-8, so that nothing typed is lost.
    EXPECT_EQ(TextCodec::EncodeFileText(u"\u20AC caf\u00E9", FileEncoding::CodePage),
              "\x80 caf\xE9");
    EXPECT_EQ(TextCodec::EncodeFileText(u"caf\u00E9 \u65E5", FileEncoding::CodePage),
              "caf\xC3\xA9 \xE6\x97\xA5");
    EXPECT_EQ(TextCodec::EncodeFileText(u"caf\u00E9", FileEncoding::Utf8), "caf\xC3\xA9");
}
