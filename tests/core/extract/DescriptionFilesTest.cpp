// A scan takes description files out of archives into the program's private folder inside the
// temporary folder, silently.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "extract/UnRAR.h"
#include "scan/DescriptionFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace quorvex::testing
{
QString SwapExtractFolderSetting(const QString& folder);
}

namespace
{

TEST(TakeOutOfArchive, EveryExtractableFormatGivesItsFileIdDiz)
{
    struct TCase {
        int Kind;
        const char* Archive;
    } cases[] = {{akZIP, "levels.zip"},  {akTAR, "plain.tar"}, {akRAR, "rar5.rar"},
                 {akARJ, "methods.arj"}, {akLHA, "lh5.lzh"},   {akARC, "auto.arc"},
                 {akZOO, "hand.zoo"}};
    TExtractTestScope scope;
    QTemporaryDir temp;
    const QString oldDir = SwapExtractFolderSetting(temp.path() + "/");
    const QString own = TemporaryExtractFolder();
    ASSERT_TRUE(own.startsWith(temp.path() + "/quorvex-")) << own.toStdString();
    for (const TCase& c : cases) {
        if (c.Kind == akRAR && !RarExtractionAvailable()) continue;
        const std::string copy =
            TakeOutOfArchive(c.Kind, ExtractFixture(c.Archive).toStdString(), "FILE_ID.DIZ");
        EXPECT_EQ(copy, (own + "FILE_ID.DIZ").toStdString()) << c.Archive;
        EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(ExpectedFile("FILE_ID.DIZ"))) << c.Archive;
        EXPECT_TRUE(TempExtractedFiles.isEmpty());
        QFile::remove(QString::fromStdString(copy));
    }
    // Not in the archive, or a damaged archive: nothing, and no message.
    EXPECT_EQ(TakeOutOfArchive(akZIP, ExtractFixture("levels.zip").toStdString(), "DESCRIPT.ION"),
              "");
    EXPECT_EQ(TakeOutOfArchive(akZIP, ExtractFixture("plain.tar").toStdString(), "FILE_ID.DIZ"),
              "");
    EXPECT_EQ(TakeOutOfArchive(akGZ, ExtractFixture("named.gz").toStdString(), "README.TXT"),
              (own + "README.TXT").toStdString());
    EXPECT_TRUE(scope.prompt.Shown.empty());
    EXPECT_FALSE(SilentExtract);
    SwapExtractFolderSetting(oldDir);
}

TEST(TakeOutOfArchive, AFileOfThatNameInTheSharedFolderIsNeitherTakenNorTouched)
{
    TExtractTestScope scope;
    QTemporaryDir shared;
    const QString oldDir = SwapExtractFolderSetting(shared.path());
    // What another program (or another user) left under the name a scan would use.
    WriteFileBytes(shared.filePath("FILE_ID.DIZ").toStdString(), "someone else's");
    const std::string copy =
        TakeOutOfArchive(akZIP, ExtractFixture("levels.zip").toStdString(), "FILE_ID.DIZ");
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(ExpectedFile("FILE_ID.DIZ")));
    EXPECT_EQ(ReadFileBytes(shared.filePath("FILE_ID.DIZ").toStdString()), "someone else's");
    EXPECT_EQ(QFileInfo(QString::fromStdString(copy)).dir().dirName().left(8), "quorvex-");
    SwapExtractFolderSetting(oldDir);
}

} // namespace
