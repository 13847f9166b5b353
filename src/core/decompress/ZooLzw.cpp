#include "decompress/ZooLzw.h"

#include "decompress/BitInput.h"
#include "decompress/LzwTable.h"
#include "decompress/WindowOutput.h"


namespace quorvex {

namespace {

constexpr unsigned MaxBits = 13;
constexpr int ClearCode = 256;
constexpr int EndCode = 257;
constexpr int FirstFree = 258;

} // namespace

int ZooLzwDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        TLsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        const int tableSize = 1 << MaxBits;
        TLzwTable table(tableSize);

        unsigned width = 9;
        int freeCode = FirstFree;
        int oldCode = -1;
        uint8_t finChar = 0;
        while (!out.Done()) {
            int code = int(bits.Get(width));
            if (code == EndCode) break;
            if (code == ClearCode) {
                width = 9;
                freeCode = FirstFree;
                oldCode = -1;
                continue;
            }
            if (oldCode < 0) {
                if (code >= 256) ThrowDecodeError(ecInvalidCode);
                finChar = uint8_t(code);
                out.Put(finChar);
                oldCode = code;
                continue;
            }
            finChar = table.Expand(code, freeCode, oldCode, finChar, [&](uint8_t c) {
                if (out.Done()) return false;
                out.Put(c);
                return true;
            });
            if (freeCode < tableSize) {
                table.Define(freeCode++, oldCode, finChar);
                if (freeCode >= (1 << width) && width < MaxBits) ++width;
            }
            oldCode = code;
        }
        out.Finish();
        bits.CheckEnd();
        // The data ended (or said it ended) before the member was complete.
        if (!out.Done()) return ecReadError;
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
