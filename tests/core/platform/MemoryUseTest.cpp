// The memory figure behind the shutdown window.
#include "platform/MemoryUse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace quorvex;

TEST(MemoryUse, GrowsWithWhatIsAllocated)
{
    const uint64_t before = MemoryInUse();
    if (before == 0) GTEST_SKIP() << "the platform does not tell";
    constexpr size_t size = 8u << 20;
    auto block = std::make_unique<char[]>(size);
    std::memset(block.get(), 1, size); // resident, not only reserved
    EXPECT_GE(MemoryInUse(), before + size / 2);
    EXPECT_GT(MemoryInUse(), ShutdownWindowThreshold);
}
