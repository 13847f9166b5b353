#include "decompress/Explode.h"

#include "decompress/BitInput.h"
#include "decompress/HuffmanLsb.h"
#include "decompress/WindowOutput.h"

namespace quorvex {

namespace {

constexpr unsigned RootBits = 10;

// A tree as stored: a byte count, then bytes of (number of values - 1) << 4 | (length - 1).
// The stored codes are the complements of the canonical codes of these lengths, so the
// decoder looks them up with the bits inverted.
void ReadTree(TLsbBits& bits, int values, THuffmanLsb& tree)
{
    uint8_t lens[256];
    int n = 0;
    int bytes = int(bits.Get(8)) + 1;
    while (bytes--) {
        uint32_t b = bits.Get(8);
        int repeat = int(b >> 4) + 1;
        if (n + repeat > values) ThrowDecodeError(ecAmbiguousTree);
        while (repeat--) lens[n++] = uint8_t((b & 0x0F) + 1);
    }
    if (n != values) ThrowDecodeError(ecAmbiguousTree);
    if (tree.Build(lens, values, RootBits) == THuffmanLsb::TResult::OverSubscribed)
        ThrowDecodeError(ecAmbiguousTree);
}

int DecodeSymbol(TLsbBits& bits, const THuffmanLsb& tree)
{
    bits.Need(16);
    const THuffEntry* t = tree.Table();
    uint32_t inverted = ~uint32_t(bits.m_bits);
    THuffEntry e = t[inverted & ((1u << RootBits) - 1)];
    if (e.op & THuffmanLsb::OpSub) {
        bits.Drop(e.bits);
        inverted >>= e.bits;
        e = t[e.value + (inverted & ((1u << (e.op & 0x0F)) - 1))];
    }
    if (e.op == THuffmanLsb::OpInvalid) ThrowDecodeError(ecAmbiguousTree);
    bits.Drop(e.bits);
    return e.value;
}

} // namespace

int ExplodeDecode(uint16_t zipFlags, IByteSource& source, TDecodeSink& sink,
                  int64_t unpackedSize)
{
    try {
        const bool bigWindow = zipFlags & 2;
        const bool literalTree = zipFlags & 4;
        TLsbBits bits(source);
        THuffmanLsb literals, lengths, distances;
        if (literalTree) ReadTree(bits, 256, literals);
        ReadTree(bits, 64, lengths);
        ReadTree(bits, 64, distances);
        const unsigned lowBits = bigWindow ? 7 : 6;
        const uint32_t minMatch = literalTree ? 3 : 2;
        TWindowOutput out(sink, 15, 0, unpackedSize);
        while (!out.Done()) {
            if (bits.Get(1)) {
                out.Put(uint8_t(literalTree ? DecodeSymbol(bits, literals) : bits.Get(8)));
                continue;
            }
            uint32_t distance = bits.Get(lowBits);
            distance |= uint32_t(DecodeSymbol(bits, distances)) << lowBits;
            uint32_t length = uint32_t(DecodeSymbol(bits, lengths));
            if (length == 63) length += bits.Get(8);
            out.Copy(distance + 1, length + minMatch);
        }
        out.Finish();
        bits.CheckEnd();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
