// Cabinet listings: cabinets made by the real archiver compared with what `gcab -l -v`
// said about them; sets of cabinets put together from the format's description.

#include "ExpectedListing.h"
#include "HandBuilt.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

QString Cab(const char* name)
{
    return FixtureIn("cab", name);
}

// `gcab -l -v` lines: name, size, date, time, attributes.
std::vector<std::pair<TExpected, uint32_t>> ParseGcab(const QString& file,
                                                      const std::string& method)
{
    std::vector<std::pair<TExpected, uint32_t>> out;
    for (const QString& line : FixtureLines(file)) {
        const QStringList p = line.split(u' ', Qt::SkipEmptyParts);
        if (p.size() != 5) continue;
        const int64_t size = p[1].toLongLong();
        out.push_back({Row(p[0].toStdString(), size, size, (p[2] + ' ' + p[3]).toStdString(),
                           method, 0),
                       p[4].toUInt(nullptr, 16)});
    }
    return out;
}

struct TCabListing {
    TListing Listing;
    std::vector<std::pair<QString, QString>> Requests; // FN and VolumeID of every error
};

TCabListing ListCabinet(const QString& file)
{
    TCabListing out;
    TArchiveLister lister;
    lister.OnRead = [&](TArchiveLister& l, int32_t offset, int32_t filenum) {
        out.Listing.Members.push_back({l.Member(), offset, filenum});
    };
    lister.OnError = [&](TZipCommon&, const QString& fn, const QString& volume, int code) {
        out.Listing.Errors.push_back(code);
        out.Requests.push_back({fn, volume});
    };
    lister.SetArchiveFile(file);
    out.Listing.Result = lister.Activate();
    return out;
}

std::vector<TBuiltCabFile> Files(std::initializer_list<const char*> names, uint16_t last = 0)
{
    std::vector<TBuiltCabFile> files;
    for (const char* name : names)
        files.push_back({Built(name, QByteArray(name) + " data")});
    if (last) files.back().Folder = last;
    return files;
}

} // namespace

TEST(CabListing, MatchesTheArchiversListing)
{
    for (const auto& [name, method] : {std::pair{"stored.cab", "Stored"}, {"mszip.cab", "MSZIP"}}) {
        SCOPED_TRACE(name);
        const auto lines = ParseGcab(Cab(name) + ".gcab-lv.txt", method);
        ASSERT_EQ(lines.size(), 4u);
        std::vector<TExpected> expected;
        for (const auto& l : lines)
            expected.push_back(l.first);
        const TListing got = ListArchive(Cab(name));
        EXPECT_EQ(got.Type, atCAB);
        EXPECT_TRUE(got.Result);
        EXPECT_TRUE(got.Errors.empty());
        ExpectListing(got, expected);
        for (size_t i = 0; i < got.Members.size(); ++i) {
            const TArchiveMember& m = got.Members[i].Member;
            EXPECT_EQ(m.ExternalAttr, lines[i].second);
            EXPECT_EQ(m.InternalAttr, int16_t(lines[i].second));
            EXPECT_EQ(m.VersionMadeBy, 3);
            EXPECT_EQ(m.VersionNeeded, 1);
            EXPECT_EQ(m.Ratio, 0);
        }
    }
}

TEST(CabListing, ASetOfTwoCabinetsListsBoth)
{
    TScratch dir;
    const QString first = dir.Write("SET1.CAB", Cabinet(Files({"A.TXT", "B.TXT"}, 0xFFFE), 0, {},
                                                        "SET2.CAB"));
    const QString second =
        dir.Write("SET2.CAB", Cabinet(Files({"B.TXT", "C.TXT"}), 1, "SET1.CAB", {}, 1));
    // The file that spans both cabinets is listed in each: the scanner keeps one.
    TArchiveLister lister;
    std::vector<std::pair<std::string, QString>> seen;
    lister.OnRead = [&](TArchiveLister& l, int32_t, int32_t) {
        seen.push_back({l.Member().MemberName + " " + l.Member().MethodName,
                        l.State().VolumeFileName});
    };
    lister.SetArchiveFile(first);
    EXPECT_TRUE(lister.Activate());
    const std::vector<std::pair<std::string, QString>> expected = {
        {"A.TXT Stored", first},
        {"B.TXT Stored", first},
        {"B.TXT MSZIP", second},
        {"C.TXT MSZIP", second},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(lister.State().MemberCount, 4);

    // Names stored in another case are found all the same.
    ASSERT_TRUE(QFile::rename(second, QFileInfo(second).dir().filePath("set2.cab")));
    const TListing lower = ListArchive(first);
    EXPECT_EQ(lower.Members.size(), 4u);
}

TEST(CabListing, AMissingNextCabinetKeepsWhatWasListed)
{
    TScratch dir;
    const QString first =
        dir.Write("ONLY1.CAB", Cabinet(Files({"A.TXT", "B.TXT"}, 0xFFFE), 0, {}, "ONLY2.CAB"));
    const TCabListing got = ListCabinet(first);
    EXPECT_FALSE(got.Listing.Result);
    EXPECT_EQ(got.Listing.Members.size(), 2u);
    EXPECT_EQ(got.Listing.Errors, (std::vector<int>{25903, 25132}));
    ASSERT_EQ(got.Requests.size(), 2u);
    EXPECT_EQ(got.Requests[0], (std::pair<QString, QString>{"ONLY2.CAB", "DISK 2"}));

    // A next cabinet that is no cabinet is reported and ends the listing.
    dir.Write("ONLY2.CAB", "not a cabinet at all, not at all");
    const TCabListing bad = ListCabinet(first);
    EXPECT_EQ(bad.Listing.Members.size(), 2u);
    EXPECT_EQ(bad.Listing.Errors, std::vector<int>{25108});

    // A set that names a cabinet again ends there.
    const QString loop =
        dir.Write("LOOP.CAB", Cabinet(Files({"A.TXT"}), 0, "LOOP.CAB", "LOOP.CAB"));
    const TListing once = ListArchive(loop);
    EXPECT_EQ(once.Members.size(), 1u);
    EXPECT_TRUE(once.Result);
}

TEST(CabListing, MethodNamesAndHeaderErrors)
{
    TScratch dir;
    const struct {
        uint16_t type;
        const char* name;
    } cases[] = {{0, "Stored"},  {1, "MSZIP"},     {2, "Unknown"},  {3, "Unknown"},
                 {3487, "LZX"}, {5490, "LZX"},    {0x1503, "Unknown"}};
    for (const auto& c : cases) {
        const TListing got = ListArchive(dir.Write("m.cab", Cabinet(Files({"A.TXT"}), c.type)));
        ASSERT_EQ(got.Members.size(), 1u);
        EXPECT_EQ(got.Members[0].Member.MethodName, c.name) << c.type;
        EXPECT_EQ(got.Members[0].Member.Method, int16_t(c.type));
    }
    // Reserved areas in the header and the folder entries are stepped over.
    const TListing reserved = ListArchive(dir.Write(
        "r.cab", Cabinet(Files({"A.TXT", "B.TXT"}), 1, "P.CAB", {}, 1, true)));
    ASSERT_EQ(reserved.Members.size(), 2u);
    EXPECT_EQ(reserved.Members[1].Member.MemberName, "B.TXT");
    EXPECT_EQ(reserved.Members[1].Member.MethodName, "MSZIP");

    // The first data block cut off: nothing is listed.
    QByteArray cut = Cabinet(Files({"A.TXT"}));
    PutU32(cut, 36, uint32_t(cut.size() - 4));
    const TListing none = ListArchive(dir.Write("cut.cab", cut));
    EXPECT_TRUE(none.Members.empty());
    EXPECT_EQ(none.Errors, std::vector<int>{25135});
}
