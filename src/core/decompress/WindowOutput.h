#pragma once
// The sliding window of the LZ decoders, which doubles as their output buffer: bytes go into a
// ring whose size is a power of two and at least one output block, and every full block is
// handed to the sink. Copies reach back through the ring with a mask, so a distance from
// damaged data can never leave the window; the ring starts filled with the format's
// background byte. Output stops at the member's unpacked size.

#include "decompress/DecodeSink.h"

#include <cstdint>
#include <vector>

namespace quorvex {

class TWindowOutput {
public:
    // windowBits: log2 of the ring size (at least 15); limit: the number of bytes to produce.
    TWindowOutput(TDecodeSink& sink, unsigned windowBits, uint8_t background, int64_t limit);

    bool Done() const { return m_pos >= m_limit; }
    int64_t Total() const { return m_pos; }
    int64_t Remaining() const { return m_limit - m_pos; }

    void Put(uint8_t b)
    {
        if (m_pos >= m_limit) return; // damaged data asking for more than the member holds
        m_ring[size_t(m_pos) & m_mask] = b;
        if ((++m_pos & (DecodeBlockSize - 1)) == 0) FlushBlock();
    }
    // The byte distance positions back (distance 1 = the last byte written).
    uint8_t At(uint32_t distance) const { return m_ring[size_t(m_pos - distance) & m_mask]; }
    // Copies length bytes from distance back, stopping at the limit.
    void Copy(uint32_t distance, uint32_t length);
    // Hands on what is left of the last block.
    void Finish();

private:
    void FlushBlock();

    TDecodeSink& m_sink;
    std::vector<uint8_t> m_ring;
    size_t m_mask;
    int64_t m_pos = 0;
    int64_t m_flushed = 0;
    int64_t m_limit;
};

} // namespace quorvex
