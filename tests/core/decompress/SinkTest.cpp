// The output sink: check values, progress steps, short writes; and the stored copy.

#include "decompress/ByteSource.h"
#include "decompress/Crc.h"
#include "decompress/DecodeErrors.h"
#include "decompress/DecodeSink.h"
#include "decompress/StoredCopy.h"

#include "TestData.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace testdata;

namespace {

// Accepts a given number of bytes, then writes short.
class TFailingWriter : public IBlockWriter {
public:
    explicit TFailingWriter(size_t room) : m_room(room) {}
    bool WriteBlock(const uint8_t*, size_t size) override
    {
        if (size > m_room) return false;
        m_room -= size;
        return true;
    }

private:
    size_t m_room;
};

} // namespace

TEST(Crc, KnownValues)
{
    const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc32(text, 9), 0xCBF43926u);
    EXPECT_EQ(Crc16Update(0, text, 9), 0xBB3D);
    // The sliced loop and the byte loop agree at every alignment and length.
    Bytes data = Make(TKind::Random, 1000, 3);
    for (size_t start = 0; start < 9; ++start)
        for (size_t len : {0u, 1u, 7u, 8u, 9u, 63u, 500u}) {
            uint32_t reg = 0xFFFFFFFFu;
            for (size_t i = 0; i < len; ++i) reg = Crc32Byte(reg, data[start + i]);
            EXPECT_EQ(Crc32(data.data() + start, len), ~reg);
        }
}

TEST(DecodeSink, ProgressFiresOnMultiplesOfTheStepOnly)
{
    TNullWriter writer;
    TDecodeSink sink(writer, TCheckKind::Crc32);
    std::vector<int> seen;
    sink.SetProgress(1000, 10, [&](uint8_t p) { seen.push_back(p); });
    // Blocks of 3 %: the percentages between the multiples of 10 are never reported.
    Bytes block(30, 'x');
    for (int i = 0; i < 34; ++i) sink.Write(block.data(), block.size());
    EXPECT_EQ(seen, (std::vector<int>{30, 60, 90, 100}));
}

TEST(DecodeSink, ShortWriteIsAWriteError)
{
    TFailingWriter writer(100);
    TDecodeSink sink(writer, TCheckKind::Crc16);
    Bytes block(60, 'x');
    sink.Write(block.data(), block.size());
    try {
        sink.Write(block.data(), block.size());
        FAIL() << "no error";
    } catch (const EDecodeError& e) {
        EXPECT_EQ(e.Code(), ecWriteError);
        EXPECT_STREQ(e.what(), "Error writing to file");
    }
    EXPECT_EQ(sink.BytesDone(), 60);
}

TEST(StoredCopy, CopiesInBlocksWithEveryPercentFromADevice)
{
    Bytes data = Make(TKind::Mixed, 200000, 11);
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), int(data.size()));
    bytes.append("trailing bytes of the next member");
    QBuffer device(&bytes);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    TDeviceSource source(device, int64_t(data.size()));

    struct TCountingWriter : IBlockWriter {
        TBufferWriter inner;
        size_t largest = 0;
        bool WriteBlock(const uint8_t* d, size_t n) override
        {
            largest = std::max(largest, n);
            return inner.WriteBlock(d, n);
        }
    } writer;
    TDecodeSink sink(writer, TCheckKind::Crc32);
    std::vector<int> seen;
    sink.SetProgress(int64_t(data.size()), 10, [&](uint8_t p) { seen.push_back(p); });
    EXPECT_EQ(StoredCopy(source, sink, int64_t(data.size())), ecNone);
    EXPECT_TRUE(writer.inner.Data() == data);
    EXPECT_EQ(writer.largest, DecodeBlockSize);
    EXPECT_EQ(sink.CheckValue(), Crc32(data.data(), data.size()));
    // Stored members report every change, whatever the step: 7 blocks, 7 reports.
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen.back(), 100);

    // A source that ends early.
    TMemorySource shortSource(data.data(), 1000);
    TNullWriter nothing;
    TDecodeSink sink2(nothing, TCheckKind::Crc32);
    EXPECT_EQ(StoredCopy(shortSource, sink2, 5000), ecReadError);
}
