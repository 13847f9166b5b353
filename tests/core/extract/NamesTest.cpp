// Member names on their way out: bytes that are not UTF-8 are written as stored, ZIP names
// without the UTF-8 flag are code page 437, and two members landing on one name both stay.

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "extract/MemberListing.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

QString NamesFixture(const char* name)
{
    return QStringLiteral(QUORVEX_FIXTURES "/names/") + QLatin1String(name);
}

std::vector<std::string> ListedNames(const QString& archive)
{
    std::vector<std::string> names;
    for (const TListedMember& m : ListArchiveMembers(archive).Members)
        names.push_back(m.Member.MemberName);
    return names;
}

TEST(MemberNames, TarNamesInLatin1AreWrittenUnderTheirOwnBytes)
{
    TExtractTestScope scope;
    QTemporaryDir dest;
    std::vector<std::string> written;
    ExtractHooks().MemberEnd = [&](const QString& name, bool) {
        written.push_back(NativeFromName(name).toStdString());
    };
    ASSERT_TRUE(ExtractFiles(akTAR, NamesFixture("latin1.tar"), dest.path() + "/", false, true,
                             false, nullptr, "*.*"));
    const std::string d = dest.path().toStdString() + "/";
    EXPECT_EQ(written, (std::vector<std::string>{d + "caf\xe9.txt", d + "caf\xe8.txt",
                                                 d + "r\xe9sum\xe9/notes.txt"}));
    EXPECT_EQ(ReadFileBytes(d + "caf\xe9.txt"), "e acute\n");
    EXPECT_EQ(ReadFileBytes(d + "caf\xe8.txt"), "e grave\n");
    EXPECT_EQ(ReadFileBytes(d + "r\xe9sum\xe9/notes.txt"), "inside\n");
    EXPECT_EQ(FilesBelow(dest.path()).size(), 3u);
}

TEST(MemberNames, ZipNamesWithoutTheUtf8FlagAreCodePage437)
{
    // As Python's zipfile lists cp437.zip; utf8.zip as unzip lists it (a Unix archiver's
    // UTF-8 names without the flag).
    EXPECT_EQ(ListedNames(NamesFixture("cp437.zip")),
              (std::vector<std::string>{"caf\xc3\xa9.txt", "DOCS\\\xc3\x84rger.txt",
                                        "price\xe2\x82\xac.txt"}));
    EXPECT_EQ(ListedNames(NamesFixture("utf8.zip")),
              (std::vector<std::string>{"r\xc3\xa9sum\xc3\xa9.txt"}));

    TExtractTestScope scope;
    QTemporaryDir dest;
    ASSERT_TRUE(ExtractFiles(akZIP, NamesFixture("cp437.zip"), dest.path() + "/", false, true,
                             false, nullptr, "*.*"));
    const std::string d = dest.path().toStdString() + "/";
    EXPECT_EQ(ReadFileBytes(d + "caf\xc3\xa9.txt"), "cp437\n");
    EXPECT_EQ(ReadFileBytes(d + "DOCS/\xc3\x84rger.txt"), "folder\n");
    EXPECT_EQ(ReadFileBytes(d + "price\xe2\x82\xac.txt"), "needs the flag\n");
}

TEST(MemberNames, TwoMembersOnOneNameBothStay)
{
    // levels.zip holds README.TXT and docs/README.TXT; without stored folders both land on
    // README.TXT.
    TExtractTestScope scope;
    QTemporaryDir dest;
    std::vector<QString> written;
    ExtractHooks().MemberEnd = [&](const QString& name, bool) { written.push_back(name); };
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), dest.path() + "/", false, false,
                             false, nullptr, "README.TXT"));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0], dest.filePath("README.TXT"));
    EXPECT_EQ(written[1], dest.filePath("README (2).TXT"));
    auto files = FilesBelow(dest.path());
    EXPECT_EQ(files["README.TXT"], ReadFileBytes(ExpectedFile("README.TXT")));
    EXPECT_EQ(files["README (2).TXT"], ReadFileBytes(ExpectedFile("docs/README.TXT")));

    // A file that was there before is the user's to replace (the overwrite choice), and the
    // call's own second member still goes beside.
    written.clear();
    ASSERT_TRUE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), dest.path() + "/", false, false,
                             false, nullptr, "README.TXT"));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1], dest.filePath("README (3).TXT"));
}

} // namespace
