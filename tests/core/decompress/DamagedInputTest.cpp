// Cut and mutated data through every decoder: each ends with a known code (an error for cut
// data), writes no more than the member's size, and never crashes or hangs (the sanitizer
// run of this suite checks the memory side).

#include "DecodeHelpers.h"
#include "FixtureMembers.h"
#include "TestEncoders.h"

#include "decompress/DecodeErrors.h"

#include <gtest/gtest.h>
#include <zlib.h>

using namespace quorvex;
using namespace testdata;

namespace {

struct TCase {
    std::string name;
    TDecodeMethod method;
    Bytes packed;
    int64_t size;
    uint16_t flags = 0;
};

Bytes ZlibRaw(const Bytes& in)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, uLong(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = uInt(in.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::vector<TCase> Cases()
{
    Bytes plain = Make(TKind::Mixed, 6000, 42);
    int64_t n = int64_t(plain.size());
    std::vector<TCase> cases = {
        {"stored", TDecodeMethod::Stored, plain, n},
        {"deflate", TDecodeMethod::Deflate, ZlibRaw(plain), n},
        {"shrink", TDecodeMethod::Shrink, ShrinkEncode(plain, 500), n},
        {"reduce1", TDecodeMethod::Reduce1, ReduceEncode(plain, 1), n},
        {"reduce4", TDecodeMethod::Reduce4, ReduceEncode(plain, 4), n},
        {"implode2", TDecodeMethod::Implode, ImplodeEncode(plain, 0), n, 0},
        {"implode3", TDecodeMethod::Implode, ImplodeEncode(plain, 6), n, 6},
        {"lh1", TDecodeMethod::Lh1, Lh1Encode(plain), n},
        {"zoo-lzw", TDecodeMethod::ZooLzw, ZooLzwEncode(plain), n},
        {"arc-pack", TDecodeMethod::ArcPack, ArcRlePack(plain), n},
        {"arc-crunch5", TDecodeMethod::ArcCrunch5, ArcHashedCrunchEncode(plain, 5), n},
        {"arc-crunch7", TDecodeMethod::ArcCrunch7, ArcHashedCrunchEncode(plain, 7), n},
    };
    auto lha = LhaMembers(ReadFile(Fixture("lha_lh5.lzh")));
    cases.push_back({"lh5", TDecodeMethod::Lh5, lha[1].packed, lha[1].unpackedSize});
    for (const auto& m : ArjMembers(ReadFile(Fixture("arj_methods.arj")))) {
        if (m.method == 1)
            cases.push_back({"arj1", TDecodeMethod::ArjLzh, m.packed, m.unpackedSize});
        if (m.method == 4)
            cases.push_back({"arj4", TDecodeMethod::ArjFast, m.packed, m.unpackedSize});
    }
    for (const char* file : {"arcauto.arc", "arcsqsh.arc"})
        for (const auto& m : ArcMembers(ReadFile(Fixture(file)))) {
            if (m.unpackedSize > 6000) continue; // keep the runs short
            TDecodeMethod method = m.method == 4   ? TDecodeMethod::ArcSqueeze
                                   : m.method == 8 ? TDecodeMethod::ArcCrunch8
                                   : m.method == 9 ? TDecodeMethod::ArcSquash
                                                   : TDecodeMethod::ArcPack;
            cases.push_back({std::string(file) + ":" + m.name, method, m.packed, m.unpackedSize});
        }
    return cases;
}

bool KnownCode(int code)
{
    return code == ecNone || DecodeErrorText(code)[0] != 0;
}

} // namespace

TEST(DamagedInput, IntactCasesDecodeAndCutOnesFail)
{
    for (const TCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TDecoded whole = Decode(c.method, c.packed, c.size, TCheckKind::Crc32, c.flags);
        ASSERT_EQ(whole.code, ecNone);
        ASSERT_EQ(int64_t(whole.data.size()), c.size);
        size_t len = c.packed.size();
        for (size_t cut : {size_t(0), size_t(1), size_t(2), size_t(5), len / 4, len / 2,
                           len - 2, len - 1}) {
            if (cut >= len) continue;
            Bytes part(c.packed.begin(), c.packed.begin() + long(cut));
            TDecoded r = Decode(c.method, part, c.size, TCheckKind::Crc32, c.flags);
            // Cutting off no more than an end marker after the last data leaves the member
            // whole; anything else must fail.
            if (r.code == ecNone) {
                EXPECT_TRUE(r.data == whole.data) << "cut at " << cut;
            }
            EXPECT_TRUE(KnownCode(r.code)) << r.code;
            EXPECT_LE(int64_t(r.data.size()), c.size);
        }
    }
}

TEST(DamagedInput, MutatedDataEndsWithAKnownCodeWithinTheMemberSize)
{
    TRandom rnd(2024);
    for (const TCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 60; ++round) {
            Bytes bad = c.packed;
            int changes = 1 + int(rnd.Below(4));
            for (int k = 0; k < changes && !bad.empty(); ++k) {
                size_t at = rnd.Below(uint32_t(bad.size()));
                // Mostly early bytes, where the tables and headers are.
                if (round % 2) at %= std::min<size_t>(bad.size(), 64);
                bad[at] = rnd.Below(3) ? uint8_t(bad[at] ^ (1u << rnd.Below(8))) : uint8_t(rnd.Next());
            }
            TDecoded r = Decode(c.method, bad, c.size, TCheckKind::Crc32, c.flags);
            EXPECT_TRUE(KnownCode(r.code)) << r.code;
            if (c.method != TDecodeMethod::Deflate) {
                EXPECT_LE(int64_t(r.data.size()), c.size);
            }
        }
    }
}

TEST(DamagedInput, NoiseAndSizesFromNowhere)
{
    // Pure noise, and members claiming far more output than their data can give.
    TRandom rnd(7);
    const TDecodeMethod all[] = {
        TDecodeMethod::Stored,     TDecodeMethod::Shrink,     TDecodeMethod::Reduce2,
        TDecodeMethod::Reduce3,    TDecodeMethod::Implode,    TDecodeMethod::Deflate,
        TDecodeMethod::ArjLzh,     TDecodeMethod::ArjFast,    TDecodeMethod::Lh1,
        TDecodeMethod::Lh4,        TDecodeMethod::Lh5,        TDecodeMethod::ZooLzw,
        TDecodeMethod::ArcPack,    TDecodeMethod::ArcSqueeze, TDecodeMethod::ArcCrunch5,
        TDecodeMethod::ArcCrunch6, TDecodeMethod::ArcCrunch7, TDecodeMethod::ArcCrunch8,
        TDecodeMethod::ArcSquash};
    for (TDecodeMethod method : all)
        for (int round = 0; round < 20; ++round) {
            Bytes noise(1 + rnd.Below(3000));
            for (auto& b : noise) b = uint8_t(rnd.Next());
            // All zeros is valid data for some methods (an LZH block of one zero-bit code
            // says "zero bytes" without end), so that round only has to end cleanly.
            const bool zeros = round == 0;
            if (zeros) noise.assign(noise.size(), 0);
            for (uint16_t flags : {0, 6}) {
                TDecoded r = Decode(method, noise, int64_t(1) << (zeros ? 20 : 30),
                                    TCheckKind::Crc16, flags);
                if (!zeros) {
                    EXPECT_NE(r.code, ecNone) << int(method);
                }
                EXPECT_TRUE(KnownCode(r.code)) << r.code;
            }
        }
}
