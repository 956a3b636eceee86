#include "platform/posix/FileNameCodec.h"
#include "testsupport/NativePath.h"

namespace TestSupport {

std::u16string TextOfPath(const std::filesystem::path& path) {
    return Platform::Posix::DecodeFileName(path.native());
}

std::filesystem::path PathOfText(std::u16string_view text) {
    return {Platform::Posix::EncodeFileName(text)};
}

}  // namespace TestSupport
