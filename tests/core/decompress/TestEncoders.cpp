#include "TestEncoders.h"

#include "decompress/LzhAdaptive.h"

#include <algorithm>
#include <map>
#include <vector>

namespace testdata {

void TLsbWriter::Put(uint32_t value, unsigned bits)
{
    m_acc |= uint64_t(value & ((1ull << bits) - 1)) << m_count;
    m_count += bits;
    while (m_count >= 8) {
        m_out.push_back(uint8_t(m_acc));
        m_acc >>= 8;
        m_count -= 8;
    }
}

Bytes TLsbWriter::Finish()
{
    if (m_count) m_out.push_back(uint8_t(m_acc));
    m_count = 0;
    m_acc = 0;
    return m_out;
}

void TMsbWriter::Put(uint32_t value, unsigned bits)
{
    for (unsigned i = bits; i-- > 0;) {
        m_acc = (m_acc << 1) | ((value >> i) & 1);
        if (++m_count == 8) {
            m_out.push_back(uint8_t(m_acc));
            m_acc = 0;
            m_count = 0;
        }
    }
}

Bytes TMsbWriter::Finish()
{
    if (m_count) m_out.push_back(uint8_t(m_acc << (8 - m_count)));
    m_count = 0;
    m_acc = 0;
    return m_out;
}

namespace {

// Longest earlier match for data[pos..] within window bytes back, found through chains of
// earlier positions with the same three bytes (a bounded search, as real encoders do).
class TMatcher {
public:
    explicit TMatcher(const Bytes& d) : m_d(d), m_prev(d.size(), -1)
    {
        std::vector<long> head(1 << 16, -1);
        for (size_t i = 0; i + 2 < d.size(); ++i) {
            size_t h = Hash(i);
            m_prev[i] = head[h];
            head[h] = long(i);
        }
    }
    void Find(size_t pos, size_t window, size_t maxLen, size_t& bestLen, size_t& bestDist) const
    {
        bestLen = 0;
        bestDist = 0;
        size_t limit = std::min(maxLen, m_d.size() - pos);
        if (limit < 3) return;
        int depth = 0;
        for (long from = m_prev[pos]; from >= 0 && pos - size_t(from) <= window && depth < 48;
             from = m_prev[size_t(from)], ++depth) {
            size_t n = 0;
            while (n < limit && m_d[size_t(from) + n] == m_d[pos + n]) ++n;
            if (n > bestLen) {
                bestLen = n;
                bestDist = pos - size_t(from);
                if (n == limit) break;
            }
        }
    }

private:
    size_t Hash(size_t i) const
    {
        return (size_t(m_d[i]) << 8 ^ size_t(m_d[i + 1]) << 4 ^ m_d[i + 2]) & 0xFFFF;
    }
    const Bytes& m_d;
    std::vector<long> m_prev;
};

} // namespace

// ---------------------------------------------------------------------------------- shrink

Bytes ShrinkEncode(const Bytes& data, int clearEvery)
{
    TLsbWriter w;
    std::vector<int> prefix(8192, -1);
    std::vector<int> suffix(8192, 0);
    std::vector<int16_t> lookup(8192 * 256, -1); // prefix << 8 | byte -> code
    unsigned width = 9;
    int codesSinceClear = 0;
    auto inUse = [&](int c) { return c < 256 || prefix[size_t(c)] >= 0; };
    auto emit = [&](int code) {
        while (code >= (1 << width)) {
            w.Put(256, width);
            w.Put(1, width);
            ++width;
        }
        w.Put(uint32_t(code), width);
    };
    auto partialClear = [&] {
        w.Put(256, width);
        w.Put(2, width);
        std::vector<bool> used(8192, false);
        for (int c = 257; c < 8192; ++c)
            if (prefix[size_t(c)] >= 0) used[size_t(prefix[size_t(c)])] = true;
        for (int c = 257; c < 8192; ++c)
            if (prefix[size_t(c)] >= 0 && !used[size_t(c)]) {
                lookup[size_t(prefix[size_t(c)] << 8 | suffix[size_t(c)])] = -1;
                prefix[size_t(c)] = -1;
            }
        codesSinceClear = 0;
    };
    if (data.empty()) return w.Finish();
    int cur = data[0];
    for (size_t i = 1; i <= data.size(); ++i) {
        if (i < data.size()) {
            int16_t known = lookup[size_t(cur << 8 | data[i])];
            if (known >= 0) {
                cur = known;
                continue;
            }
        }
        emit(cur);
        if (i == data.size()) break;
        int freeCode = 257;
        while (freeCode < 8192 && inUse(freeCode)) ++freeCode;
        ++codesSinceClear;
        if (freeCode == 8192 || (clearEvery && codesSinceClear >= clearEvery)) {
            partialClear();
            freeCode = 257;
            while (freeCode < 8192 && inUse(freeCode)) ++freeCode;
        }
        if (inUse(cur) && freeCode < 8192) {
            prefix[size_t(freeCode)] = cur;
            suffix[size_t(freeCode)] = data[i];
            lookup[size_t(cur << 8 | data[i])] = int16_t(freeCode);
        }
        cur = data[i];
    }
    return w.Finish();
}

// ---------------------------------------------------------------------------------- reduce

Bytes ReduceEncode(const Bytes& data, int factor)
{
    const uint8_t dle = 144;
    const size_t lengthMask = 0x7Fu >> (factor - 1);
    const size_t maxDist = size_t(1) << (8 + factor);
    // Stage one: copies as DLE sequences.
    Bytes mid;
    TMatcher matcher(data);
    for (size_t pos = 0; pos < data.size();) {
        size_t len, dist;
        matcher.Find(pos, maxDist, 3 + lengthMask + 255, len, dist);
        size_t high = (dist - 1) >> 8;
        if (len >= 4 || (len == 3 && high)) {
            size_t l = len - 3;
            uint8_t v = uint8_t(high << (8 - factor) | std::min(l, lengthMask));
            mid.push_back(dle);
            mid.push_back(v);
            if (l >= lengthMask) mid.push_back(uint8_t(l - lengthMask));
            mid.push_back(uint8_t(dist - 1));
            pos += len;
        } else {
            mid.push_back(data[pos]);
            if (data[pos] == dle) mid.push_back(0);
            ++pos;
        }
    }
    // Stage two: follower sets of up to eight most frequent successors.
    std::vector<std::vector<uint8_t>> sets(256);
    {
        std::vector<std::vector<int>> freq(256, std::vector<int>(256, 0));
        uint8_t last = 0;
        for (uint8_t c : mid) ++freq[last][c], last = c;
        for (int j = 0; j < 256; ++j) {
            std::vector<int> order(256);
            for (int i = 0; i < 256; ++i) order[size_t(i)] = i;
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return freq[size_t(j)][size_t(a)] > freq[size_t(j)][size_t(b)]; });
            for (int k = 0; k < 8 && freq[size_t(j)][size_t(order[size_t(k)])] > 1; ++k)
                sets[size_t(j)].push_back(uint8_t(order[size_t(k)]));
        }
    }
    TLsbWriter w;
    for (int j = 255; j >= 0; --j) {
        w.Put(uint32_t(sets[size_t(j)].size()), 6);
        for (uint8_t c : sets[size_t(j)]) w.Put(c, 8);
    }
    uint8_t last = 0;
    for (uint8_t c : mid) {
        const auto& s = sets[last];
        if (s.empty()) {
            w.Put(c, 8);
        } else {
            auto it = std::find(s.begin(), s.end(), c);
            unsigned bits = 1;
            while ((1u << bits) < s.size()) ++bits;
            if (it == s.end()) {
                w.Put(1, 1);
                w.Put(c, 8);
            } else {
                w.Put(0, 1);
                w.Put(uint32_t(it - s.begin()), bits);
            }
        }
        last = c;
    }
    return w.Finish();
}

// --------------------------------------------------------------------------------- implode

namespace {

struct TSfTree {
    std::vector<uint8_t> lengths;
    std::vector<uint32_t> codes; // bit-reversed, ready to write low bit first

    explicit TSfTree(std::vector<uint8_t> lens) : lengths(std::move(lens)), codes(lengths.size())
    {
        // The construction of the format description: sort by length, keeping the stored
        // order among equals, then hand out codes from the last entry backwards.
        size_t n = lengths.size();
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return lengths[a] < lengths[b]; });
        uint32_t code = 0, increment = 0, lastLen = 0;
        for (size_t k = n; k-- > 0;) {
            size_t sym = order[k];
            code += increment;
            if (lengths[sym] != lastLen) {
                lastLen = lengths[sym];
                increment = 1u << (16 - lastLen);
            }
            uint32_t rev = 0;
            for (int b = 0; b < 16; ++b)
                if (code & (1u << b)) rev |= 1u << (15 - b);
            codes[sym] = rev;
        }
    }
    void WriteTree(TLsbWriter& w) const
    {
        Bytes packed;
        for (size_t i = 0; i < lengths.size();) {
            size_t run = 1;
            while (i + run < lengths.size() && run < 16 && lengths[i + run] == lengths[i]) ++run;
            packed.push_back(uint8_t((run - 1) << 4 | (lengths[i] - 1)));
            i += run;
        }
        w.Put(uint32_t(packed.size() - 1), 8);
        for (uint8_t b : packed) w.Put(b, 8);
    }
    void Write(TLsbWriter& w, size_t sym) const { w.Put(codes[sym], lengths[sym]); }
};

std::vector<uint8_t> Lengths64(size_t shortSym)
{
    // One code of 1 bit, one of 2, two of 7 and sixty of 8: a complete code.
    std::vector<uint8_t> l(64, 8);
    l[shortSym % 64] = 1;
    l[(shortSym + 1) % 64] = 2;
    l[(shortSym + 20) % 64] = 7;
    l[(shortSym + 40) % 64] = 7;
    return l;
}

} // namespace

std::vector<uint32_t> ShannonFanoCodes(const std::vector<uint8_t>& lengths)
{
    return TSfTree(lengths).codes;
}

Bytes ImplodeEncode(const Bytes& data, uint16_t flags)
{
    const bool bigWindow = flags & 2, literalTree = flags & 4;
    const unsigned lowBits = bigWindow ? 7 : 6;
    const size_t minMatch = literalTree ? 3 : 2;
    std::vector<uint8_t> litLens(256, 9);
    litLens[' '] = litLens['e'] = 2;
    litLens['a'] = litLens[0] = 8;
    TSfTree lit(litLens), len(Lengths64(0)), dist(Lengths64(1));
    TLsbWriter w;
    if (literalTree) lit.WriteTree(w);
    len.WriteTree(w);
    dist.WriteTree(w);
    TMatcher matcher(data);
    for (size_t pos = 0; pos < data.size();) {
        size_t l, d;
        matcher.Find(pos, size_t(1) << (lowBits + 6), minMatch + 63 + 255, l, d);
        if (l >= minMatch) {
            w.Put(0, 1);
            w.Put(uint32_t(d - 1), lowBits);
            dist.Write(w, (d - 1) >> lowBits);
            size_t code = l - minMatch;
            len.Write(w, std::min<size_t>(code, 63));
            if (code >= 63) w.Put(uint32_t(code - 63), 8);
            pos += l;
        } else {
            w.Put(1, 1);
            if (literalTree)
                lit.Write(w, data[pos]);
            else
                w.Put(data[pos], 8);
            ++pos;
        }
    }
    return w.Finish();
}

// ------------------------------------------------------------------------------------- lh1

Bytes Lh1Encode(const Bytes& data)
{
    using quorvex::TAdaptiveHuffman;
    TAdaptiveHuffman tree;
    TMsbWriter w;
    // The position code: counts of codes of 3..8 bits, canonical order.
    static const int counts[] = {1, 3, 8, 12, 24, 16};
    uint32_t posCode[64];
    uint8_t posLen[64];
    {
        int sym = 0;
        uint32_t code = 0;
        for (int len = 3; len <= 8; ++len) {
            for (int i = 0; i < counts[len - 3]; ++i, ++sym) {
                posCode[sym] = code;
                posLen[sym] = uint8_t(len);
                ++code;
            }
            code <<= 1;
        }
    }
    auto putSymbol = [&](int symbol) {
        std::vector<int> path;
        for (int node = tree.LeafNode(symbol); node != TAdaptiveHuffman::Root;
             node = tree.Parent(node))
            path.push_back(node & 1);
        for (size_t i = path.size(); i-- > 0;) w.Put(uint32_t(path[i]), 1);
        tree.Update(symbol);
    };
    TMatcher matcher(data);
    for (size_t pos = 0; pos < data.size();) {
        size_t l, d;
        matcher.Find(pos, 4096, TAdaptiveHuffman::MaxMatch, l, d);
        if (l >= 3) {
            putSymbol(int(256 + l - 3));
            uint32_t v = uint32_t(d - 1);
            w.Put(posCode[v >> 6], posLen[v >> 6]);
            w.Put(v & 63, 6);
            pos += l;
        } else {
            putSymbol(data[pos]);
            ++pos;
        }
    }
    return w.Finish();
}

// ------------------------------------------------------------------------------ ZOO LZW

Bytes ZooLzwEncode(const Bytes& data)
{
    TLsbWriter w;
    std::vector<int16_t> table(8192 * 256, -1);
    unsigned width = 9;
    int n = 0; // codes sent since the last clear
    w.Put(256, width);
    if (data.empty()) {
        w.Put(257, width);
        return w.Finish();
    }
    int cur = data[0];
    for (size_t i = 1;; ++i) {
        if (i < data.size()) {
            int16_t known = table[size_t(cur << 8 | data[i])];
            if (known >= 0) {
                cur = known;
                continue;
            }
        }
        w.Put(uint32_t(cur), width);
        ++n;
        // The decoder now holds 257 + n codes and widens once the next one would not fit.
        int decoderFree = 257 + n;
        if (n >= 2 && decoderFree >= (1 << width) && width < 13) ++width;
        if (i >= data.size()) break;
        int slot = 257 + n;
        if (slot >= 8192) {
            w.Put(256, width);
            width = 9;
            n = 0;
            std::fill(table.begin(), table.end(), int16_t(-1));
        } else {
            table[size_t(cur << 8 | data[i])] = int16_t(slot);
        }
        cur = data[i];
    }
    w.Put(257, width);
    return w.Finish();
}

// ---------------------------------------------------------------------------- ARC methods

Bytes ArcRlePack(const Bytes& data)
{
    Bytes out;
    for (size_t i = 0; i < data.size();) {
        uint8_t c = data[i];
        size_t run = 1;
        while (i + run < data.size() && data[i + run] == c && run < 255) ++run;
        if (c == 0x90) {
            out.push_back(0x90);
            out.push_back(0);
            ++i;
        } else if (run >= 3) {
            out.push_back(c);
            out.push_back(0x90);
            out.push_back(uint8_t(run));
            i += run;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    return out;
}

Bytes ArcHashedCrunchEncode(const Bytes& input, int method)
{
    const Bytes data = method == 5 ? input : ArcRlePack(input);
    // The table: a string's code is the slot it hashes to, collisions chained to the first
    // free slot from 101 places past the end of the chain.
    struct TSlot {
        bool used = false;
        int next = 0;
    };
    std::vector<TSlot> slots(4096);
    std::map<uint32_t, int> codeOf; // predecessor << 8 | follower -> slot
    int used = 0;
    auto add = [&](uint32_t pred, uint8_t foll) {
        if (used >= 4096) return;
        uint32_t key = (pred + foll) & 0xFFFF;
        int h;
        if (method == 7) {
            h = int((key * 15073u) & 0xFFF);
        } else {
            uint32_t sq = (key | 0x800) & 0xFFFF;
            h = int(((sq * sq) >> 6) & 0xFFF);
        }
        if (slots[size_t(h)].used) {
            while (slots[size_t(h)].next) h = slots[size_t(h)].next;
            int s = (h + 101) & 0xFFF;
            while (slots[size_t(s)].used) s = (s + 1) & 0xFFF;
            slots[size_t(h)].next = s;
            h = s;
        }
        slots[size_t(h)].used = true;
        codeOf[pred << 8 | foll] = h;
        ++used;
    };
    for (int c = 0; c < 256; ++c) add(0xFFFF, uint8_t(c));
    TMsbWriter w;
    if (data.empty()) return w.Finish();
    int cur = codeOf[0xFFFFu << 8 | data[0]];
    for (size_t i = 1; i <= data.size(); ++i) {
        if (i < data.size()) {
            auto it = codeOf.find(uint32_t(cur) << 8 | data[i]);
            if (it != codeOf.end()) {
                cur = it->second;
                continue;
            }
        }
        w.Put(uint32_t(cur), 12);
        if (i == data.size()) break;
        add(uint32_t(cur), data[i]);
        cur = codeOf[0xFFFFu << 8 | data[i]];
    }
    return w.Finish();
}

} // namespace testdata
