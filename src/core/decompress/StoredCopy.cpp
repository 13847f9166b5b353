#include "decompress/StoredCopy.h"

#include "decompress/DecodeErrors.h"

#include <vector>

namespace quorvex {

int StoredCopy(IByteSource& source, TDecodeSink& sink, int64_t size)
{
    try {
        sink.SetProgressStep(1);
        std::vector<uint8_t> block(DecodeBlockSize);
        while (size > 0) {
            size_t want = size < int64_t(block.size()) ? size_t(size) : block.size();
            size_t got = source.Read(block.data(), want);
            sink.Write(block.data(), got);
            if (got < want) return ecReadError;
            size -= int64_t(got);
        }
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
