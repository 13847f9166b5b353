#include "decompress/HuffmanLsb.h"

namespace quorvex {

namespace {

uint32_t Reverse(uint32_t code, int len)
{
    uint32_t r = 0;
    for (int i = 0; i < len; ++i) {
        r = (r << 1) | (code & 1);
        code >>= 1;
    }
    return r;
}

} // namespace

THuffmanLsb::TResult THuffmanLsb::Build(const uint8_t* lengths, int count, unsigned rootBits,
                                        int firstBase, const uint16_t* base, const uint8_t* extra,
                                        int endSymbol)
{
    int lenCount[MaxBits + 1] = {};
    m_used = 0;
    m_maxLen = 0;
    for (int s = 0; s < count; ++s) {
        int len = lengths[s] > MaxBits ? MaxBits + 1 : lengths[s];
        if (len > MaxBits) return TResult::OverSubscribed;
        if (len) {
            ++lenCount[len];
            ++m_used;
            if (len > m_maxLen) m_maxLen = len;
        }
    }
    int64_t left = 1;
    for (int len = 1; len <= MaxBits; ++len) {
        left = (left << 1) - lenCount[len];
        if (left < 0) return TResult::OverSubscribed;
    }
    TResult result = left > 0 ? TResult::Incomplete : TResult::Ok;

    m_root = rootBits;
    const uint32_t rootSize = 1u << rootBits;
    const uint32_t rootMask = rootSize - 1;

    // First codes of each length, then each symbol's code in canonical order.
    uint32_t next[MaxBits + 2] = {};
    uint32_t code = 0;
    for (int len = 1; len <= MaxBits; ++len) {
        code = (code + uint32_t(lenCount[len - 1])) << 1;
        next[len] = code;
    }

    std::vector<uint32_t> codes(size_t(count), 0);
    uint8_t subBits[1u << 12] = {}; // per root prefix: longest code length beyond the root
    std::vector<uint8_t> bigSub;
    uint8_t* prefixMax = subBits;
    if (rootSize > sizeof(subBits)) {
        bigSub.assign(rootSize, 0);
        prefixMax = bigSub.data();
    }
    for (int s = 0; s < count; ++s) {
        int len = lengths[s];
        if (!len) continue;
        codes[size_t(s)] = Reverse(next[len]++, len);
        if (unsigned(len) > rootBits) {
            uint32_t prefix = codes[size_t(s)] & rootMask;
            uint8_t extraLen = uint8_t(len - int(rootBits));
            if (extraLen > prefixMax[prefix]) prefixMax[prefix] = extraLen;
        }
    }

    // Lay out the subtables after the root table.
    std::vector<uint32_t> subOffset(rootSize, 0);
    uint32_t total = rootSize;
    for (uint32_t p = 0; p < rootSize; ++p) {
        if (!prefixMax[p]) continue;
        subOffset[p] = total;
        total += 1u << prefixMax[p];
    }
    m_table.assign(total, THuffEntry{0, 1, OpInvalid});
    for (uint32_t p = 0; p < rootSize; ++p)
        if (prefixMax[p])
            m_table[p] = THuffEntry{uint16_t(subOffset[p]), uint8_t(rootBits),
                                    uint8_t(OpSub | prefixMax[p])};

    for (int s = 0; s < count; ++s) {
        int len = lengths[s];
        if (!len) continue;
        THuffEntry e{uint16_t(s), 0, OpLiteral};
        if (s == endSymbol) {
            e.op = OpEnd;
        } else if (s >= firstBase && base) {
            uint8_t x = extra[s - firstBase];
            e.value = base[s - firstBase];
            e.op = x == NoSymbol ? OpInvalid : uint8_t(OpBase | x);
        }
        uint32_t rev = codes[size_t(s)];
        if (unsigned(len) <= rootBits) {
            e.bits = uint8_t(len);
            for (uint32_t i = rev; i < rootSize; i += 1u << len) m_table[i] = e;
        } else {
            uint32_t prefix = rev & rootMask;
            unsigned sub = prefixMax[prefix];
            unsigned restLen = unsigned(len) - rootBits;
            e.bits = uint8_t(restLen);
            uint32_t start = subOffset[prefix];
            for (uint32_t i = rev >> rootBits; i < (1u << sub); i += 1u << restLen)
                m_table[start + i] = e;
        }
    }
    return result;
}

} // namespace quorvex
