#include <gtest/gtest.h>

#include <string>

#include "launcher/PictureLimit.h"

namespace {

// The first ten bytes of a GIF: signature, then the logical screen's width and height.
std::string GifHeader(int width, int height) {
    std::string bytes = "GIF89a";
    for (const int side : {width, height}) {
        bytes.push_back(static_cast<char>(side & 0xFF));
        bytes.push_back(static_cast<char>((side >> 8) & 0xFF));
    }
    return bytes + std::string(8, '\0');
}

TEST(PictureLimit, EachSideOneTo1024AndAGifsScreenNoLarger) {
    const std::string png = "\x89PNG\r\n\x1a\n";
    EXPECT_TRUE(Launcher::PictureFits(png, 1, 1));
    EXPECT_TRUE(Launcher::PictureFits(png, 1024, 1024));
    EXPECT_FALSE(Launcher::PictureFits(png, 1025, 1));
    EXPECT_FALSE(Launcher::PictureFits(png, 1, 1025));
    EXPECT_FALSE(Launcher::PictureFits(png, 0, 16));
    EXPECT_FALSE(Launcher::PictureFits(png, -1, -1));  // a header the decoder could not read

    // A small first frame on a screen too large to paint it on.
    EXPECT_FALSE(Launcher::PictureFits(GifHeader(5000, 16), 16, 16));
    EXPECT_FALSE(Launcher::PictureFits(GifHeader(16, 1025), 16, 16));
    EXPECT_TRUE(Launcher::PictureFits(GifHeader(1024, 1024), 16, 16));
    // Too short to hold a screen: the decoder's own size decides.
    EXPECT_TRUE(Launcher::PictureFits("GIF89a\xFF\xFF", 16, 16));
}

}  // namespace
