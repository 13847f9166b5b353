#pragma once
// ZIP methods 2 to 5, reducing: each byte is coded against a follower set of the byte before
// it, and the result is a stream in which DLE (144) introduces a length and a distance of
// a copy; the compression factor (1 to 4) splits the length and distance bits.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

int UnreduceDecode(int factor, IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
