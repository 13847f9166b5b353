#pragma once
// The ARC methods beyond the stored copy: packing (run-length), squeezing (Huffman, then
// run-length), crunching (LZW in its four generations) and squashing.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

int ArcUnpack(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);
int ArcUnsqueeze(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);
// Methods 8 (with the run-length step, 12 bits) and 9 (13 bits, no run-length step):
// LZW with codes growing from 9 bits, a clear code, and codes read in groups.
int ArcUncrunchDynamic(bool squashed, IByteSource& source, TDecodeSink& sink,
                       int64_t unpackedSize);
// Methods 5 to 7: 12-bit LZW whose table is a hash table; 5 and 6 use the older hash,
// 6 and 7 add the run-length step.
int ArcUncrunchHashed(int method, IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
