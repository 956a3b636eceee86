#include "platform/Memory.h"

namespace Platform {

void ReturnLargeBlocksAtOnce() {
    // The Windows heap already gives every block above about half a megabyte memory of its
    // own, returned to the system when it is freed.
}

}  // namespace Platform
