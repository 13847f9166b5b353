#pragma once
// Small encoders for the methods no Debian program writes any more (shrink, reduce, implode,
// -lh1-, ZOO's LZW, the ARC LZW and squeeze methods). Each is written from the format's
// description independently of the decoder, greedy and slow, just good enough to make
// streams that exercise every code path of the decoders.

#include "TestData.h"

namespace testdata {

class TLsbWriter {
public:
    void Put(uint32_t value, unsigned bits);
    Bytes Finish();

private:
    Bytes m_out;
    uint64_t m_acc = 0;
    unsigned m_count = 0;
};

class TMsbWriter {
public:
    void Put(uint32_t value, unsigned bits);
    Bytes Finish();

private:
    Bytes m_out;
    uint64_t m_acc = 0;
    unsigned m_count = 0;
};

// clearEvery > 0 forces a partial clear after that many codes, besides the one when full.
Bytes ShrinkEncode(const Bytes& data, int clearEvery = 0);
Bytes ReduceEncode(const Bytes& data, int factor);
// flags: bit 1 = 8 KiB window, bit 2 = literal tree.
Bytes ImplodeEncode(const Bytes& data, uint16_t flags);
// The implode tree codes of these lengths, bit-reversed (ready to write low bit first).
std::vector<uint32_t> ShannonFanoCodes(const std::vector<uint8_t>& lengths);
Bytes Lh1Encode(const Bytes& data);
// Starts a new table (clear code) whenever the 13-bit table is full.
Bytes ZooLzwEncode(const Bytes& data);
// ARC's run-length step on its own (method 3's format).
Bytes ArcRlePack(const Bytes& data);
// ARC methods 5 (old hash), 6 (old hash after run-length packing), 7 (new hash, packed).
Bytes ArcHashedCrunchEncode(const Bytes& data, int method);

} // namespace testdata
