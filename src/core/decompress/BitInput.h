#pragma once
// Buffered input for the decoders: a byte buffer refilled from the bounded source, and bit
// readers in both bit orders on top of it. Past the end of the data the readers supply zero
// bits; a decoder that consumes more than a few of them has met truncated data, which ends
// the member with ecReadError instead of decoding garbage for ever.

#include "decompress/ByteSource.h"
#include "decompress/DecodeErrors.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvex {

class TInputBuffer {
public:
    explicit TInputBuffer(IByteSource& source, size_t capacity = 65536)
        : m_source(source), m_data(capacity)
    {
        m_pos = m_end = m_data.data();
    }

    size_t Available() const { return size_t(m_end - m_pos); }
    // Makes at least want bytes available unless the data ends first; returns what is there.
    size_t Fill(size_t want)
    {
        if (Available() >= want || m_eof) return Available();
        size_t left = Available();
        std::memmove(m_data.data(), m_pos, left);
        m_pos = m_data.data();
        m_end = m_pos + left;
        while (!m_eof && Available() < m_data.size()) {
            size_t got = m_source.Read(const_cast<uint8_t*>(m_end), m_data.size() - Available());
            if (got == 0) m_eof = true;
            m_end += got;
            if (Available() >= want) break;
        }
        return Available();
    }
    // Next byte, or -1 at the end of the data.
    int GetByte()
    {
        if (m_pos == m_end && Fill(1) == 0) return -1;
        return *m_pos++;
    }

    const uint8_t* m_pos;
    const uint8_t* m_end;

private:
    IByteSource& m_source;
    std::vector<uint8_t> m_data;
    bool m_eof = false;
};

// How many zero bits past the end a decoder may consume before the data counts as truncated.
inline constexpr int64_t BitOverrunSlack = 32;

// Bits taken from the low end of each byte first (deflate, implode, shrink, reduce, LZW).
class TLsbBits {
public:
    explicit TLsbBits(IByteSource& source) : m_in(source) {}

    void Need(unsigned n)
    {
        if (m_count < n) Refill();
    }
    uint32_t Peek(unsigned n) const { return uint32_t(m_bits & ((uint64_t(1) << n) - 1)); }
    void Drop(unsigned n)
    {
        m_bits >>= n;
        m_count -= n;
    }
    uint32_t Get(unsigned n) // n <= 32
    {
        Need(n);
        uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
    void AlignToByte() { Drop(m_count & 7); }
    // At the end of a member: any bit taken from beyond the data means it was cut short.
    void CheckEnd() const
    {
        if (m_padBits > int64_t(m_count)) ThrowDecodeError(ecReadError);
    }
    // Whole bytes, after AlignToByte: first those still in the bit buffer, then the buffer's.
    bool ReadBytes(uint8_t* dest, size_t size);
    TInputBuffer& Input() { return m_in; }

    void Refill()
    {
        if (m_in.Available() >= 8) {
            uint64_t v;
            std::memcpy(&v, m_in.m_pos, 8);
            m_bits |= v << m_count;
            m_in.m_pos += (63 - m_count) >> 3;
            m_count |= 56;
            return;
        }
        SlowRefill();
    }

    uint64_t m_bits = 0;
    unsigned m_count = 0;

private:
    void SlowRefill()
    {
        m_in.Fill(8);
        while (m_count <= 56) {
            if (m_in.m_pos < m_in.m_end) {
                m_bits |= uint64_t(*m_in.m_pos++) << m_count;
            } else {
                if (m_padBits - int64_t(m_count) > BitOverrunSlack) ThrowDecodeError(ecReadError);
                m_padBits += 8;
            }
            m_count += 8;
        }
    }

    TInputBuffer m_in;
    int64_t m_padBits = 0;
};

inline bool TLsbBits::ReadBytes(uint8_t* dest, size_t size)
{
    while (size && m_count >= 8) {
        if (m_padBits > int64_t(m_count) - 8) return false;
        *dest++ = uint8_t(m_bits);
        Drop(8);
        --size;
    }
    // The bit buffer may hold a look-ahead copy of the bytes about to be taken directly.
    if (m_count < 64) m_bits &= (uint64_t(1) << m_count) - 1;
    while (size) {
        if (m_in.Fill(1) == 0) return false;
        size_t n = m_in.Available() < size ? m_in.Available() : size;
        std::memcpy(dest, m_in.m_pos, n);
        m_in.m_pos += n;
        dest += n;
        size -= n;
    }
    return true;
}

// Bits taken from the high end of each byte first (LZH family, ARJ, ARC crunch).
class TMsbBits {
public:
    explicit TMsbBits(IByteSource& source) : m_in(source) {}

    void Need(unsigned n)
    {
        if (m_count < n) Refill();
    }
    // The next n bits (n <= 32) as a number, first bit highest.
    uint32_t Peek(unsigned n) const
    {
        return uint32_t((m_bits >> (m_count - n)) & ((uint64_t(1) << n) - 1));
    }
    void Drop(unsigned n) { m_count -= n; }
    void CheckEnd() const
    {
        if (m_padBits > int64_t(m_count)) ThrowDecodeError(ecReadError);
    }
    uint32_t Get(unsigned n)
    {
        if (n == 0) return 0;
        Need(n);
        uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
    void Refill()
    {
        m_in.Fill(8);
        while (m_count <= 56) {
            m_bits <<= 8;
            if (m_in.m_pos < m_in.m_end) {
                m_bits |= *m_in.m_pos++;
            } else {
                if (m_padBits - int64_t(m_count) > BitOverrunSlack) ThrowDecodeError(ecReadError);
                m_padBits += 8;
            }
            m_count += 8;
        }
    }

private:
    TInputBuffer m_in;
    uint64_t m_bits = 0;
    unsigned m_count = 0;
    int64_t m_padBits = 0;
};

} // namespace quorvex
