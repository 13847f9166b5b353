#include "TempDir.h"

#include "catalog/CatalogErrors.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/WriteTarget.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace quorvex;
using namespace quorvex::testing;

namespace {
std::string Pattern(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + i / 256);
    return s;
}
} // namespace

TEST(ReadAheadStream, BufferSizeIsCapped)
{
    TTempDir dir;
    WriteFileBytes(dir.Path("f"), "abc");
    TReadAheadStream s(dir.Path("f"), 1000000);
    EXPECT_EQ(s.BufferSize(), 262143);
}

TEST(ReadAheadStream, MissingFileRaisesOpenError)
{
    try {
        TReadAheadStream s("/nonexistent/file.ctf", 16);
        FAIL();
    } catch (const EReadBufferError& e) {
        EXPECT_STREQ(e.what(), "File open error");
    }
}

TEST(ReadAheadStream, EmptyFile)
{
    TTempDir dir;
    WriteFileBytes(dir.Path("e"), "");
    TReadAheadStream s(dir.Path("e"), 16);
    EXPECT_TRUE(s.Eof());
    char buf[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(s.Read(buf, 5), 0);
    EXPECT_EQ(buf[0], 'x') << "the destination keeps its old content";
}

TEST(ReadAheadStream, SeeksInsideBufferAndRefillsOutside)
{
    TTempDir dir;
    const std::string data = Pattern(100);
    WriteFileBytes(dir.Path("f"), data);
    TReadAheadStream s(dir.Path("f"), 16);
    char c;
    ASSERT_EQ(s.Read(&c, 1), 1);
    EXPECT_EQ(s.BufferCount(), 16);
    s.Seek(10);
    EXPECT_EQ(s.BufferStart(), 0) << "a seek inside the buffer only moves the position";
    EXPECT_EQ(s.Position(), 10);
    ASSERT_EQ(s.Read(&c, 1), 1);
    EXPECT_EQ(c, data[10]);
    s.Seek(16); // just past the last byte in the buffer
    EXPECT_EQ(s.BufferStart(), 16);
    EXPECT_EQ(s.BufferCount(), 0);
    ASSERT_EQ(s.Read(&c, 1), 1);
    EXPECT_EQ(c, data[16]);
    s.Seek(95);
    char tail[10];
    EXPECT_EQ(s.Read(tail, 10), 5) << "a read past the end returns what there is";
    EXPECT_EQ(std::string(tail, 5), data.substr(95));
    EXPECT_TRUE(s.Eof());
}

TEST(ReadAheadStream, LongReadsAndCopiesSpanSeveralRefills)
{
    TTempDir dir;
    const std::string data = Pattern(1000);
    WriteFileBytes(dir.Path("f"), data);
    TReadAheadStream s(dir.Path("f"), 64);
    std::string got(900, '\0');
    EXPECT_EQ(s.Read(got.data(), 900), 900);
    EXPECT_EQ(got, data.substr(0, 900));
    EXPECT_EQ(s.Position(), 900);

    s.Seek(50);
    TMemoryWriter out;
    EXPECT_TRUE(s.CopyToStream(out, 500));
    EXPECT_EQ(out.Data(), data.substr(50, 500));
    EXPECT_FALSE(s.CopyToStream(out, 1000)) << "only 450 bytes are left";
    EXPECT_EQ(out.Data().size(), 950u);
}
