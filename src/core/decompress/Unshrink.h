#pragma once
// ZIP method 1, shrinking: LZW with codes of 9 to 13 bits whose width the compressor raises
// (code 256 then 1) and whose table it partly clears (code 256 then 2: every code that is no
// other code's prefix becomes free; freed codes are reused lowest first).

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

int UnshrinkDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
