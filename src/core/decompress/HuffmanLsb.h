#pragma once
// Canonical prefix-code tables for streams read from the low bit up (deflate, implode). One
// lookup of rootBits bits resolves every short code; longer codes go through one second-level
// table per root prefix.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvex {

struct THuffEntry {
    uint16_t value; // literal or symbol, base value, or subtable offset
    uint8_t bits;   // bits this entry consumes
    uint8_t op;     // one of the Op values below
};

class THuffmanLsb {
public:
    static constexpr uint8_t OpLiteral = 0x00;  // value is the symbol
    static constexpr uint8_t OpBase = 0x10;     // | extra bits; value is the base
    static constexpr uint8_t OpEnd = 0x20;      // end of block
    static constexpr uint8_t OpSub = 0x40;      // | subtable bits; value is its offset
    static constexpr uint8_t OpInvalid = 0x80;  // no code has these bits
    static constexpr int MaxBits = 16;
    // An extra-bits value that marks a symbol the format leaves unused.
    static constexpr uint8_t NoSymbol = 0xFF;

    enum class TResult { Ok, OverSubscribed, Incomplete };

    // lengths[0..count) are the code lengths (0 = unused). Symbols from firstBase on take
    // base[s - firstBase] and extra[s - firstBase]; endSymbol (if >= 0) is the end of block.
    // An incomplete code is built anyway (its gaps decode as OpInvalid) and reported.
    TResult Build(const uint8_t* lengths, int count, unsigned rootBits, int firstBase = 1 << 30,
                  const uint16_t* base = nullptr, const uint8_t* extra = nullptr,
                  int endSymbol = -1);

    const THuffEntry* Table() const { return m_table.data(); }
    unsigned RootBits() const { return m_root; }
    // Codes in use with their longest length (for the callers' completeness rules).
    int CodesUsed() const { return m_used; }
    int MaxLength() const { return m_maxLen; }

private:
    std::vector<THuffEntry> m_table;
    unsigned m_root = 0;
    int m_used = 0;
    int m_maxLen = 0;
};

} // namespace quorvex
