#include "decompress/ArcMethods.h"

#include "decompress/ArcRle.h"
#include "decompress/BitInput.h"
#include "decompress/LzwTable.h"


namespace quorvex {

namespace {

constexpr int ClearCode = 256;
constexpr int FirstFree = 257;

} // namespace

int ArcUncrunchDynamic(bool squashed, IByteSource& source, TDecodeSink& sink,
                       int64_t unpackedSize)
{
    try {
        TWindowOutput out(sink, 15, 0, unpackedSize);
        TRleOutput rle(out);
        TInputBuffer in(source);
        unsigned maxBits = 13;
        if (!squashed) {
            int b = in.GetByte();
            if (b < 0) ThrowDecodeError(ecReadError);
            if (b != 12) ThrowDecodeError(ecIncorrectBits);
            maxBits = unsigned(b);
        }
        const int maxCode = 1 << maxBits;
        TLzwTable table(maxCode);

        // Codes arrive low bit first in groups of width bytes (eight codes); a change of
        // width or a clear code drops what is left of the current group.
        unsigned width = 9;
        uint8_t group[16];
        unsigned groupBits = 0, offset = 0;
        bool newGroup = true;
        auto nextCode = [&]() -> int {
            if (newGroup || offset + width > groupBits) {
                size_t n = 0;
                while (n < width) {
                    int b = in.GetByte();
                    if (b < 0) break;
                    group[n++] = uint8_t(b);
                }
                newGroup = false;
                groupBits = unsigned(n * 8);
                offset = 0;
                if (groupBits < width) return -1;
            }
            uint32_t v = 0;
            for (unsigned i = 0; i < width; ++i) {
                unsigned bit = offset + i;
                v |= uint32_t((group[bit >> 3] >> (bit & 7)) & 1) << i;
            }
            offset += width;
            return int(v);
        };
        auto emit = [&](uint8_t c) {
            if (squashed)
                out.Put(c);
            else
                rle.Put(c);
        };

        int freeCode = FirstFree;
        int code = nextCode();
        if (code < 0) return unpackedSize > 0 ? ecReadError : ecNone;
        if (code >= 256) ThrowDecodeError(ecInvalidCode);
        int oldCode = code;
        uint8_t finChar = uint8_t(code);
        emit(finChar);
        while (!out.Done()) {
            if (freeCode > (1 << width) - 1 && width < maxBits) {
                ++width;
                newGroup = true;
            }
            code = nextCode();
            if (code < 0) break;
            if (code == ClearCode) {
                freeCode = FirstFree - 1;
                width = 9;
                newGroup = true;
                code = nextCode();
                if (code < 0) break;
            }
            finChar = table.Expand(code, freeCode, oldCode, finChar, [&](uint8_t c) {
                emit(c);
                return true;
            });
            if (freeCode < maxCode) table.Define(freeCode++, oldCode, finChar);
            oldCode = code;
        }
        out.Finish();
        // The data ended (or said it ended) before the member was complete.
        if (!out.Done()) return ecReadError;
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
