#include "launcher/PictureLimit.h"

namespace Launcher {

namespace {

bool GifScreenTooLarge(std::string_view bytes) {
    if (bytes.size() < 10 || bytes.substr(0, 4) != "GIF8") {
        return false;
    }
    const auto word = [&](std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8U);
    };
    return word(6) > MaxPictureSide || word(8) > MaxPictureSide;
}

bool SideFits(int side) {
    return side >= 1 && side <= MaxPictureSide;
}

}  // namespace

bool PictureFits(std::string_view bytes, int width, int height) {
    return SideFits(width) && SideFits(height) && !GifScreenTooLarge(bytes);
}

}  // namespace Launcher
