#include "platform/ResidentProgram.h"

namespace Platform {

// KIVOLA.exe carries the run-from-swap flags in its header, so the system loader copies the
// whole image into memory before it starts; everything else it loads is the system's own.

void ReadMappedFilesAhead(const std::u16string& /*folder*/, const std::stop_token& /*stop*/) {}

HeldInMemory HoldInMemory(const std::u16string& /*folder*/) {
    return {};
}

}  // namespace Platform
