#include "decompress/Inflate.h"

#include "decompress/BitInput.h"
#include "decompress/DecodeErrors.h"

#include <cstring>

namespace quorvex {

namespace {

constexpr size_t WindowSize = 32768;
// History plus one block of new output, plus room for the longest match and the 8-byte
// over-copy of the match loop.
constexpr size_t BufferSize = 2 * WindowSize + 258 + 16;

const uint16_t LengthBase[31] = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,  15,  17,  19,  23, 27, 31,
                                 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258, 0,  0};
const uint8_t LengthExtra[31] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 0xFF, 0xFF};
const uint16_t DistBase[32] = {1,    2,    3,    4,    5,    7,     9,     13,    17,   25,  33,
                               49,   65,   97,   129,  193,  257,   385,   513,   769,  1025, 1537,
                               2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 0,    0};
const uint8_t DistExtra[32] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,    5,   6, 6,
                               7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 0xFF, 0xFF};
const uint8_t CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

constexpr unsigned LitRoot = 10;
constexpr unsigned DistRoot = 8;

} // namespace

struct TInflater::TState {
    TLsbBits bits;
    TDecodeSink& sink;
    uint8_t* base;       // start of the output buffer
    uint8_t* out;        // next byte to write
    uint8_t* flushed;    // first byte not yet handed to the sink
    uint8_t* flushLimit; // flush once out reaches this
    TState(IByteSource& source, TDecodeSink& s) : bits(source), sink(s) {}
};

TInflater::TInflater() : m_window(new uint8_t[BufferSize])
{
    uint8_t lens[288];
    for (int i = 0; i < 144; ++i) lens[i] = 8;
    for (int i = 144; i < 256; ++i) lens[i] = 9;
    for (int i = 256; i < 280; ++i) lens[i] = 7;
    for (int i = 280; i < 288; ++i) lens[i] = 8;
    m_fixedLit.Build(lens, 288, LitRoot, 257, LengthBase, LengthExtra, 256);
    uint8_t dlens[32];
    for (auto& l : dlens) l = 5;
    m_fixedDist.Build(dlens, 32, DistRoot, 0, DistBase, DistExtra);
}

TInflater::~TInflater() = default;

void TInflater::Run(IByteSource& source, TDecodeSink& sink)
{
    TState s(source, sink);
    s.base = s.out = s.flushed = m_window.get();
    s.flushLimit = s.base + WindowSize;
    bool last = false;
    while (!last) {
        last = s.bits.Get(1) != 0;
        switch (s.bits.Get(2)) {
        case 0: StoredBlock(s); break;
        case 1: Codes(s, m_fixedLit, m_fixedDist); break;
        case 2:
            DynamicTables(s);
            Codes(s, m_lit, m_dist);
            break;
        default: ThrowDecodeError(ecBadBlock);
        }
    }
    s.sink.Write(s.flushed, size_t(s.out - s.flushed));
    s.bits.CheckEnd();
}

void TInflater::Flush(TState& s)
{
    s.sink.Write(s.flushed, size_t(s.out - s.flushed));
    if (size_t(s.out - s.base) >= 2 * WindowSize - 258) {
        std::memmove(s.base, s.out - WindowSize, WindowSize);
        s.out = s.base + WindowSize;
    }
    s.flushed = s.out;
    uint8_t* limit = s.out + WindowSize;
    uint8_t* end = s.base + 2 * WindowSize;
    s.flushLimit = limit < end ? limit : end;
}

void TInflater::StoredBlock(TState& s)
{
    s.bits.AlignToByte();
    uint32_t len = s.bits.Get(16);
    uint32_t nlen = s.bits.Get(16);
    if ((len ^ 0xFFFF) != nlen) ThrowDecodeError(ecBadBlock);
    while (len) {
        uint32_t room = uint32_t(s.flushLimit - s.out);
        uint32_t n = len < room ? len : room;
        if (!s.bits.ReadBytes(s.out, n)) ThrowDecodeError(ecReadError);
        s.out += n;
        len -= n;
        if (s.out >= s.flushLimit) Flush(s);
    }
}

void TInflater::DynamicTables(TState& s)
{
    unsigned nlit = s.bits.Get(5) + 257;
    unsigned ndist = s.bits.Get(5) + 1;
    unsigned nclen = s.bits.Get(4) + 4;
    if (nlit > 286 || ndist > 30) ThrowDecodeError(ecBadLengths);

    uint8_t clens[19] = {};
    for (unsigned i = 0; i < nclen; ++i) clens[CodeLengthOrder[i]] = uint8_t(s.bits.Get(3));
    if (m_lenCodes.Build(clens, 19, 7) != THuffmanLsb::TResult::Ok)
        ThrowDecodeError(ecIncompleteCodeSet);

    uint8_t lens[286 + 30] = {};
    unsigned n = 0;
    const THuffEntry* t = m_lenCodes.Table();
    while (n < nlit + ndist) {
        s.bits.Need(7 + 7);
        const THuffEntry& e = t[s.bits.Peek(7)];
        if (e.op == THuffmanLsb::OpInvalid) ThrowDecodeError(ecIncompleteCodeSet);
        s.bits.Drop(e.bits);
        unsigned sym = e.value;
        if (sym < 16) {
            lens[n++] = uint8_t(sym);
            continue;
        }
        uint8_t fill = 0;
        unsigned repeat;
        if (sym == 16) {
            if (n == 0) ThrowDecodeError(ecBadLengths);
            fill = lens[n - 1];
            repeat = 3 + s.bits.Get(2);
        } else if (sym == 17) {
            repeat = 3 + s.bits.Get(3);
        } else {
            repeat = 11 + s.bits.Get(7);
        }
        if (n + repeat > nlit + ndist) ThrowDecodeError(ecBadLengths);
        while (repeat--) lens[n++] = fill;
    }
    if (lens[256] == 0) ThrowDecodeError(ecIncompleteCodeSet);

    // A code with gaps is accepted only when it has a single code (RFC 1951, 3.2.7).
    auto r = m_lit.Build(lens, int(nlit), LitRoot, 257, LengthBase, LengthExtra, 256);
    if (r == THuffmanLsb::TResult::OverSubscribed) ThrowDecodeError(ecBadLengths);
    if (r == THuffmanLsb::TResult::Incomplete && m_lit.CodesUsed() > 1)
        ThrowDecodeError(ecIncompleteCodeSet);
    r = m_dist.Build(lens + nlit, int(ndist), DistRoot, 0, DistBase, DistExtra);
    if (r == THuffmanLsb::TResult::OverSubscribed) ThrowDecodeError(ecBadLengths);
    if (r == THuffmanLsb::TResult::Incomplete && m_dist.CodesUsed() > 1)
        ThrowDecodeError(ecIncompleteCodeSet);
}

void TInflater::Codes(TState& s, const THuffmanLsb& litCode, const THuffmanLsb& distCode)
{
    const THuffEntry* lit = litCode.Table();
    const THuffEntry* dist = distCode.Table();
    const uint32_t litMask = (1u << LitRoot) - 1;
    const uint32_t distMask = (1u << DistRoot) - 1;
    TLsbBits& b = s.bits;
    uint8_t* out = s.out;
    uint8_t* limit = s.flushLimit;

    for (;;) {
        if (b.m_count < 48) b.Refill();
        THuffEntry e = lit[b.m_bits & litMask];
        if (e.op & THuffmanLsb::OpSub) {
            b.Drop(e.bits);
            e = lit[e.value + (b.m_bits & ((1u << (e.op & 0x0F)) - 1))];
        }
        b.Drop(e.bits);
        if (e.op == THuffmanLsb::OpLiteral) {
            *out++ = uint8_t(e.value);
        } else if (e.op & THuffmanLsb::OpBase) {
            unsigned extra = e.op & 0x0F;
            uint32_t len = e.value + (uint32_t(b.m_bits) & ((1u << extra) - 1));
            b.Drop(extra);
            if (b.m_count < 32) b.Refill();
            THuffEntry d = dist[b.m_bits & distMask];
            if (d.op & THuffmanLsb::OpSub) {
                b.Drop(d.bits);
                d = dist[d.value + (b.m_bits & ((1u << (d.op & 0x0F)) - 1))];
            }
            b.Drop(d.bits);
            if (!(d.op & THuffmanLsb::OpBase)) ThrowDecodeError(ecInvalidCode);
            extra = d.op & 0x0F;
            uint32_t distance = d.value + (uint32_t(b.m_bits) & ((1u << extra) - 1));
            b.Drop(extra);
            if (distance > size_t(out - s.base)) ThrowDecodeError(ecInvalidCode);
            const uint8_t* from = out - distance;
            if (distance >= 8) {
                uint8_t* to = out;
                uint8_t* stop = out + len;
                do {
                    std::memcpy(to, from, 8);
                    to += 8;
                    from += 8;
                } while (to < stop);
            } else if (distance == 1) {
                std::memset(out, *from, len);
            } else {
                for (uint32_t i = 0; i < len; ++i) out[i] = from[i];
            }
            out += len;
        } else if (e.op == THuffmanLsb::OpEnd) {
            break;
        } else {
            ThrowDecodeError(ecInvalidCode);
        }
        if (out >= limit) {
            s.out = out;
            Flush(s);
            out = s.out;
            limit = s.flushLimit;
        }
    }
    s.out = out;
}

int Inflate(IByteSource& source, TDecodeSink& sink)
{
    try {
        TInflater inflater;
        inflater.Run(source, sink);
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
