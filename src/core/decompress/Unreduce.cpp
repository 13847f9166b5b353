#include "decompress/Unreduce.h"

#include "decompress/BitInput.h"
#include "decompress/WindowOutput.h"

namespace quorvex {

namespace {

constexpr uint8_t Dle = 144;

// Bits of the index into a follower set of n bytes: enough for n - 1, at least one.
unsigned IndexBits(unsigned n)
{
    unsigned bits = 1;
    while ((1u << bits) < n) ++bits;
    return bits;
}

} // namespace

int UnreduceDecode(int factor, IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        if (factor < 1 || factor > 4) return ecUnsupportedMethod;
        TLsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        uint8_t followers[256][64];
        uint8_t count[256];
        for (int j = 255; j >= 0; --j) {
            count[j] = uint8_t(bits.Get(6));
            for (unsigned i = 0; i < count[j]; ++i) followers[j][i] = uint8_t(bits.Get(8));
        }
        const uint32_t lengthMask = 0x7Fu >> (factor - 1);
        uint8_t last = 0;
        int state = 0;
        uint32_t length = 0, v = 0;
        while (!out.Done()) {
            uint8_t c;
            if (count[last] == 0 || bits.Get(1)) {
                c = uint8_t(bits.Get(8));
            } else {
                uint32_t i = bits.Get(IndexBits(count[last]));
                if (i >= count[last]) ThrowDecodeError(ecInvalidCode);
                c = followers[last][i];
            }
            last = c;
            switch (state) {
            case 0:
                if (c == Dle)
                    state = 1;
                else
                    out.Put(c);
                break;
            case 1:
                if (c == 0) {
                    out.Put(Dle);
                    state = 0;
                } else {
                    v = c;
                    length = v & lengthMask;
                    state = length == lengthMask ? 2 : 3;
                }
                break;
            case 2:
                length += c;
                state = 3;
                break;
            default: {
                uint32_t distance = ((v >> (8 - factor)) << 8) + c + 1;
                out.Copy(distance, length + 3);
                state = 0;
                break;
            }
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
