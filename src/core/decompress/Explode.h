#pragma once
// ZIP method 6, imploding: LZ77 in a 4 KiB or 8 KiB window whose literals (optionally),
// lengths and distances are coded with Shannon-Fano trees stored at the start of the data.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

// zipFlags: the member's general-purpose flags; bit 1 = 8 KiB window, bit 2 = three trees.
int ExplodeDecode(uint16_t zipFlags, IByteSource& source, TDecodeSink& sink,
                  int64_t unpackedSize);

} // namespace quorvex
