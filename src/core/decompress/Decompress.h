#pragma once
// One entry point over every decoder: the extractors name the method, hand over the member's
// bounded packed data and the sink, and get back ecNone or an error code.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

#include <cstdint>

namespace quorvex {

enum class TDecodeMethod {
    Stored,     // every format's copy, LHA -lh0-, ARC 1 and 2, tar
    Shrink,     // ZIP 1
    Reduce1,    // ZIP 2 to 5
    Reduce2,
    Reduce3,
    Reduce4,
    Implode,    // ZIP 6; window and tree count from the general-purpose flags
    Deflate,    // ZIP 8, gzip 8
    ArjLzh,     // ARJ 1, 2, 3
    ArjFast,    // ARJ 4
    Lh1,        // LHA -lh1-
    Lh4,        // LHA -lh4-
    Lh5,        // LHA -lh5-, ZOO 2
    ZooLzw,     // ZOO 1
    ArcPack,    // ARC 3
    ArcSqueeze, // ARC 4
    ArcCrunch5, // ARC 5 to 8
    ArcCrunch6,
    ArcCrunch7,
    ArcCrunch8,
    ArcSquash,  // ARC 9
};

struct TDecodeRequest {
    TDecodeMethod method = TDecodeMethod::Stored;
    int64_t unpackedSize = 0; // the member's size as its header gives it
    uint16_t zipFlags = 0;    // ZIP general-purpose flags (implode reads bits 1 and 2)
};

// Decodes one member; never throws EDecodeError. The sink's check value is then the
// member's computed CRC.
int Decompress(const TDecodeRequest& request, IByteSource& source, TDecodeSink& sink);

} // namespace quorvex
