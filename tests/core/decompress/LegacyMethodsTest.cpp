// Methods without a Debian encoder, checked against the small encoders of the tests.

#include "DecodeHelpers.h"
#include "TestEncoders.h"

#include "decompress/Crc.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace testdata;

namespace {

std::vector<Bytes> Inputs()
{
    return {Bytes{},
            Bytes{'a'},
            Make(TKind::Text, 5000, 1),
            Make(TKind::Runs, 7000, 2),
            Make(TKind::Mixed, 16000, 3),
            Make(TKind::Random, 3000, 4),
            Bytes(600, 144)}; // the reduce escape byte throughout
}

void ExpectRoundTrip(TDecodeMethod method, const Bytes& packed, const Bytes& plain,
                     uint16_t flags = 0)
{
    TDecoded r = Decode(method, packed, int64_t(plain.size()), TCheckKind::Crc32, flags);
    ASSERT_EQ(r.code, ecNone);
    ASSERT_EQ(r.data.size(), plain.size());
    EXPECT_TRUE(r.data == plain);
    EXPECT_EQ(r.check, Crc32(plain.data(), plain.size()));
}

} // namespace

TEST(Unshrink, DecodesGrowingCodesAndPartialClears)
{
    for (const Bytes& plain : Inputs()) {
        SCOPED_TRACE(plain.size());
        ExpectRoundTrip(TDecodeMethod::Shrink, ShrinkEncode(plain), plain);
        ExpectRoundTrip(TDecodeMethod::Shrink, ShrinkEncode(plain, 300), plain);
    }
    // Enough distinct strings to fill the whole 13-bit table and clear it when full.
    Bytes big = Make(TKind::Random, 60000, 9);
    ExpectRoundTrip(TDecodeMethod::Shrink, ShrinkEncode(big), big);
}

TEST(Unreduce, DecodesEveryCompressionFactor)
{
    const TDecodeMethod methods[] = {TDecodeMethod::Reduce1, TDecodeMethod::Reduce2,
                                     TDecodeMethod::Reduce3, TDecodeMethod::Reduce4};
    for (int factor = 1; factor <= 4; ++factor)
        for (const Bytes& plain : Inputs()) {
            SCOPED_TRACE(std::to_string(factor) + " " + std::to_string(plain.size()));
            ExpectRoundTrip(methods[factor - 1], ReduceEncode(plain, factor), plain);
        }
}

TEST(Explode, DecodesBothWindowsWithTwoAndThreeTrees)
{
    for (uint16_t flags : {0, 2, 4, 6})
        for (const Bytes& plain : Inputs()) {
            SCOPED_TRACE(std::to_string(flags) + " " + std::to_string(plain.size()));
            ExpectRoundTrip(TDecodeMethod::Implode, ImplodeEncode(plain, flags), plain, flags);
        }
}

TEST(Explode, TreeConstructionMatchesTheWorkedExample)
{
    // The eight-value example of the format description: lengths 3,3,3,3,3,2,4,4 give these
    // codes, read low bit first.
    EXPECT_EQ(ShannonFanoCodes({3, 3, 3, 3, 3, 2, 4, 4}),
              (std::vector<uint32_t>{0b101, 0b001, 0b110, 0b010, 0b100, 0b11, 0b1000, 0b0000}));
}

TEST(Explode, OverfullTreeIsAmbiguous)
{
    // A length tree of 64 one-bit codes.
    Bytes packed = {0x03, 0xF0, 0xF0, 0xF0, 0xF0};
    EXPECT_EQ(Decode(TDecodeMethod::Implode, packed, 10).code, ecAmbiguousTree);
}

TEST(Lh1, DecodesAdaptiveHuffmanWithPositions)
{
    for (const Bytes& plain : Inputs()) {
        SCOPED_TRACE(plain.size());
        ExpectRoundTrip(TDecodeMethod::Lh1, Lh1Encode(plain), plain);
    }
    // Long enough for the counts to reach their limit and the tree to be rebuilt.
    Bytes big = Make(TKind::Runs, 200000, 5);
    ExpectRoundTrip(TDecodeMethod::Lh1, Lh1Encode(big), big);
}

TEST(ZooLzw, DecodesGrowingCodesClearsAndTheEndCode)
{
    for (const Bytes& plain : Inputs()) {
        SCOPED_TRACE(plain.size());
        ExpectRoundTrip(TDecodeMethod::ZooLzw, ZooLzwEncode(plain), plain);
    }
    Bytes big = Make(TKind::Random, 50000, 8); // fills the table twice over
    ExpectRoundTrip(TDecodeMethod::ZooLzw, ZooLzwEncode(big), big);
}

TEST(ArcCrunch, HashedGenerationsWithAndWithoutRunLengths)
{
    const TDecodeMethod methods[] = {TDecodeMethod::ArcCrunch5, TDecodeMethod::ArcCrunch6,
                                     TDecodeMethod::ArcCrunch7};
    Bytes full = Make(TKind::Random, 20000, 6); // more strings than the table holds
    for (int method = 5; method <= 7; ++method) {
        for (const Bytes& plain : Inputs()) {
            SCOPED_TRACE(std::to_string(method) + " " + std::to_string(plain.size()));
            ExpectRoundTrip(methods[method - 5], ArcHashedCrunchEncode(plain, method), plain);
        }
        ExpectRoundTrip(methods[method - 5], ArcHashedCrunchEncode(full, method), full);
    }
}

TEST(ArcPack, RunLengthsAndLiteralMarkers)
{
    for (const Bytes& plain : Inputs()) {
        SCOPED_TRACE(plain.size());
        ExpectRoundTrip(TDecodeMethod::ArcPack, ArcRlePack(plain), plain);
    }
}
