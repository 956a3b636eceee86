#pragma once

// Helpers shared by the POSIX implementations: the conversion of paths at the boundary and
// the wording of errno for the user.

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/IoStatus.h"
#include "platform/posix/FileNameCodec.h"
#include "support/TextCodec.h"

namespace Platform::Posix {

inline std::string NativePath(const std::u16string& path) {
    return EncodeFileName(path);
}

inline IoStatus ErrnoFailure(int error) {
    return IoStatus::Failure(TextCodec::FromUtf8(std::strerror(error)));
}

}  // namespace Platform::Posix
