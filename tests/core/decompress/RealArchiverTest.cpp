// Members packed by real archivers decode to the original bytes with the stored check value.

#include "DecodeHelpers.h"
#include "FixtureMembers.h"

#include "decompress/MethodCodes.h"

#include <gtest/gtest.h>

#include <set>

using namespace quorvex;
using namespace testdata;

namespace {

void ExpectDecodes(const TMember& m, TDecodeMethod method, TCheckKind check)
{
    SCOPED_TRACE(m.name + " method " + std::to_string(m.method));
    TDecoded r = Decode(method, m.packed, m.unpackedSize, check, uint16_t(m.flags));
    ASSERT_EQ(r.code, ecNone);
    EXPECT_EQ(r.check, m.crc);
    EXPECT_TRUE(r.data == PlainBySize(m.unpackedSize));
}

} // namespace

TEST(RealArchivers, GzipDeflate)
{
    TMember m = GzipMember(ReadFile(Fixture("mixed.bin.gz")));
    ExpectDecodes(m, TDecodeMethod::Deflate, TCheckKind::Crc32);
}

TEST(RealArchivers, ZipStoredAndDeflatedAtEveryLevel)
{
    auto members = ZipMembers(ReadFile(Fixture("zip_deflate.zip")));
    ASSERT_EQ(members.size(), 4u);
    for (const auto& m : members)
        ExpectDecodes(m, *ZipDecodeMethod(m.method), TCheckKind::Crc32);
}

TEST(RealArchivers, ArjMethodsZeroToFour)
{
    auto members = ArjMembers(ReadFile(Fixture("arj_methods.arj")));
    ASSERT_EQ(members.size(), 5u);
    for (const auto& m : members)
        ExpectDecodes(m, *ArjDecodeMethod(m.method), TCheckKind::Crc32);
}

TEST(RealArchivers, LhaFrozen5AndStored)
{
    auto members = LhaMembers(ReadFile(Fixture("lha_lh5.lzh")));
    auto stored = LhaMembers(ReadFile(Fixture("lha_lh0.lzh")));
    ASSERT_EQ(members.size(), 2u);
    ASSERT_EQ(stored.size(), 1u);
    for (const auto& m : members)
        ExpectDecodes(m, TDecodeMethod::Lh5, TCheckKind::Crc16);
    EXPECT_EQ(stored[0].method, 0);
    ExpectDecodes(stored[0], TDecodeMethod::Stored, TCheckKind::Crc16);
    // A 3000-byte member never reaches back further than 4 KiB, so its -lh5- data is also
    // valid -lh4- data: the two differ only in the window.
    ExpectDecodes(members[1], TDecodeMethod::Lh4, TCheckKind::Crc16);
}

TEST(RealArchivers, ArcStoredPackedSqueezedCrunchedSquashed)
{
    auto members = ArcMembers(ReadFile(Fixture("arcauto.arc")));
    auto squashed = ArcMembers(ReadFile(Fixture("arcsqsh.arc")));
    auto stored = ArcMembers(ReadFile(Fixture("arcstor.arc")));
    members.insert(members.end(), squashed.begin(), squashed.end());
    members.insert(members.end(), stored.begin(), stored.end());
    std::set<int> seen;
    for (const auto& m : members) {
        seen.insert(m.method);
        auto method = ArcDecodeMethod(m.method);
        ASSERT_TRUE(method);
        ExpectDecodes(m, *method, TCheckKind::Crc16);
    }
    EXPECT_EQ(seen, (std::set<int>{2, 3, 4, 8, 9}));
}

TEST(MethodCodes, OnlyTheListedMethodsAreSupported)
{
    EXPECT_FALSE(ZipDecodeMethod(7));
    EXPECT_FALSE(ZipDecodeMethod(9));
    EXPECT_FALSE(ZipDecodeMethod(12));
    EXPECT_EQ(ZipDecodeMethod(5), TDecodeMethod::Reduce4);
    EXPECT_FALSE(ArjDecodeMethod(5));
    EXPECT_FALSE(LhaDecodeMethod("-lh6-"));
    EXPECT_FALSE(LhaDecodeMethod("-lzs-"));
    EXPECT_EQ(LhaDecodeMethod("-lh1-"), TDecodeMethod::Lh1);
    EXPECT_EQ(ZooDecodeMethod(2), TDecodeMethod::Lh5);
    EXPECT_FALSE(ZooDecodeMethod(3));
    EXPECT_FALSE(ArcDecodeMethod(10));
    EXPECT_FALSE(ArcDecodeMethod(0));
    EXPECT_EQ(ArcDecodeMethod(1), TDecodeMethod::Stored);
}
