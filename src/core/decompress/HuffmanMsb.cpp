#include "decompress/HuffmanMsb.h"

namespace quorvex {

bool THuffmanMsb::Build(const uint8_t* lengths, int count, unsigned tableBits)
{
    m_single = -1;
    m_tableBits = tableBits;
    for (auto& c : m_count) c = 0;
    for (int s = 0; s < count; ++s) {
        if (lengths[s] > MaxBits) return false;
        ++m_count[lengths[s]];
    }
    m_count[0] = 0;
    uint32_t space = 0;
    for (int len = 1; len <= MaxBits; ++len) space += uint32_t(m_count[len]) << (MaxBits - len);
    if (space != (1u << MaxBits)) return false;

    uint16_t offset[MaxBits + 2] = {};
    for (int len = 1; len <= MaxBits; ++len) offset[len + 1] = uint16_t(offset[len] + m_count[len]);
    m_sorted.assign(size_t(offset[MaxBits + 1]), 0);
    for (int s = 0; s < count; ++s)
        if (lengths[s]) m_sorted[offset[lengths[s]]++] = uint16_t(s);

    m_table.assign(size_t(1) << tableBits, TEntry{0, 0});
    uint32_t code = 0; // left-aligned to MaxBits
    size_t k = 0;
    for (int len = 1; len <= MaxBits; ++len) {
        for (int i = 0; i < m_count[len]; ++i, ++k) {
            if (unsigned(len) <= tableBits) {
                uint32_t first = code >> (MaxBits - tableBits);
                uint32_t n = 1u << (tableBits - unsigned(len));
                for (uint32_t j = 0; j < n; ++j) m_table[first + j] = TEntry{m_sorted[k], uint8_t(len)};
            }
            code += 1u << (MaxBits - len);
        }
    }
    return true;
}

void THuffmanMsb::SetSingle(int symbol)
{
    m_single = symbol;
}

int THuffmanMsb::DecodeLong(TMsbBits& bits) const
{
    uint32_t v = bits.Peek(MaxBits);
    uint32_t code = 0, first = 0, index = 0;
    for (int len = 1; len <= MaxBits; ++len) {
        code |= (v >> (MaxBits - len)) & 1;
        uint32_t n = m_count[len];
        if (code - first < n) {
            bits.Drop(unsigned(len));
            return m_sorted[index + code - first];
        }
        index += n;
        first = (first + n) << 1;
        code <<= 1;
    }
    ThrowDecodeError(ecBadHuffmanCode); // cannot happen for a complete code
}

} // namespace quorvex
