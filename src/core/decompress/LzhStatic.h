#pragma once
// The LZH decoder with static Huffman blocks: LHA -lh4- and -lh5-, ZOO's "Greatest" method and
// ARJ methods 1 to 3, which differ only in window size and in the coding of positions.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

namespace quorvex {

struct TLzhParams {
    unsigned dictBits;       // log2 of the window size
    unsigned positionCodes;  // symbols of the position code
    unsigned positionBits;   // bits of its count field
    uint8_t background;      // what the window holds before any output
};

inline constexpr TLzhParams LzhLh4{12, 14, 4, 0x20};
inline constexpr TLzhParams LzhLh5{13, 14, 4, 0x20};
inline constexpr TLzhParams LzhArj{16, 17, 5, 0x00};

// Decodes until unpackedSize bytes are out; returns ecNone or the error code.
int LzhStaticDecode(const TLzhParams& params, IByteSource& source, TDecodeSink& sink,
                    int64_t unpackedSize);

} // namespace quorvex
