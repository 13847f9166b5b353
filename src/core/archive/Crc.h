#pragma once
// Check values shared by the directory readers, the extractors and the decoders:
// CRC-32 (reflected polynomial 0xEDB88320) and CRC-16/ARC (reflected polynomial 0xA001).

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

const std::array<uint32_t, 256>& Crc32Table();
const std::array<uint16_t, 256>& Crc16Table();

// Running updates. A CRC-32 starts at 0xFFFFFFFF and is inverted at the end (Crc32 does
// both); a CRC-16/ARC starts at 0 and is not inverted.
uint32_t UpdateCrc32(uint32_t running, const void* data, size_t size);
uint16_t UpdateCrc16(uint16_t running, const void* data, size_t size);

inline uint32_t Crc32(const void* data, size_t size)
{
    return ~UpdateCrc32(0xFFFFFFFFu, data, size);
}
inline uint16_t Crc16(const void* data, size_t size)
{
    return UpdateCrc16(0, data, size);
}

} // namespace quorvex
