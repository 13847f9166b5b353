#include "decompress/Unshrink.h"

#include "decompress/BitInput.h"
#include "decompress/WindowOutput.h"

#include <vector>

namespace quorvex {

namespace {

constexpr int MaxBits = 13;
constexpr int TableSize = 1 << MaxBits;
constexpr int Control = 256;
constexpr int FirstFree = 257;
constexpr int16_t Free = -1;

class TUnshrink {
public:
    TUnshrink() : m_prefix(TableSize, Free), m_suffix(TableSize, 0), m_stack(TableSize)
    {
        for (int c = 0; c < 256; ++c) m_suffix[size_t(c)] = uint8_t(c);
    }
    void Run(TLsbBits& bits, TWindowOutput& out);

private:
    bool InUse(int code) const { return code < Control || m_prefix[size_t(code)] != Free; }
    void PartialClear();
    void Add(int prefix, uint8_t suffix);

    std::vector<int16_t> m_prefix; // Free for an unused code
    std::vector<uint8_t> m_suffix;
    std::vector<uint8_t> m_stack;
    int m_nextFree = FirstFree;
};

void TUnshrink::Add(int prefix, uint8_t suffix)
{
    while (m_nextFree < TableSize && InUse(m_nextFree)) ++m_nextFree;
    if (m_nextFree >= TableSize) return; // table full until the next clear
    m_prefix[size_t(m_nextFree)] = int16_t(prefix);
    m_suffix[size_t(m_nextFree)] = suffix;
    ++m_nextFree;
}

void TUnshrink::PartialClear()
{
    std::vector<bool> isPrefix(TableSize, false);
    for (int c = FirstFree; c < TableSize; ++c)
        if (m_prefix[size_t(c)] != Free) isPrefix[size_t(m_prefix[size_t(c)])] = true;
    for (int c = FirstFree; c < TableSize; ++c)
        if (!isPrefix[size_t(c)]) m_prefix[size_t(c)] = Free;
    m_nextFree = FirstFree;
}

void TUnshrink::Run(TLsbBits& bits, TWindowOutput& out)
{
    unsigned width = 9;
    int prev = -1;
    uint8_t prevFirst = 0;
    while (!out.Done()) {
        int code = int(bits.Get(width));
        if (code == Control) {
            int sub = int(bits.Get(width));
            if (sub == 1 && width < MaxBits) {
                ++width;
            } else if (sub == 2) {
                PartialClear();
            } else {
                ThrowDecodeError(ecInvalidCode);
            }
            continue;
        }
        if (prev < 0) {
            if (code >= 256) ThrowDecodeError(ecInvalidCode);
            out.Put(uint8_t(code));
            prev = code;
            prevFirst = uint8_t(code);
            continue;
        }
        // Unpack the string backwards onto the stack.
        size_t depth = 0;
        int c = code;
        bool known = InUse(code);
        if (!known) {
            m_stack[depth++] = prevFirst; // the string of prev plus its own first byte
            c = prev;
        }
        while (c >= Control) {
            if (!InUse(c) || depth >= m_stack.size()) ThrowDecodeError(ecStackOverflow);
            m_stack[depth++] = m_suffix[size_t(c)];
            c = m_prefix[size_t(c)];
        }
        if (depth >= m_stack.size()) ThrowDecodeError(ecStackOverflow);
        m_stack[depth++] = uint8_t(c);
        uint8_t first = uint8_t(c);
        while (depth && !out.Done()) out.Put(m_stack[--depth]);
        if (InUse(prev)) Add(prev, first);
        prev = code;
        prevFirst = first;
    }
}

} // namespace

int UnshrinkDecode(IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        TLsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        TUnshrink decoder;
        decoder.Run(bits, out);
        out.Finish();
        bits.CheckEnd();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
