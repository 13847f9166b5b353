#pragma once
// Inflate: the decoder of raw deflate data (stored, fixed and dynamic Huffman blocks).

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"
#include "decompress/HuffmanLsb.h"

#include <memory>

namespace quorvex {

class TInflater {
public:
    TInflater();
    ~TInflater();
    // Decodes one deflate stream to its last block; throws EDecodeError on bad data.
    void Run(IByteSource& source, TDecodeSink& sink);

private:
    struct TState;
    void StoredBlock(TState& s);
    void DynamicTables(TState& s);
    void Codes(TState& s, const THuffmanLsb& lit, const THuffmanLsb& dist);
    void Flush(TState& s);

    THuffmanLsb m_fixedLit, m_fixedDist, m_lit, m_dist, m_lenCodes;
    std::unique_ptr<uint8_t[]> m_window;
};

// Returns ecNone or the error code.
int Inflate(IByteSource& source, TDecodeSink& sink);

} // namespace quorvex
