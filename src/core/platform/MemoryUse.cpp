#include "platform/MemoryUse.h"

#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

namespace quorvex
{

namespace
{

// Resident memory of the process, for allocators that do not report to the C library.
uint64_t ResidentBytes()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    unsigned long long size = 0, resident = 0;
    const int read = std::fscanf(f, "%llu %llu", &size, &resident);
    std::fclose(f);
    const long page = sysconf(_SC_PAGESIZE);
    return read == 2 && page > 0 ? uint64_t(resident) * uint64_t(page) : 0;
}

} // namespace

uint64_t MemoryInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    const uint64_t heap = uint64_t(info.uordblks) + uint64_t(info.hblkhd);
    if (heap > 0) return heap;
#endif
    return ResidentBytes();
}

} // namespace quorvex
