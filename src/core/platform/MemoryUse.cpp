#include "platform/MemoryUse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorvex {

uint64_t MemoryInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    return uint64_t(info.uordblks) + uint64_t(info.hblkhd);
#else
    return 0;
#endif
}

} // namespace quorvex
