#include "platform/Memory.h"

#include <malloc.h>

namespace Platform {

void ReturnLargeBlocksAtOnce() {
    // A fixed threshold also stops the C library from raising it each time such a block is
    // freed, which is what would move the next ones into the heap.
    constexpr int kLargeBlockBytes = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
}

}  // namespace Platform
