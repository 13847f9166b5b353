// RAR through the UnRAR library: one member by its full stored name, a member list in one
// pass, the pattern rule, and the scanning text while members are passed over.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "catalog/Progress.h"
#include "extract/UnRAR.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

class RarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!RarExtractionAvailable()) GTEST_SKIP() << "built without the UnRAR library";
    }
};

TEST_F(RarTest, OneMemberByItsStoredNameAndTheScanningText)
{
    TExtractTestScope scope;
    TRecordingProgress progress;
    SetProgress(&progress);
    QTemporaryDir dest;
    std::vector<std::string> begun;
    ExtractHooks().MemberEnd = [&](const QString& fn, bool) { begun.push_back(fn.toStdString()); };
    const bool ok = ExtractFiles(akRAR, ExtractFixture("rar5.rar"), dest.path() + "/", true, false,
                                 false, nullptr, "docs\\README.TXT");
    SetProgress(nullptr);
    ASSERT_TRUE(ok) << LastExtractError;
    EXPECT_EQ(FilesBelow(dest.path()),
              (std::map<std::string, std::string>{
                  {"docs/README.TXT", ReadFileBytes(ExpectedFile("docs/README.TXT"))}}));
    EXPECT_EQ(begun.size(), 1u);
    EXPECT_NE(
        std::find(progress.Log.begin(), progress.Log.end(), "wait:Scanning for file to extract..."),
        progress.Log.end());
}

TEST_F(RarTest, MemberListInOnePass)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    const QStringList members{"data.bin", "FILE_ID.DIZ"};
    ASSERT_TRUE(ExtractFiles(akRAR, ExtractFixture("rar5.rar"), dest.path() + "/", false, false,
                             false, &members, "*.*"));
    auto files = FilesBelow(dest.path());
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(files["DATA.BIN"], ReadFileBytes(ExpectedFile("DATA.BIN")));
}

TEST_F(RarTest, CancelStopsTheLibrary)
{
    TExtractTestScope scope;
    TRecordingProgress progress;
    progress.CancelAfterAdvances = 1;
    SetProgress(&progress);
    scope.prompt.Answers = {pbYes};
    QTemporaryDir dest;
    const bool ok = ExtractFiles(akRAR, ExtractFixture("rar5.rar"), dest.path() + "/", true, false,
                                 false, nullptr, "*.*");
    SetProgress(nullptr);
    EXPECT_FALSE(ok);
    EXPECT_EQ(LastExtractError, ExtractCanceled);
    EXPECT_EQ(scope.prompt.Shown.back().Text,
              "Unknown error has occurred while uncompressing file(s).");
}

// A member the library cannot unpack (its data needs a password) is that member's failure:
// not reported as unpacked, no file left, the file of its name unchanged.
TEST_F(RarTest, PasswordProtectedMemberFailsAndLeavesNothing)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    WriteFileBytes(dest.filePath("README.TXT").toStdString(), "old");
    std::vector<std::pair<std::string, bool>> ended;
    ExtractHooks().MemberEnd = [&](const QString& fn, bool pass) {
        ended.emplace_back(QFileInfo(fn).fileName().toStdString(), pass);
    };
    EXPECT_FALSE(ExtractFiles(akRAR, ExtractFixture("locked.rar"), dest.path() + "/", false, false,
                              false, nullptr, "*.*"));
    EXPECT_EQ(LastExtractError, 25138);
    EXPECT_EQ(ended, (std::vector<std::pair<std::string, bool>>{{"FILE_ID.DIZ", true}}));
    ASSERT_EQ(scope.prompt.Shown.size(), 1u);
    EXPECT_EQ(scope.prompt.Shown[0].Text,
              "An error was encountered while trying to extract files from \rarchive. The "
              "archive file is not supported or damaged.");
    EXPECT_EQ(
        FilesBelow(dest.path()),
        (std::map<std::string, std::string>{
            {"FILE_ID.DIZ", ReadFileBytes(ExpectedFile("FILE_ID.DIZ"))}, {"README.TXT", "old"}}));
}

TEST_F(RarTest, DamagedAndForeignArchives)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    // A ZIP named .RAR: the type is not RAR.
    EXPECT_FALSE(ExtractFiles(akRAR, ExtractFixture("levels.zip"), dest.path() + "/", false, false,
                              false, nullptr, "*.*"));
    EXPECT_EQ(LastExtractError, 25138);

    std::string bytes = ReadFileBytes(ExtractFixture("rar5.rar").toStdString());
    const size_t at = bytes.size() / 2;
    for (size_t i = at; i < at + 64; ++i)
        bytes[i] = char(~bytes[i]);
    const std::string damaged = dest.filePath("damaged.rar").toStdString();
    WriteFileBytes(damaged, bytes);
    scope.prompt.Shown.clear();
    EXPECT_FALSE(ExtractFiles(akRAR, QString::fromStdString(damaged), dest.path() + "/out/", false,
                              false, false, nullptr, "*.*"));
    EXPECT_NE(LastExtractError, 0);
    EXPECT_FALSE(scope.prompt.Shown.empty());
}

} // namespace

namespace
{

TEST(RarUnavailable, SaysSoWhereRarWouldBeUsed)
{
    if (RarExtractionAvailable()) GTEST_SKIP() << "built with the UnRAR library";
    TExtractTestScope scope;
    QTemporaryDir dest;
    EXPECT_FALSE(ExtractFiles(akRAR, ExtractFixture("rar5.rar"), dest.path() + "/", false, false,
                              false, nullptr, "*.*"));
    ASSERT_EQ(scope.prompt.Shown.size(), 1u);
    EXPECT_EQ(scope.prompt.Shown[0].Text, "RAR extraction is not available");
    EXPECT_TRUE(FilesBelow(dest.path()).empty());
}

} // namespace
