#pragma once
// How much memory the program has taken from the allocator.

#include <cstdint>

namespace quorvex
{

// Bytes in use by the program's heap, 0 when the platform cannot tell.
uint64_t MemoryInUse();

// Above this the program shows a window while it shuts down: freeing takes a moment.
inline constexpr uint64_t ShutdownWindowThreshold = 614400;

} // namespace quorvex
