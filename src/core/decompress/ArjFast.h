#pragma once
// ARJ method 4: LZ77 whose lengths and positions are written as variable-length numbers with
// a unary prefix, no Huffman coding.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

int ArjFastDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
