#pragma once
// Canonical prefix codes for streams read from the high bit down (the LZH family and ARJ):
// short codes resolve in one table lookup, the rare longer ones by walking the code lengths.

#include "decompress/BitInput.h"

#include <cstdint>
#include <vector>

namespace quorvex {

class THuffmanMsb {
public:
    static constexpr int MaxBits = 16;

    // Builds the decoder of a complete code; false when the lengths do not form one.
    bool Build(const uint8_t* lengths, int count, unsigned tableBits);
    // A code of one symbol that takes no bits at all.
    void SetSingle(int symbol);

    int Decode(TMsbBits& bits) const
    {
        bits.Need(MaxBits);
        if (m_single >= 0) return m_single;
        const TEntry& e = m_table[bits.Peek(m_tableBits)];
        if (e.len) {
            bits.Drop(e.len);
            return e.symbol;
        }
        return DecodeLong(bits);
    }

private:
    struct TEntry {
        uint16_t symbol;
        uint8_t len; // 0: the code is longer than the table
    };
    int DecodeLong(TMsbBits& bits) const;

    std::vector<TEntry> m_table;
    unsigned m_tableBits = 0;
    int m_single = -1;
    uint16_t m_count[MaxBits + 1] = {};
    std::vector<uint16_t> m_sorted; // symbols by code length, then value
};

} // namespace quorvex
