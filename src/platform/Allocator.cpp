#include "platform/Allocator.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void Allocator::keepFreedMemory() {
#if defined(__GLIBC__)
    constexpr int kMargin = 64 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, 2 * kMargin);
    mallopt(M_TOP_PAD, kMargin);
#endif
}
