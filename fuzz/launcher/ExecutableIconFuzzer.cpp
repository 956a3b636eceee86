// Feeds arbitrary bytes as a Windows program to the icon reader, at a few wanted sizes, and
// checks what every answer must be: no read outside the file, few reads, and a picture only
// as a PNG or a one-entry .ico whose own header keeps within the picture size limit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "launcher/ExecutableIcon.h"
#include "launcher/PictureLimit.h"
#include "platform/FileReader.h"

namespace {

class MemoryFile final : public Platform::FileReader {
  public:
    explicit MemoryFile(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) override {
        if (offset > bytes_.size() || length > bytes_.size() - offset || ++reads_ > 64) {
            std::abort();
        }
        return std::string(bytes_.substr(offset, length));
    }

  private:
    std::string_view bytes_;
    int reads_ = 0;
};

std::uint32_t Byte(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

void CheckPicture(const std::string& picture) {
    if (picture.rfind("\x89PNG\r\n\x1a\n", 0) == 0) {
        if (picture.size() < 24) {
            std::abort();
        }
        const std::uint32_t width = (Byte(picture, 16) << 24U) | (Byte(picture, 17) << 16U) |
                                    (Byte(picture, 18) << 8U) | Byte(picture, 19);
        if (width == 0 || width > Launcher::MaxPictureSide) {
            std::abort();
        }
        return;
    }
    if (picture.size() < 22 + 40 || picture.compare(0, 6, std::string("\0\0\1\0\1\0", 6)) != 0) {
        std::abort();
    }
    const std::uint32_t width = Byte(picture, 26) | (Byte(picture, 27) << 8U) |
                                (Byte(picture, 28) << 16U) | (Byte(picture, 29) << 24U);
    if (width == 0 || width > Launcher::MaxPictureSide) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer hands bytes
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const int side : {16, 48, 256}) {
        MemoryFile file(bytes);
        if (const auto picture = Launcher::ExecutableIcon(file, side)) {
            CheckPicture(*picture);
        }
    }
    return 0;
}
