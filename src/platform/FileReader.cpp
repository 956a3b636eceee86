#include "platform/FileReader.h"

namespace Platform {

std::optional<std::string> ReadExactly(std::uint64_t size, std::uint64_t offset, std::size_t length,
                                       const ReadSome& readSome) {
    if (offset > size || length > size - offset) {
        return std::nullopt;
    }
    std::string bytes(length, '\0');
    std::size_t used = 0;
    while (used < length) {
        const auto got = readSome(offset + used, bytes.data() + used, length - used);
        if (!got || *got == 0) {
            return std::nullopt;
        }
        used += *got;
    }
    return bytes;
}

}  // namespace Platform
