// The extraction driver: member selection, messages by error code, progress and cancel, the
// temporary file list and its removal at exit.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "catalog/Progress.h"
#include "extract/ExtractMessages.h"
#include "extract/TempExtractedFiles.h"
#include "extract/UnZIP.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

const QString DamagedMessage =
    "An error was encountered while trying to extract files from \rarchive. "
    "The archive file is not supported or damaged.";
const QString UnknownMessage = "Unknown error has occurred while uncompressing file(s).";

QString Dest(const QTemporaryDir& d)
{
    return d.path() + "/";
}

TEST(ExtractDriver, FileSpecSelectsByFileNameInEveryFolder)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), false, true, false,
                             nullptr, "docs\\README.TXT"));
    auto files = FilesBelow(dest.path());
    EXPECT_EQ(files.size(), 2u); // README.TXT and docs/README.TXT: only file names are compared
    EXPECT_EQ(files["docs/README.TXT"], ReadFileBytes(ExpectedFile("docs/README.TXT")));

    QTemporaryDir bins;
    ASSERT_TRUE(ExtractFiles(akTAR, ExtractFixture("plain.tar"), Dest(bins), false, false, false,
                             nullptr, "*.BIN"));
    EXPECT_EQ(FilesBelow(bins.path()).size(), 1u);
}

TEST(ExtractDriver, TarFolderEntriesMakeTheirFoldersWithStoredFolders)
{
    TExtractTestScope scope;
    const QString archive = QString(QUORVEX_FIXTURES "/archive/gnu.tar");
    QTemporaryDir with, without;
    ASSERT_TRUE(ExtractFiles(akTAR, archive, Dest(with), false, true, false, nullptr, "*.*"));
    EXPECT_TRUE(QFileInfo(with.filePath("empty")).isDir());
    ASSERT_TRUE(ExtractFiles(akTAR, archive, Dest(without), false, false, false, nullptr, "*.*"));
    EXPECT_FALSE(QFileInfo::exists(without.filePath("empty")));
    EXPECT_FALSE(QFileInfo::exists(without.filePath("docs")));
}

TEST(ExtractDriver, KindsWithoutExtractorDoNothing)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    EXPECT_TRUE(ExtractFiles(akCAB, ExtractFixture("levels.zip"), Dest(dest), false, false, false,
                             nullptr, "*.*"));
    EXPECT_TRUE(FilesBelow(dest.path()).empty());
}

// Fatal errors of the frame end in the message of their code; silent runs show nothing.
TEST(ExtractDriver, FailuresEndInTheMessageOfTheirCode)
{
    struct TCase {
        int Kind;
        QString Archive;
        int Code;
        QString Message;
    } cases[] = {
        {akZIP, ExtractFixture("methods.arj"), 25138, DamagedMessage}, // ARJ content named .ZIP
        {akZIP, ExtractFixture("missing.zip"), 25139,
         "Sorry, selected file does not exist any more on the media.\rPlease update data for this "
         "media."},
        {akGZ, ExtractFixture("plain.tar"), 25138, DamagedMessage},
    };
    for (const TCase& c : cases) {
        TExtractTestScope scope;
        QTemporaryDir dest;
        EXPECT_FALSE(
            ExtractFiles(c.Kind, c.Archive, Dest(dest), false, false, false, nullptr, "*.*"));
        EXPECT_EQ(LastExtractError, c.Code);
        ASSERT_EQ(scope.prompt.Shown.size(), 1u);
        EXPECT_EQ(scope.prompt.Shown[0].Caption, "Extract Error");
        EXPECT_EQ(scope.prompt.Shown[0].Text, c.Message);
        EXPECT_EQ(scope.prompt.Shown[0].Icon, TPromptIcon::Error);

        SilentExtract = true;
        scope.prompt.Shown.clear();
        EXPECT_FALSE(
            ExtractFiles(c.Kind, c.Archive, Dest(dest), false, false, false, nullptr, "*.*"));
        EXPECT_TRUE(scope.prompt.Shown.empty());
    }
    EXPECT_EQ(ExtractErrorMessage(25125), "Disk is full, not enough space to extract files.");
    EXPECT_EQ(ExtractErrorMessage(25302),
              "This archive file was made by unsupported version of compression program.");
    EXPECT_EQ(ExtractErrorMessage(-3), UnknownMessage);
    EXPECT_EQ(ExtractErrorMessage(26999), UnknownMessage);
}

TEST(ExtractDriver, NothingMatchedInZipIsAnError)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    EXPECT_FALSE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), false, false, false,
                              nullptr, "*.EXE"));
    EXPECT_EQ(LastExtractError, ExtractFailed); // 26999 is not an extraction code
    EXPECT_EQ(scope.prompt.Shown.at(0).Text, UnknownMessage);
}

// A stored member with one byte changed: warned per member, failed at the end, file kept.
TEST(ExtractDriver, CrcMismatchWarnsAndFailsButKeepsTheFile)
{
    TExtractTestScope scope;
    QTemporaryDir work;
    std::string bytes = ReadFileBytes(ExtractFixture("levels.zip").toStdString());
    const size_t at = bytes.find("Test archive");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'B';
    const std::string archive = work.filePath("bad.zip").toStdString();
    WriteFileBytes(archive, bytes);
    EXPECT_FALSE(ExtractFiles(akZIP, QString::fromStdString(archive), work.path() + "/out/", false,
                              false, false, nullptr, "FILE_ID.DIZ"));
    EXPECT_EQ(LastExtractError, 25117);
    ASSERT_EQ(scope.prompt.Shown.size(), 2u);
    EXPECT_EQ(scope.prompt.Shown[0].Caption, "Warning");
    EXPECT_EQ(scope.prompt.Shown[0].Text,
              "CRC check failed on extracting " + work.path() + "/out/FILE_ID.DIZ");
    EXPECT_EQ(scope.prompt.Shown[1].Text, "CRC check has failed. Archive file may be damaged.");
    EXPECT_TRUE(QFileInfo::exists(work.path() + "/out/FILE_ID.DIZ"));
}

TEST(ExtractDriver, ProgressWindowAndCancel)
{
    for (int answer : {pbNo, pbYes}) {
        TExtractTestScope scope;
        TRecordingProgress progress;
        progress.CancelAfterAdvances = 1;
        SetProgress(&progress);
        scope.prompt.Answers = {answer};
        QTemporaryDir dest;
        const bool ok = ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), true, true,
                                     false, nullptr, "*.*");
        SetProgress(nullptr);
        EXPECT_EQ(progress.Log.front(), "wait:Extracting files");
        EXPECT_EQ(progress.Log.at(1), "status:Extracting file(s), please wait");
        EXPECT_EQ(progress.Log.at(2), "wait:Extracting FILE_ID.DIZ");
        EXPECT_FALSE(progress.WaitExists());
        EXPECT_EQ(progress.StatusText(), "");
        ASSERT_GE(scope.prompt.Shown.size(), 1u);
        EXPECT_EQ(scope.prompt.Shown[0].Caption, "Cancel extract");
        if (answer == pbNo) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(FilesBelow(dest.path()).size(), 4u);
            EXPECT_NE(
                std::find(progress.Log.begin(), progress.Log.end(), "wait:Extracting README.TXT"),
                progress.Log.end());
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(LastExtractError, ExtractCanceled);
            EXPECT_EQ(scope.prompt.Shown.back().Text, UnknownMessage);
            EXPECT_LT(FilesBelow(dest.path()).size(), 4u);
        }
    }
}

TEST(ExtractDriver, TemporaryFilesAreListedAndRemovedAtExitAsTheSettingSays)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), false, false, true,
                             nullptr, "*.BIN"));
    ASSERT_EQ(TempExtractedFiles.size(), 1);
    const QString unpacked = TempExtractedFiles[0];
    EXPECT_EQ(unpacked, dest.path() + "/DATA.BIN");
    EXPECT_EQ(QFile::permissions(unpacked) & (QFileDevice::WriteOwner | QFileDevice::ExeOwner),
              QFileDevice::WriteOwner);

    RemoveTempExtractedFiles(TTempRemoval::AlwaysLeaveTemp);
    EXPECT_TRUE(QFileInfo::exists(unpacked));
    scope.prompt.Answers = {pbNo};
    RemoveTempExtractedFiles(TTempRemoval::AskRemoveTemp);
    EXPECT_TRUE(QFileInfo::exists(unpacked));
    EXPECT_EQ(scope.prompt.Shown.at(0).Caption, "Quorvex");
    RemoveTempExtractedFiles(TTempRemoval::AskRemoveTemp); // default answer: Yes
    EXPECT_FALSE(QFileInfo::exists(unpacked));
    EXPECT_TRUE(TempExtractedFiles.isEmpty());

    // Unpacked again, not temporarily: the name leaves the list.
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), false, false, true,
                             nullptr, "*.BIN"));
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), Dest(dest), false, false, false,
                             nullptr, "*.BIN"));
    EXPECT_TRUE(TempExtractedFiles.isEmpty());
    scope.prompt.Shown.clear();
    RemoveTempExtractedFiles(TTempRemoval::AlwaysRemoveTemp);
    EXPECT_TRUE(QFileInfo::exists(unpacked));
    EXPECT_TRUE(scope.prompt.Shown.empty());
}

TEST(ExtractDriver, ExistingFilesAreOverwrittenUnlessRefused)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    WriteFileBytes(dest.filePath("DATA.BIN").toStdString(), "old");
    ASSERT_TRUE(ExtractFiles(akGZ, ExtractFixture("DATA.BIN.gz"), Dest(dest), false, false, false,
                             nullptr, "*.*"));
    EXPECT_EQ(ReadFileBytes(dest.filePath("DATA.BIN").toStdString()),
              ReadFileBytes(ExpectedFile("DATA.BIN")));

    WriteFileBytes(dest.filePath("README.TXT").toStdString(), "old");
    ExtractHooks().FileExists = [](const QString&, bool& accept) { accept = false; };
    ExtractFiles(akTAR, ExtractFixture("plain.tar"), Dest(dest), false, false, false, nullptr,
                 "*.*");
    EXPECT_EQ(ReadFileBytes(dest.filePath("README.TXT").toStdString()), "old");
    EXPECT_EQ(ReadFileBytes(dest.filePath("FILE_ID.DIZ").toStdString()),
              ReadFileBytes(ExpectedFile("FILE_ID.DIZ")));
}

TEST(ExtractDriver, EncryptedZipMembers)
{
    TExtractTestScope scope;
    const QString archive =
        QString::fromStdString(std::string(QUORVEX_FIXTURES "/decompress/zip_crypt.zip"));
    QTemporaryDir dest;
    EXPECT_FALSE(ExtractFiles(akZIP, archive, Dest(dest), false, false, false, nullptr, "*.*"));
    EXPECT_EQ(LastExtractError, 25172);
    EXPECT_EQ(scope.prompt.Shown.at(0).Text, UnknownMessage);
    EXPECT_TRUE(FilesBelow(dest.path()).empty()); // nothing left of the member without its password

    TUnZIP unzip;
    unzip.SetArchiveFile(archive);
    unzip.ExtractDir = Dest(dest);
    unzip.SetFileSpec("small.txt");
    int asked = 0;
    unzip.OnGetPassword = [&](TUnBase&, const QString&, QString& password, bool&) {
        password = ++asked == 1 ? "wrong" : "secret";
    };
    std::vector<int> errors;
    unzip.OnError = [&](TZipCommon&, const QString&, const QString&, int code) {
        errors.push_back(code);
    };
    unzip.Extract();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(errors, std::vector<int>{26517});
    EXPECT_EQ(unzip.Passwords, QStringList{"secret"});
    EXPECT_EQ(ReadFileBytes(dest.filePath("small.txt").toStdString()),
              ReadFileBytes(QUORVEX_FIXTURES "/decompress/small.txt"));
}

} // namespace

namespace
{

TEST(ExtractDriver, ReadOnlyMembersAreLeftWritable)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    ExtractFiles(akZIP, ExtractFixture("attributes.zip"), Dest(dest), false, false, false, nullptr,
                 "READONLY.TXT");
    EXPECT_EQ(LastExtractError, 0);
    EXPECT_TRUE(QFile::permissions(dest.filePath("READONLY.TXT")) & QFileDevice::WriteOwner);

    // The component alone keeps the archive's attribute; the driver's end handler resets it.
    QTemporaryDir alone;
    TUnZIP unzip;
    unzip.SetArchiveFile(ExtractFixture("attributes.zip"));
    unzip.ExtractDir = Dest(alone);
    unzip.SetFileSpec("READONLY.TXT");
    unzip.Extract();
    EXPECT_FALSE(QFile::permissions(alone.filePath("READONLY.TXT")) & QFileDevice::WriteOwner);
    QFile::setPermissions(alone.filePath("READONLY.TXT"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// ZIP and gzip show a decoder's error at once and go on; the member fails with that error,
// leaves no file, and a file of its name stays as it was.
TEST(ExtractDriver, UnsupportedMethodsInZipAndGzip)
{
    const QString methodMessage =
        "Archive file is using unknown or unsupported compression method.";
    TExtractTestScope scope;
    QTemporaryDir dest;
    EXPECT_FALSE(ExtractFiles(akZIP, ExtractFixture("attributes.zip"), Dest(dest), false, false,
                              false, nullptr, "BZIP2.TXT"));
    EXPECT_EQ(LastExtractError, 25200);
    ASSERT_EQ(scope.prompt.Shown.size(), 2u);
    EXPECT_EQ(scope.prompt.Shown[0].Text, "Unsupported compression method");
    EXPECT_EQ(scope.prompt.Shown[0].Icon, TPromptIcon::Information);
    EXPECT_EQ(scope.prompt.Shown[1].Text, methodMessage);
    EXPECT_TRUE(FilesBelow(dest.path()).empty());

    WriteFileBytes(dest.filePath("BZIP2.TXT").toStdString(), "old");
    EXPECT_FALSE(ExtractFiles(akZIP, ExtractFixture("attributes.zip"), Dest(dest), false, false,
                              false, nullptr, "*.*"));
    EXPECT_EQ(ReadFileBytes(dest.filePath("BZIP2.TXT").toStdString()), "old");
    EXPECT_TRUE(QFileInfo::exists(dest.filePath("READONLY.TXT")));
    EXPECT_EQ(FilesBelow(dest.path()).size(), 2u);

    // The older single-file compressors' data named .GZ: a method we do not unpack.
    scope.prompt.Shown.clear();
    QTemporaryDir work;
    const std::string compressed = work.filePath("NOTES.TXT.GZ").toStdString();
    WriteFileBytes(compressed, ReadFileBytes(QUORVEX_FIXTURES "/archive/notes.txt.Z"));
    EXPECT_FALSE(ExtractFiles(akGZ, QString::fromStdString(compressed), Dest(work), false, false,
                              false, nullptr, "*.*"));
    ASSERT_EQ(scope.prompt.Shown.size(), 2u);
    EXPECT_EQ(scope.prompt.Shown[0].Text, "Unsupported compression method");
    EXPECT_EQ(scope.prompt.Shown[1].Text, methodMessage);
    EXPECT_FALSE(QFileInfo::exists(work.filePath("NOTES.TXT")));
}

TEST(ExtractDriver, UnsupportedMethodsInLhaAndArc)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    EXPECT_FALSE(ExtractFiles(akLHA, ExtractFixture("lh6.lzh"), Dest(dest), false, false, false,
                              nullptr, "*.*"));
    EXPECT_EQ(LastExtractError, 25200);
    EXPECT_EQ(scope.prompt.Shown.at(0).Text,
              "Archive file is using unknown or unsupported compression method.");

    // The second ARC member's method turned into 10: it is passed over, the others unpacked.
    std::string arc = ReadFileBytes(ExtractFixture("auto.arc").toStdString());
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(arc[at])) | uint32_t(uint8_t(arc[at + 1])) << 8 |
               uint32_t(uint8_t(arc[at + 2])) << 16 | uint32_t(uint8_t(arc[at + 3])) << 24;
    };
    const size_t second = 29 + u32(15);
    ASSERT_EQ(arc[second], '\x1A');
    arc[second + 1] = 10;
    const std::string changed = dest.filePath("CHANGED.ARC").toStdString();
    WriteFileBytes(changed, arc);
    QTemporaryDir out;
    EXPECT_FALSE(ExtractFiles(akARC, QString::fromStdString(changed), Dest(out), false, false,
                              false, nullptr, "*.*"));
    EXPECT_EQ(LastExtractError, 25200);
    auto files = FilesBelow(out.path());
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(files["DATA.BIN"], ReadFileBytes(ExpectedFile("DATA.BIN")));
}

} // namespace
