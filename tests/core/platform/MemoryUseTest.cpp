// The heap figure behind the shutdown window.
#include "platform/MemoryUse.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quorvex;

TEST(MemoryUse, GrowsWithWhatIsAllocated)
{
    const uint64_t before = MemoryInUse();
    auto block = std::make_unique<char[]>(4 << 20);
    block[0] = 1;
    EXPECT_GE(MemoryInUse(), before + (4u << 20) - 4096);
    block.reset();
    EXPECT_LT(MemoryInUse(), before + (4u << 20));
}
