#pragma once
// The string table of the LZW decoders: codes below 256 stand for themselves, each later code
// for an earlier code followed by one byte.

#include "decompress/DecodeErrors.h"

#include <cstdint>
#include <vector>

namespace quorvex {

class TLzwTable {
public:
    explicit TLzwTable(int size)
        : m_prefix(size_t(size), 0), m_suffix(size_t(size), 0), m_stack(size_t(size) + 1)
    {
        for (int c = 0; c < 256 && c < size; ++c) m_suffix[size_t(c)] = uint8_t(c);
    }

    int Size() const { return int(m_prefix.size()); }

    // Sends the bytes of `code` to emit in order and returns its first byte. A code equal to
    // freeCode is the one about to be defined: oldCode's string followed by its first byte
    // (lastFirst). Codes above freeCode are damaged data.
    template <class Emit>
    uint8_t Expand(int code, int freeCode, int oldCode, uint8_t lastFirst, Emit&& emit)
    {
        size_t depth = 0;
        if (code >= freeCode) {
            if (code > freeCode) ThrowDecodeError(ecInvalidCode);
            m_stack[depth++] = lastFirst;
            code = oldCode;
        }
        while (code > 255) {
            if (depth >= m_stack.size() - 1) ThrowDecodeError(ecStackOverflow);
            m_stack[depth++] = m_suffix[size_t(code)];
            code = m_prefix[size_t(code)];
        }
        uint8_t first = uint8_t(code);
        m_stack[depth++] = first;
        while (depth && emit(m_stack[--depth])) {
        }
        return first;
    }

    void Define(int code, int prefix, uint8_t last)
    {
        m_prefix[size_t(code)] = uint16_t(prefix);
        m_suffix[size_t(code)] = last;
    }

private:
    std::vector<uint16_t> m_prefix;
    std::vector<uint8_t> m_suffix;
    std::vector<uint8_t> m_stack;
};

} // namespace quorvex
