// A scan takes description files out of archives into the temporary folder, silently.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "extract/UnRAR.h"
#include "scan/DescriptionFiles.h"

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
    for (const TCase& c : cases) {
        if (c.Kind == akRAR && !RarExtractionAvailable()) continue;
        const std::string copy =
            TakeOutOfArchive(c.Kind, ExtractFixture(c.Archive).toStdString(), "FILE_ID.DIZ");
        EXPECT_EQ(copy, temp.filePath("FILE_ID.DIZ").toStdString()) << c.Archive;
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
              temp.filePath("README.TXT").toStdString());
    EXPECT_TRUE(scope.prompt.Shown.empty());
    EXPECT_FALSE(SilentExtract);
    SwapExtractFolderSetting(oldDir);
}

} // namespace
