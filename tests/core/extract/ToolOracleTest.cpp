// Every archive fixture made by a real archiver, unpacked by the archiver itself and by us:
// the same files with the same bytes. Skipped for a tool that is not installed.

#include "ExtractHelpers.h"

#include "archive/ArchiveKinds.h"
#include "archive/Wildcard.h"
#include "extract/UnRAR.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

struct TOracleCase {
    int Kind;
    const char* Fixture; // below tests/fixtures
    const char* Tool;
    const char* Arguments;    // before the archive's path
    const char* Spec = "*.*"; // members with methods of the later archiver versions left out
};

void PrintTo(const TOracleCase& c, std::ostream* os)
{
    *os << c.Fixture;
}

class ToolOracleTest : public ::testing::TestWithParam<TOracleCase>
{
};

TEST_P(ToolOracleTest, SameFilesAsTheArchiver)
{
    const TOracleCase& c = GetParam();
    if (QStandardPaths::findExecutable(c.Tool).isEmpty())
        GTEST_SKIP() << c.Tool << " is not installed";
    if (c.Kind == akRAR && !RarExtractionAvailable())
        GTEST_SKIP() << "built without the UnRAR library";
    const QString archive = QString(QUORVEX_FIXTURES "/") + c.Fixture;
    QTemporaryDir theirs, ours;
    QProcess tool;
    tool.setWorkingDirectory(theirs.path());
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(c.Tool, QString(c.Arguments).split(' ', Qt::SkipEmptyParts) << archive);
    ASSERT_TRUE(tool.waitForFinished(60000));
    std::map<std::string, std::string> expected;
    for (const auto& [path, bytes] : FilesBelow(theirs.path()))
        if (WildcardMatch(path, c.Spec)) expected[path] = bytes;
    ASSERT_FALSE(expected.empty()) << tool.readAll().toStdString();

    TExtractTestScope scope;
    ASSERT_TRUE(
        ExtractFiles(c.Kind, archive, ours.path() + "/", false, true, false, nullptr, c.Spec))
        << LastExtractError;
    EXPECT_EQ(FilesBelow(ours.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ToolOracleTest,
    ::testing::Values(TOracleCase{akZIP, "archive/comments.zip", "unzip", "-qo"},
                      TOracleCase{akZIP, "archive/levels.zip", "unzip", "-qo"},
                      TOracleCase{akZIP, "archive/stored.zip", "unzip", "-qo"},
                      TOracleCase{akZIP, "decompress/zip_deflate.zip", "unzip", "-qo"},
                      TOracleCase{akTAR, "archive/gnu.tar", "tar", "-xf"},
                      TOracleCase{akTAR, "archive/pax.tar", "tar", "-xf"},
                      TOracleCase{akTAR, "archive/ustar.tar", "tar", "-xf"},
                      TOracleCase{akARJ, "arj/methods.arj", "arj", "x -y"},
                      TOracleCase{akARJ, "arj/folders.arj", "arj", "x -y"},
                      TOracleCase{akARJ, "decompress/arj_methods.arj", "arj", "x -y"},
                      TOracleCase{akLHA, "lha/level0.lzh", "jlha", "xq", "a.txt"},
                      TOracleCase{akLHA, "lha/level1.lzh", "jlha", "xq", "a.txt"},
                      TOracleCase{akLHA, "lha/level2.lzh", "jlha", "xq", "a.txt"},
                      TOracleCase{akLHA, "lha/level2.lzh", "jlha", "xq", "readme.txt"},
                      TOracleCase{akLHA, "decompress/lha_lh5.lzh", "jlha", "xq"},
                      TOracleCase{akARC, "arc/auto.arc", "arc", "x"},
                      TOracleCase{akARC, "arc/squashed.arc", "arc", "x"},
                      // arc itself drops the last byte of the squeezed skewed.txt there; the
                      // decoder tests check that archive against its inputs.
                      TOracleCase{akARC, "decompress/arcauto.arc", "arc", "x", "*.bin"},
                      TOracleCase{akRAR, "rar/levels.rar", "rar", "x -idq -y"},
                      TOracleCase{akRAR, "rar/folders.rar", "rar", "x -idq -y"}));

} // namespace
