#include "decompress/ByteSource.h"
#include "decompress/Crc.h"
#include "decompress/DecodeErrors.h"
#include "decompress/Inflate.h"

#include "TestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

using namespace quorvex;
using namespace testdata;

namespace {

Bytes Deflate(const Bytes& in, int level, int strategy = Z_DEFAULT_STRATEGY)
{
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -15, 9, strategy);
    Bytes out(deflateBound(&z, uLong(in.size())) + 16);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = uInt(in.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

struct TResult {
    int code;
    Bytes data;
    uint32_t crc;
};

TResult RunInflate(const Bytes& packed)
{
    TMemorySource src(packed.data(), packed.size());
    TBufferWriter writer;
    TDecodeSink sink(writer, TCheckKind::Crc32);
    int code = Inflate(src, sink);
    return {code, writer.Data(), sink.CheckValue()};
}

} // namespace

TEST(Inflate, MatchesZlibOnManyKindsAndSizes)
{
    const size_t sizes[] = {0, 1, 2, 7, 258, 4095, 32767, 32768, 32769, 65536, 100000, 300001};
    const int levels[] = {0, 1, 6, 9};
    uint64_t seed = 1;
    for (TKind kind : {TKind::Random, TKind::Text, TKind::Runs, TKind::Mixed})
        for (size_t size : sizes)
            for (int level : levels) {
                Bytes plain = Make(kind, size, seed++);
                TResult r = RunInflate(Deflate(plain, level));
                ASSERT_EQ(r.code, ecNone) << int(kind) << " " << size << " " << level;
                ASSERT_EQ(r.data, plain) << int(kind) << " " << size << " " << level;
                EXPECT_EQ(r.crc, uint32_t(crc32(0, plain.data(), uInt(plain.size()))));
            }
}

TEST(Inflate, FixedCodesAndRunLengthStrategies)
{
    Bytes plain = Make(TKind::Mixed, 200000, 77);
    for (int strategy : {Z_FIXED, Z_RLE, Z_HUFFMAN_ONLY, Z_FILTERED}) {
        TResult r = RunInflate(Deflate(plain, 6, strategy));
        ASSERT_EQ(r.code, ecNone) << strategy;
        EXPECT_EQ(r.data, plain) << strategy;
    }
}

TEST(Inflate, BadStreamsEndWithTheirCodes)
{
    struct TCase {
        Bytes data;
        int code;
    } cases[] = {
        {{0x07}, ecBadBlock},                           // block type 3
        {{0x01, 0x05, 0x00, 0x00, 0x00}, ecBadBlock},   // stored length check fails
        {{0x01, 0x05, 0x00, 0xFA, 0xFF, 'a'}, ecReadError}, // stored data cut short
        {{0x03, 0x02, 0x00}, ecInvalidCode},            // fixed code, distance before the start
        {{0xFD, 0xFF}, ecBadLengths},                   // 287 literal/length codes
    };
    for (const auto& c : cases) EXPECT_EQ(RunInflate(c.data).code, c.code);
    EXPECT_NE(RunInflate({}).code, ecNone);
}

TEST(Inflate, OutputLimitStopsDataThatGrowsPastTheMemberSize)
{
    Bytes plain = Make(TKind::Runs, 100000, 5);
    Bytes packed = Deflate(plain, 9);
    TMemorySource src(packed.data(), packed.size());
    TBufferWriter writer;
    TDecodeSink sink(writer, TCheckKind::Crc32);
    sink.SetOutputLimit(50000);
    EXPECT_EQ(Inflate(src, sink), ecBadBlock);
    EXPECT_EQ(writer.Data().size(), 50000u);
    EXPECT_TRUE(std::equal(writer.Data().begin(), writer.Data().end(), plain.begin()));
}
