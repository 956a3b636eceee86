#include <gtest/gtest.h>

#include <string>

#include "launcher/PictureFormat.h"

namespace {

using Launcher::PictureFormatOf;
using namespace std::string_literals;

TEST(PictureFormat, ToldByTheFirstBytesAndNothingForAnyOtherStart) {
    EXPECT_EQ(PictureFormatOf("GIF89a\x30\0\x30\0"s), "gif");
    EXPECT_EQ(PictureFormatOf("GIF87a"s), "gif");
    EXPECT_EQ(PictureFormatOf("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s), "png");
    EXPECT_EQ(PictureFormatOf("\xFF\xD8\xFF\xE0\0\x10JFIF"s), "jpeg");
    EXPECT_EQ(PictureFormatOf("BM\x36\x10\0\0"s), "bmp");
    EXPECT_EQ(PictureFormatOf("\0\0\1\0\1\0\x30\x30"s), "ico");
    EXPECT_EQ(PictureFormatOf("\0\0\2\0\1\0"s), "cur");
    // Cut short, text, a PNG whose line ends were converted, nothing at all.
    EXPECT_EQ(PictureFormatOf("GIF8"s), "");
    EXPECT_EQ(PictureFormatOf("not a picture"s), "");
    EXPECT_EQ(PictureFormatOf("\x89PNG\n\x1a\n"s), "");
    EXPECT_EQ(PictureFormatOf(""s), "");
}

}  // namespace
