#pragma once
// LHA -lh1-: LZ77 in a 4 KiB window, literals and match lengths in one adaptive Huffman code
// that is updated after every symbol, positions as a fixed code for the upper six bits
// followed by the lower six bits as they are.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"

#include <cstdint>

namespace quorvex {

// The adaptive code, shared by the decoder and the test encoder.
class TAdaptiveHuffman {
public:
    static constexpr int MaxMatch = 60;
    static constexpr int Symbols = 256 - 3 + 1 + MaxMatch; // literals, then lengths 3..60
    static constexpr int Nodes = 2 * Symbols - 1;
    static constexpr int Root = Nodes - 1;

    TAdaptiveHuffman();
    // Node n's children are the nodes Child(n) (bit 0) and Child(n) + 1 (bit 1); a node whose
    // Child is at or above Nodes is the leaf of symbol Child - Nodes. The bit leading to a
    // node is thus its own index's lowest bit.
    int Child(int n) const { return m_son[n]; }
    int Parent(int n) const { return m_parent[n]; }
    int LeafNode(int symbol) const { return m_parent[symbol + Nodes]; }
    void Update(int symbol);

private:
    void Rebuild();

    uint16_t m_freq[Nodes + 1];
    int16_t m_parent[Nodes + Symbols];
    int16_t m_son[Nodes];
};

int LzhAdaptiveDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize);

} // namespace quorvex
