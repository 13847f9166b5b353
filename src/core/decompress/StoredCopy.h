#pragma once
// The stored method of every format: the packed data is the file.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

// Copies size bytes in pieces of at most one block, reporting progress on every change of the
// percentage. Returns ecNone, ecReadError when the data ends early, or ecWriteError.
int StoredCopy(IByteSource& source, TDecodeSink& sink, int64_t size);

} // namespace quorvex
