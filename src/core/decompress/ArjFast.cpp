#include "decompress/ArjFast.h"

#include "decompress/BitInput.h"
#include "decompress/WindowOutput.h"

namespace quorvex {

namespace {

// A number whose width grows with every leading one bit: widths first..last-1 end with a zero
// bit, the widest has no terminator. Each step adds the capacity of the narrower widths.
uint32_t VariableNumber(TMsbBits& bits, unsigned first, unsigned last)
{
    uint32_t plus = 0;
    uint32_t step = 1u << first;
    unsigned width = first;
    for (; width < last; ++width) {
        if (bits.Get(1) == 0) break;
        plus += step;
        step <<= 1;
    }
    return plus + bits.Get(width);
}

} // namespace

int ArjFastDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        TMsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        while (!out.Done()) {
            uint32_t len = VariableNumber(bits, 0, 7);
            if (len == 0) {
                out.Put(uint8_t(bits.Get(8)));
            } else {
                uint32_t pos = VariableNumber(bits, 9, 13);
                out.Copy(pos + 1, len + 2);
            }
        }
        out.Finish();
        bits.CheckEnd();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
