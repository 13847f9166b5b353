#include "decompress/ZooLzw.h"

#include "decompress/BitInput.h"
#include "decompress/WindowOutput.h"

#include <vector>

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
        std::vector<uint16_t> prefix(size_t(tableSize), 0);
        std::vector<uint8_t> suffix(size_t(tableSize), 0);
        std::vector<uint8_t> stack(size_t(tableSize) + 1);
        for (int c = 0; c < 256; ++c) suffix[size_t(c)] = uint8_t(c);

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
            int inCode = code;
            size_t depth = 0;
            if (code >= freeCode) {
                if (code > freeCode) ThrowDecodeError(ecInvalidCode);
                stack[depth++] = finChar;
                code = oldCode;
            }
            while (code > 255) {
                if (depth >= stack.size() - 1) ThrowDecodeError(ecStackOverflow);
                stack[depth++] = suffix[size_t(code)];
                code = prefix[size_t(code)];
            }
            finChar = uint8_t(code);
            stack[depth++] = finChar;
            while (depth && !out.Done()) out.Put(stack[--depth]);
            if (freeCode < tableSize) {
                prefix[size_t(freeCode)] = uint16_t(oldCode);
                suffix[size_t(freeCode)] = finChar;
                ++freeCode;
                if (freeCode >= (1 << width) && width < MaxBits) ++width;
            }
            oldCode = inCode;
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
