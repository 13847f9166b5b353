#include "Crc.h"

namespace quorvex {

namespace {

template <typename T> std::array<T, 256> BuildReflectedTable(T polynomial)
{
    std::array<T, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        T c = T(n);
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? T((c >> 1) ^ polynomial) : T(c >> 1);
        table[n] = c;
    }
    return table;
}

} // namespace

const std::array<uint32_t, 256>& Crc32Table()
{
    static const std::array<uint32_t, 256> table = BuildReflectedTable<uint32_t>(0xEDB88320u);
    return table;
}

const std::array<uint16_t, 256>& Crc16Table()
{
    static const std::array<uint16_t, 256> table = BuildReflectedTable<uint16_t>(0xA001u);
    return table;
}

uint32_t UpdateCrc32(uint32_t running, const void* data, size_t size)
{
    const auto& table = Crc32Table();
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        running = table[(running ^ p[i]) & 0xFF] ^ (running >> 8);
    return running;
}

uint16_t UpdateCrc16(uint16_t running, const void* data, size_t size)
{
    const auto& table = Crc16Table();
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        running = uint16_t(table[(running ^ p[i]) & 0xFF] ^ (running >> 8));
    return running;
}

} // namespace quorvex
