#pragma once
// What a real archiver's listing said about a fixture, and the comparison of a listing
// with it, for the tests of the older formats.

#include "ListingHelpers.h"

#include "archive/ArchiveDates.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace quorvex::test {

struct TExpected {
    std::string Name; // with "\" between folders
    int64_t Unpacked = -1, Packed = -1;
    std::string Date;   // YYYY-MM-DD HH:MM:SS or the start of it, empty = not checked
    std::string Method; // empty = not checked
    int64_t Crc = -1;   // -1 = not checked
    std::string Comment;
};

inline TExpected Row(std::string name, int64_t unpacked, int64_t packed, std::string date,
                     std::string method, int64_t crc, std::string comment = {})
{
    TExpected e;
    e.Name = std::move(name);
    e.Unpacked = unpacked;
    e.Packed = packed;
    e.Date = std::move(date);
    e.Method = std::move(method);
    e.Crc = crc;
    e.Comment = std::move(comment);
    return e;
}

inline QStringList FixtureLines(const QString& file)
{
    return QString::fromUtf8(ReadBytes(file)).remove(u'\r').split(u'\n');
}

// "crc name" lines written by the fixture scripts from gzip's trailer.
inline std::map<std::string, uint32_t> CrcList(const QString& file)
{
    std::map<std::string, uint32_t> out;
    for (const QString& line : FixtureLines(file)) {
        const QStringList p = line.split(u' ', Qt::SkipEmptyParts);
        if (p.size() == 2) out[p[1].toStdString()] = p[0].toUInt(nullptr, 16);
    }
    return out;
}

// Listing tools print comments line by line: compared without CR and trailing line ends.
inline std::string CommentText(std::string s)
{
    std::erase(s, '\r');
    while (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

inline void ExpectListing(const TListing& got, const std::vector<TExpected>& expected)
{
    ASSERT_EQ(got.Members.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const TArchiveMember& m = got.Members[i].Member;
        const TExpected& e = expected[i];
        SCOPED_TRACE(e.Name);
        EXPECT_EQ(m.MemberName, e.Name);
        EXPECT_EQ(m.UnpackedSize, e.Unpacked);
        EXPECT_EQ(m.PackedSize, e.Packed);
        if (!e.Date.empty()) {
            EXPECT_EQ(FormatArchiveDateTime(m.MemberDate).substr(0, e.Date.size()), e.Date);
        }
        if (!e.Method.empty()) {
            EXPECT_EQ(m.MethodName, e.Method);
        }
        if (e.Crc >= 0) {
            EXPECT_EQ(m.CRC, uint32_t(e.Crc));
        }
        EXPECT_EQ(CommentText(m.MemberComment), e.Comment);
        EXPECT_EQ(m.Ratio, CompressionRatio(uint32_t(e.Packed), uint32_t(e.Unpacked)));
        EXPECT_EQ(got.Members[i].Filenum, int32_t(i + 1));
    }
}

} // namespace quorvex::test
