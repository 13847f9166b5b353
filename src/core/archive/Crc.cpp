#include "Crc.h"

#include <bit>
#include <cstring>

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

// Slicing-by-8: row 0 is the byte-wise table, row k advances a byte k positions further.
struct TCrc32Slices {
    std::array<std::array<uint32_t, 256>, 8> t;
    TCrc32Slices()
    {
        t[0] = BuildReflectedTable<uint32_t>(0xEDB88320u);
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
};

const TCrc32Slices& Slices()
{
    static const TCrc32Slices slices;
    return slices;
}

} // namespace

const std::array<uint32_t, 256>& Crc32Table() { return Slices().t[0]; }

const std::array<uint16_t, 256>& Crc16Table()
{
    static const std::array<uint16_t, 256> table = BuildReflectedTable<uint16_t>(0xA001u);
    return table;
}

uint32_t UpdateCrc32(uint32_t running, const void* data, size_t size)
{
    const auto& t = Slices().t;
    const auto* p = static_cast<const uint8_t*>(data);
    while (std::endian::native == std::endian::little && size >= 8) {
        uint32_t lo, hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + 4, 4);
        lo ^= running; // byte 0 of the data meets the register's low byte
        running = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
                  t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        p += 8;
        size -= 8;
    }
    while (size--) running = t[0][(running ^ *p++) & 0xFF] ^ (running >> 8);
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
