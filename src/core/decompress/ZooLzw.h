#pragma once
// ZOO method 1: LZW with codes of 9 to 13 bits read low bit first, a clear code (256) and an
// end code (257); the width grows as soon as the next free code no longer fits.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

int ZooLzwDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
