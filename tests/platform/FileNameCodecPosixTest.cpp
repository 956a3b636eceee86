#include <gtest/gtest.h>

#include <string>

#include "platform/posix/FileNameCodec.h"

using Platform::Posix::DecodeFileName;
using Platform::Posix::EncodeFileName;

TEST(FileNames, BytesThatAreNotUtf8RoundTrip) {
    const std::string native = "caf\xE9-\xFF\x80.txt";
    const std::u16string name = DecodeFileName(native);
    EXPECT_EQ(EncodeFileName(name), native);
    EXPECT_EQ(DecodeFileName("n\xC3\xB6te.txt"), u"nöte.txt");
    EXPECT_EQ(EncodeFileName(u"nöte.txt"), "n\xC3\xB6te.txt");
    // A typed lone surrogate is no escape: it goes out in its UTF-8 form, not as a raw byte.
    EXPECT_EQ(EncodeFileName(u"\xDCE9"), "\xED\xB3\xA9");
}
