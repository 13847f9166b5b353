// Archives made by the real archivers unpack to the very bytes of their input files, with
// every member's check value passing.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "extract/UnRAR.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

struct TFixtureCase {
    int Kind;
    const char* Archive;
    bool StoredDirs;
    std::map<std::string, std::string> Expected; // output path -> input file
};

void PrintTo(const TFixtureCase& c, std::ostream* os)
{
    *os << c.Archive << (c.StoredDirs ? " with folders" : "");
}

class RealArchiverTest : public ::testing::TestWithParam<TFixtureCase>
{
};

TEST_P(RealArchiverTest, UnpacksTheInputBytesAndPassesEveryCheck)
{
    const TFixtureCase& c = GetParam();
    if (c.Kind == akRAR && !RarExtractionAvailable())
        GTEST_SKIP() << "built without the UnRAR library";
    TExtractTestScope scope;
    QTemporaryDir dest;
    std::vector<std::pair<std::string, bool>> ended;
    ExtractHooks().MemberEnd = [&](const QString& fn, bool pass) {
        ended.emplace_back(QDir(dest.path()).relativeFilePath(fn).toStdString(), pass);
    };
    ASSERT_TRUE(ExtractFiles(c.Kind, ExtractFixture(c.Archive), dest.path() + "/", false,
                             c.StoredDirs, false, nullptr, "*.*"))
        << LastExtractError;
    EXPECT_EQ(LastExtractError, 0);
    EXPECT_TRUE(scope.prompt.Shown.empty());
    std::map<std::string, std::string> expected;
    for (const auto& [out, input] : c.Expected)
        expected[out] = ReadFileBytes(ExpectedFile(input));
    EXPECT_EQ(FilesBelow(dest.path()), expected);
    for (const auto& [name, pass] : ended)
        EXPECT_TRUE(pass) << name;
    // Every input was dated 2021-06-15 10:20:30 before it was packed.
    const QDateTime packed(QDate(2021, 6, 15), QTime(10, 20, 30));
    for (const auto& [out, input] : c.Expected)
        EXPECT_LE(std::abs(QFileInfo(dest.filePath(QString::fromStdString(out)))
                               .lastModified()
                               .secsTo(packed)),
                  2)
            << out;
    EXPECT_GE(ended.size(), expected.size());
}

const std::map<std::string, std::string> AllFour{{"FILE_ID.DIZ", "FILE_ID.DIZ"},
                                                 {"README.TXT", "README.TXT"},
                                                 {"DATA.BIN", "DATA.BIN"},
                                                 {"docs/README.TXT", "docs/README.TXT"}};

INSTANTIATE_TEST_SUITE_P(
    Archivers, RealArchiverTest,
    ::testing::Values(
        TFixtureCase{akZIP, "levels.zip", true, AllFour},
        // Without folders both README.TXT land on one name; the later member goes beside.
        TFixtureCase{akZIP,
                     "levels.zip",
                     false,
                     {{"FILE_ID.DIZ", "FILE_ID.DIZ"},
                      {"README.TXT", "README.TXT"},
                      {"README (2).TXT", "docs/README.TXT"},
                      {"DATA.BIN", "DATA.BIN"}}},
        TFixtureCase{akTAR, "plain.tar", true, AllFour},
        TFixtureCase{akGZ, "DATA.BIN.gz", false, {{"DATA.BIN", "DATA.BIN"}}},
        TFixtureCase{akGZ, "named.gz", true, {{"README.TXT", "README.TXT"}}},
        TFixtureCase{akARJ,
                     "methods.arj",
                     false,
                     {{"M0.BIN", "DATA.BIN"},
                      {"M1.BIN", "DATA.BIN"},
                      {"M2.BIN", "DATA.BIN"},
                      {"M3.BIN", "DATA.BIN"},
                      {"M4.BIN", "DATA.BIN"},
                      {"FILE_ID.DIZ", "FILE_ID.DIZ"}}},
        TFixtureCase{akLHA, "lh5.lzh", true, AllFour},
        TFixtureCase{
            akLZH, "lh0.lzh", false, {{"README.TXT", "README.TXT"}, {"DATA.BIN", "DATA.BIN"}}},
        TFixtureCase{akARC,
                     "auto.arc",
                     false,
                     {{"FILE_ID.DIZ", "FILE_ID.DIZ"},
                      {"README.TXT", "README.TXT"},
                      {"DATA.BIN", "DATA.BIN"}}},
        // Built by hand (no ZOO archiver here); DATA.BIN's packed bytes come from jlha.
        TFixtureCase{akZOO,
                     "hand.zoo",
                     true,
                     {{"FILE_ID.DIZ", "FILE_ID.DIZ"},
                      {"docs/README.TXT", "docs/README.TXT"},
                      {"DATA.BIN", "DATA.BIN"}}},
        // The library recreates stored folders whatever was asked.
        TFixtureCase{akRAR, "rar5.rar", false, AllFour}));

} // namespace
