#include "decompress/LzhStatic.h"

#include "decompress/BitInput.h"
#include "decompress/HuffmanMsb.h"
#include "decompress/WindowOutput.h"

namespace quorvex {

namespace {

constexpr unsigned MatchMin = 3;
constexpr int CharCodes = 256 + 256 + 2 - MatchMin; // literals and match lengths 3..256
constexpr unsigned CharCountBits = 9;
constexpr int LengthCodes = 19; // the code of the code lengths
constexpr unsigned LengthCountBits = 5;

class TLzhStatic {
public:
    TLzhStatic(const TLzhParams& p, IByteSource& source) : m_p(p), m_bits(source) {}
    void Run(TWindowOutput& out);

private:
    void ReadBlockHeader();
    void ReadLengthLengths(int count, unsigned countBits, int special, THuffmanMsb& code);
    void ReadCharLengths();

    TLzhParams m_p;
    TMsbBits m_bits;
    THuffmanMsb m_lengthCode, m_charCode, m_posCode;
    uint32_t m_blockLeft = 0;
};

void TLzhStatic::ReadLengthLengths(int count, unsigned countBits, int special, THuffmanMsb& code)
{
    uint8_t lens[32] = {};
    int n = int(m_bits.Get(countBits));
    if (n == 0) {
        int c = int(m_bits.Get(countBits));
        if (c >= count) ThrowDecodeError(ecInvalidDecodeTree);
        code.SetSingle(c);
        return;
    }
    if (n > count) ThrowDecodeError(ecInvalidDecodeTree);
    int i = 0;
    while (i < n) {
        m_bits.Need(16);
        unsigned len = m_bits.Peek(3);
        if (len == 7) {
            uint32_t look = m_bits.Peek(16);
            for (uint32_t mask = 1u << 12; mask && (look & mask); mask >>= 1) ++len;
            if (len > 16) ThrowDecodeError(ecInvalidDecodeTree);
            m_bits.Drop(len - 3);
        } else {
            m_bits.Drop(3);
        }
        lens[i++] = uint8_t(len);
        if (i == special) {
            int zeros = int(m_bits.Get(2));
            if (i + zeros > count) ThrowDecodeError(ecInvalidDecodeTree);
            while (zeros-- > 0) lens[i++] = 0;
        }
    }
    if (!code.Build(lens, count, 8)) ThrowDecodeError(ecInvalidDecodeTree);
}

void TLzhStatic::ReadCharLengths()
{
    uint8_t lens[CharCodes] = {};
    int n = int(m_bits.Get(CharCountBits));
    if (n == 0) {
        int c = int(m_bits.Get(CharCountBits));
        if (c >= CharCodes) ThrowDecodeError(ecInvalidDecodeTree);
        m_charCode.SetSingle(c);
        return;
    }
    if (n > CharCodes) ThrowDecodeError(ecInvalidDecodeTree);
    int i = 0;
    while (i < n) {
        int c = m_lengthCode.Decode(m_bits);
        if (c <= 2) {
            int zeros = c == 0 ? 1 : c == 1 ? int(m_bits.Get(4)) + 3 : int(m_bits.Get(CharCountBits)) + 20;
            if (i + zeros > CharCodes) ThrowDecodeError(ecInvalidDecodeTree);
            while (zeros-- > 0) lens[i++] = 0;
        } else {
            lens[i++] = uint8_t(c - 2);
        }
    }
    if (!m_charCode.Build(lens, CharCodes, 12)) ThrowDecodeError(ecInvalidDecodeTree);
}

void TLzhStatic::ReadBlockHeader()
{
    m_blockLeft = m_bits.Get(16);
    if (m_blockLeft == 0) m_blockLeft = 0x10000;
    ReadLengthLengths(LengthCodes, LengthCountBits, 3, m_lengthCode);
    ReadCharLengths();
    ReadLengthLengths(int(m_p.positionCodes), m_p.positionBits, -1, m_posCode);
}

void TLzhStatic::Run(TWindowOutput& out)
{
    while (!out.Done()) {
        if (m_blockLeft == 0) ReadBlockHeader();
        --m_blockLeft;
        int c = m_charCode.Decode(m_bits);
        if (c < 256) {
            out.Put(uint8_t(c));
            continue;
        }
        uint32_t length = uint32_t(c) - 256 + MatchMin;
        uint32_t j = uint32_t(m_posCode.Decode(m_bits));
        if (j > 1) j = (1u << (j - 1)) + m_bits.Get(j - 1);
        out.Copy(j + 1, length);
    }
    m_bits.CheckEnd();
}

} // namespace

int LzhStaticDecode(const TLzhParams& params, IByteSource& source, TDecodeSink& sink,
                    int64_t unpackedSize)
{
    try {
        unsigned windowBits = params.dictBits < 15 ? 15 : params.dictBits;
        TWindowOutput out(sink, windowBits, params.background, unpackedSize);
        TLzhStatic decoder(params, source);
        decoder.Run(out);
        out.Finish();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
