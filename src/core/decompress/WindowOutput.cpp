#include "decompress/WindowOutput.h"

namespace quorvex {

TWindowOutput::TWindowOutput(TDecodeSink& sink, unsigned windowBits, uint8_t background,
                             int64_t limit)
    : m_sink(sink), m_limit(limit < 0 ? 0 : limit)
{
    if (windowBits < 15) windowBits = 15;
    m_ring.assign(size_t(1) << windowBits, background);
    m_mask = m_ring.size() - 1;
}

void TWindowOutput::Copy(uint32_t distance, uint32_t length)
{
    if (int64_t(length) > Remaining()) length = uint32_t(Remaining());
    size_t src = size_t(m_pos - distance);
    while (length--) Put(m_ring[src++ & m_mask]);
}

void TWindowOutput::FlushBlock()
{
    size_t start = size_t(m_flushed) & m_mask;
    m_sink.Write(m_ring.data() + start, size_t(m_pos - m_flushed));
    m_flushed = m_pos;
}

void TWindowOutput::Finish()
{
    if (m_pos > m_flushed) FlushBlock();
}

} // namespace quorvex
