// Members encrypted by zip -P decrypt on the way into the decoders.

#include "DecodeHelpers.h"
#include "FixtureMembers.h"

#include "decompress/ZipCrypto.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace testdata;

namespace {

// The byte the encryption header must end with: the high byte of the DOS time when the sizes
// follow the data (flag bit 3), else the high byte of the CRC.
uint8_t CheckByte(const TMember& m)
{
    return (m.flags & 8) ? uint8_t(m.dosTime >> 8) : uint8_t(m.crc >> 24);
}

} // namespace

TEST(ZipCrypto, RightPasswordDecryptsEveryMember)
{
    auto members = ZipMembers(ReadFile(Fixture("zip_crypt.zip")));
    ASSERT_EQ(members.size(), 2u);
    for (const auto& m : members) {
        SCOPED_TRACE(m.name);
        ASSERT_TRUE(m.flags & 1);
        ASSERT_GE(m.packed.size(), TZipCrypto::HeaderSize);
        TZipCrypto keys("secret");
        ASSERT_TRUE(keys.CheckHeader(m.packed.data(), CheckByte(m)));
        TMemorySource raw(m.packed.data() + TZipCrypto::HeaderSize,
                          m.packed.size() - TZipCrypto::HeaderSize);
        TDecryptingSource plain(raw, keys);
        TBufferWriter writer;
        TDecodeSink sink(writer, TCheckKind::Crc32);
        TDecodeRequest request;
        request.method = m.method == 8 ? TDecodeMethod::Deflate : TDecodeMethod::Stored;
        request.unpackedSize = m.unpackedSize;
        ASSERT_EQ(Decompress(request, plain, sink), ecNone);
        EXPECT_EQ(sink.CheckValue(), m.crc);
        EXPECT_TRUE(writer.Data() == PlainBySize(m.unpackedSize));
    }
}

TEST(ZipCrypto, WrongPasswordsFailTheHeaderCheck)
{
    auto members = ZipMembers(ReadFile(Fixture("zip_crypt.zip")));
    ASSERT_FALSE(members.empty());
    int passed = 0;
    for (const char* guess : {"", "Secret", "secret ", "wrong", "s", "secreT", "x", "12345"}) {
        TZipCrypto keys(guess);
        passed += keys.CheckHeader(members[0].packed.data(), CheckByte(members[0]));
    }
    EXPECT_EQ(passed, 0); // one in 256 could pass by chance; these happen not to
}
