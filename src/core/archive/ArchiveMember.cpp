#include "ArchiveMember.h"

namespace quorvex {

uint8_t CompressionRatio(uint32_t packed, uint32_t unpacked)
{
    if (packed == 0 || unpacked == 0 || packed >= unpacked) return 0;
    if (unpacked - packed > 100000) {
        packed /= 100;
        unpacked /= 100;
    }
    const uint64_t ratio = uint64_t(unpacked - packed) * 100 / unpacked;
    return ratio == 0 ? 1 : uint8_t(ratio);
}

} // namespace quorvex
