#include "decompress/ArcMethods.h"

#include "decompress/ArcRle.h"
#include "decompress/BitInput.h"

namespace quorvex {

namespace {

template <typename F> int Guarded(F&& body)
{
    try {
        body();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace

int ArcUnpack(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    return Guarded([&] {
        TInputBuffer in(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        TRleOutput rle(out);
        while (!rle.Done()) {
            int c = in.GetByte();
            if (c < 0) ThrowDecodeError(ecReadError);
            rle.Put(uint8_t(c));
        }
        out.Finish();
    });
}

int ArcUnsqueeze(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    return Guarded([&] {
        constexpr int EndOfData = 256;
        TLsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        TRleOutput rle(out);
        int nodes = int(bits.Get(16));
        if (nodes > 256) ThrowDecodeError(ecInvalidDecodeTree);
        int16_t child[256][2];
        for (int i = 0; i < nodes; ++i)
            for (int side = 0; side < 2; ++side) {
                int16_t v = int16_t(bits.Get(16));
                // A child is another node (0..nodes-1) or a leaf -(symbol + 1).
                if (v >= nodes || v < -(EndOfData + 1)) ThrowDecodeError(ecInvalidDecodeTree);
                child[i][side] = v;
            }
        if (nodes == 0) {
            if (unpackedSize > 0) ThrowDecodeError(ecInvalidDecodeTree);
            return;
        }
        while (!rle.Done()) {
            int n = 0;
            for (int steps = 0; n >= 0; ++steps) {
                if (steps > nodes) ThrowDecodeError(ecInvalidDecodeTree); // a loop in the tree
                n = child[n][bits.Get(1)];
            }
            int symbol = -(n + 1);
            if (symbol == EndOfData) break;
            rle.Put(uint8_t(symbol));
        }
        out.Finish();
        bits.CheckEnd();
        if (!out.Done()) ThrowDecodeError(ecReadError); // end of data before the member's end
    });
}

} // namespace quorvex
