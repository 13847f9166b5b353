#include "decompress/LzhAdaptive.h"

#include "decompress/BitInput.h"
#include "decompress/WindowOutput.h"

#include <cstring>

namespace quorvex {

namespace {

constexpr uint16_t MaxFreq = 0x8000;

} // namespace

TAdaptiveHuffman::TAdaptiveHuffman()
{
    for (int i = 0; i < Symbols; ++i) {
        m_freq[i] = 1;
        m_son[i] = int16_t(i + Nodes);
        m_parent[i + Nodes] = int16_t(i);
    }
    for (int i = 0, j = Symbols; j <= Root; i += 2, ++j) {
        m_freq[j] = uint16_t(m_freq[i] + m_freq[i + 1]);
        m_son[j] = int16_t(i);
        m_parent[i] = m_parent[i + 1] = int16_t(j);
    }
    m_freq[Nodes] = 0xFFFF; // sentinel above every real count
    m_parent[Root] = 0;
}

// Halves every count and rebuilds the tree from the leaves, keeping nodes sorted by count.
void TAdaptiveHuffman::Rebuild()
{
    int j = 0;
    for (int i = 0; i < Nodes; ++i) {
        if (m_son[i] >= Nodes) {
            m_freq[j] = uint16_t((m_freq[i] + 1) / 2);
            m_son[j] = m_son[i];
            ++j;
        }
    }
    for (int i = 0, n = Symbols; n < Nodes; i += 2, ++n) {
        uint16_t f = uint16_t(m_freq[i] + m_freq[i + 1]);
        int k = n - 1;
        while (f < m_freq[k]) --k;
        ++k;
        std::memmove(&m_freq[k + 1], &m_freq[k], size_t(n - k) * sizeof(m_freq[0]));
        m_freq[k] = f;
        std::memmove(&m_son[k + 1], &m_son[k], size_t(n - k) * sizeof(m_son[0]));
        m_son[k] = int16_t(i);
    }
    for (int i = 0; i < Nodes; ++i) {
        int k = m_son[i];
        m_parent[k] = int16_t(i);
        if (k < Nodes) m_parent[k + 1] = int16_t(i);
    }
}

void TAdaptiveHuffman::Update(int symbol)
{
    if (m_freq[Root] == MaxFreq) Rebuild();
    int c = m_parent[symbol + Nodes];
    do {
        uint16_t k = ++m_freq[c];
        int l = c + 1;
        if (k > m_freq[l]) {
            // Swap c with the last node of a smaller count so the order stays sorted.
            while (k > m_freq[++l]) {
            }
            --l;
            m_freq[c] = m_freq[l];
            m_freq[l] = k;
            int i = m_son[c];
            m_parent[i] = int16_t(l);
            if (i < Nodes) m_parent[i + 1] = int16_t(l);
            int j = m_son[l];
            m_son[l] = int16_t(i);
            m_parent[j] = int16_t(c);
            if (j < Nodes) m_parent[j + 1] = int16_t(c);
            m_son[c] = int16_t(j);
            c = l;
        }
        c = m_parent[c];
    } while (c != 0);
}

namespace {

// The fixed code of the upper six position bits: 1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6,
// 24 of 7 and 16 of 8, assigned in canonical order.
struct TPositionCode {
    uint8_t value[256];
    uint8_t length[256];
    TPositionCode()
    {
        static const int counts[] = {1, 3, 8, 12, 24, 16};
        int symbol = 0;
        uint32_t code = 0; // left-aligned to 8 bits
        for (int len = 3; len <= 8; ++len) {
            for (int i = 0; i < counts[len - 3]; ++i, ++symbol) {
                uint32_t span = 1u << (8 - len);
                for (uint32_t j = 0; j < span; ++j) {
                    value[code + j] = uint8_t(symbol);
                    length[code + j] = uint8_t(len);
                }
                code += span;
            }
        }
    }
};

const TPositionCode& PositionCode()
{
    static const TPositionCode table;
    return table;
}

} // namespace

int LzhAdaptiveDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        TMsbBits bits(source);
        TWindowOutput out(sink, 15, 0x20, unpackedSize);
        TAdaptiveHuffman tree;
        const TPositionCode& pos = PositionCode();
        while (!out.Done()) {
            int n = tree.Child(TAdaptiveHuffman::Root);
            while (n < TAdaptiveHuffman::Nodes) n = tree.Child(n + int(bits.Get(1)));
            int symbol = n - TAdaptiveHuffman::Nodes;
            tree.Update(symbol);
            if (symbol < 256) {
                out.Put(uint8_t(symbol));
                continue;
            }
            bits.Need(8);
            uint32_t top = bits.Peek(8);
            bits.Drop(pos.length[top]);
            uint32_t distance = (uint32_t(pos.value[top]) << 6 | bits.Get(6)) + 1;
            out.Copy(distance, uint32_t(symbol - 256 + 3));
        }
        out.Finish();
        bits.CheckEnd();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
