#include "decompress/Crc.h"

#include <bit>
#include <cstring>

namespace quorvex {

namespace {

// Slicing-by-8 tables: row 0 is the byte-wise table, row k advances a byte k positions further.
struct TCrc32Tables {
    uint32_t t[8][256];
    TCrc32Tables()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
};

struct TCrc16Table {
    uint16_t t[256];
    TCrc16Table()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
            t[i] = uint16_t(c);
        }
    }
};

const TCrc32Tables& Tables32()
{
    static const TCrc32Tables tables;
    return tables;
}

const TCrc16Table& Table16()
{
    static const TCrc16Table table;
    return table;
}

} // namespace

uint32_t Crc32Byte(uint32_t reg, uint8_t b)
{
    return (reg >> 8) ^ Tables32().t[0][(reg ^ b) & 0xFF];
}

uint32_t Crc32Update(uint32_t reg, const uint8_t* data, size_t size)
{
    const auto& t = Tables32().t;
    while (std::endian::native == std::endian::little && size >= 8) {
        uint32_t lo, hi;
        std::memcpy(&lo, data, 4);
        std::memcpy(&hi, data + 4, 4);
        lo ^= reg; // little-endian machine: byte 0 of the data meets the register's low byte
        reg = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
              t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        data += 8;
        size -= 8;
    }
    while (size--) reg = (reg >> 8) ^ t[0][(reg ^ *data++) & 0xFF];
    return reg;
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    return ~Crc32Update(0xFFFFFFFFu, data, size);
}

uint16_t Crc16Update(uint16_t crc, const uint8_t* data, size_t size)
{
    const uint16_t* t = Table16().t;
    uint32_t c = crc;
    while (size--) c = (c >> 8) ^ t[(c ^ *data++) & 0xFF];
    return uint16_t(c);
}

void TRunningCheck::Reset(TCheckKind kind)
{
    m_kind = kind;
    m_reg = kind == TCheckKind::Crc32 ? 0xFFFFFFFFu : 0;
}

void TRunningCheck::Update(const uint8_t* data, size_t size)
{
    if (m_kind == TCheckKind::Crc32)
        m_reg = Crc32Update(m_reg, data, size);
    else if (m_kind == TCheckKind::Crc16)
        m_reg = Crc16Update(uint16_t(m_reg), data, size);
}

uint32_t TRunningCheck::Value() const
{
    return m_kind == TCheckKind::Crc32 ? ~m_reg : m_reg;
}

} // namespace quorvex
