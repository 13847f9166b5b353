// Stored names never lead out of the destination, and damaged archives end with an error
// code through every extractor (run under the sanitizers by the --sanitize build).

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveKinds.h"
#include "extract/OutputPath.h"
#include "extract/RarPattern.h"
#include "extract/UnRAR.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

#include <unistd.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

// A symbolic link holding target as it is written.
bool MakeLink(const char* target, const QString& link)
{
    return ::symlink(target, QFile::encodeName(link).constData()) == 0;
}

TEST(ExtractSafety, OutputNames)
{
    struct TCase {
        const char* Stored;
        bool StoredDirs;
        const char* Expected; // below /dest/, "" = no output
    } cases[] = {
        {"DOCS\\README.TXT", false, "README.TXT"},
        {"DOCS\\README.TXT", true, "DOCS/README.TXT"},
        {"docs/sub/a.txt", true, "docs/sub/a.txt"},
        {"D:\\TEMP\\A.TXT", true, "TEMP/A.TXT"},
        {"\\ROOT\\A.TXT", true, "ROOT/A.TXT"},
        {"../../etc/passwd", true, "etc/passwd"},
        {"/etc/passwd", true, "etc/passwd"},
        {"a/../../b.txt", true, "a/b.txt"},
        {"..\\..\\b.txt", false, "b.txt"},
        {"docs\\", true, ""},
        {"docs/..", true, ""},
        {"", false, ""},
    };
    for (const TCase& c : cases) {
        const QString out = ExtractOutputPath(c.Stored, "/dest/", "/archives/a.zip", c.StoredDirs);
        EXPECT_EQ(out, *c.Expected ? QString("/dest/") + c.Expected : QString()) << c.Stored;
    }
    EXPECT_EQ(ExtractOutputPath("A.TXT", "", "/archives/a.zip", false), "/archives/A.TXT");
    // A stored name that repeats the destination keeps only what follows it.
    EXPECT_EQ(ExtractOutputPath("\\dest\\sub\\A.TXT", "/dest/", "/a.zip", true), "/dest/sub/A.TXT");
}

TEST(ExtractSafety, EscapingNamesLandInsideTheDestination)
{
    QFile::remove("/tmp/escape2.txt");
    for (const char* archive : {"escape.zip", "escape.tar"}) {
        for (bool storedDirs : {false, true}) {
            TExtractTestScope scope;
            QTemporaryDir root;
            const QString dest = root.path() + "/a/b/dest/";
            const int kind = QString(archive).endsWith(".zip") ? akZIP : akTAR;
            ExtractFiles(kind, ExtractFixture(archive), dest, false, storedDirs, false, nullptr,
                         "*.*");
            auto all = FilesBelow(root.path());
            for (const auto& [path, bytes] : all)
                EXPECT_EQ(path.rfind("a/b/dest/", 0), 0u) << archive << " " << path;
            EXPECT_FALSE(QFileInfo::exists("/tmp/escape2.txt"));
            EXPECT_EQ(all.size(), 6u) << archive;
            const QString inner = dest + (storedDirs ? "safe/inner.txt" : "inner.txt");
            EXPECT_TRUE(QFileInfo::exists(inner)) << archive;
            EXPECT_TRUE(QFileInfo::exists(dest + (storedDirs ? "a/escape3.txt" : "escape3.txt")));
        }
    }
}

// A link to a folder, outside the destination or inside it, is never walked through: the
// member is passed over with a message that names the link, the others are unpacked.
TEST(ExtractSafety, LinksInsideTheDestinationAreNotFollowed)
{
    for (const char* target : {"../outside", "kept", "../missing"}) {
        TExtractTestScope scope;
        QTemporaryDir root;
        const QString dest = root.path() + "/dest/";
        QDir().mkpath(dest + "kept");
        QDir().mkpath(root.path() + "/outside");
        ASSERT_TRUE(MakeLink(target, dest + "docs"));
        EXPECT_FALSE(ExtractFiles(akZIP, ExtractFixture("levels.zip"), dest, false, true, false,
                                  nullptr, "*.*"));
        EXPECT_FALSE(QFileInfo::exists(root.path() + "/outside/README.TXT"));
        EXPECT_FALSE(QFileInfo::exists(dest + "kept/README.TXT"));
        EXPECT_FALSE(QFileInfo::exists(root.path() + "/missing"));
        EXPECT_TRUE(QFileInfo::exists(dest + "DATA.BIN"));
        EXPECT_EQ(LastExtractError, E_LINKINPATH);
        ASSERT_EQ(scope.prompt.Shown.size(), 1u);
        EXPECT_EQ(scope.prompt.Shown[0].Text,
                  "Files are never extracted through a symbolic link:\r" + dest + "docs" +
                      " is a symbolic link to " + target + ".");
    }
}

// A link standing where a member's file goes is replaced by the file, never followed, in
// every format: dangling (the write would create its target) or live (it would change a
// file elsewhere). Refusing existing files keeps the link, dangling or not.
TEST(ExtractSafety, LinksAtTheOutputNameAreReplacedNotFollowed)
{
    std::vector<std::pair<int, const char*>> archives = {
        {akZIP, "levels.zip"}, {akTAR, "plain.tar"}, {akARJ, "methods.arj"}};
    if (RarExtractionAvailable()) archives.push_back({akRAR, "rar5.rar"});
    const std::string expected = ReadFileBytes(ExpectedFile("FILE_ID.DIZ"));
    for (const auto& [kind, archive] : archives) {
        for (bool dangling : {true, false}) {
            TExtractTestScope scope;
            QTemporaryDir root;
            const QString dest = root.path() + "/dest/";
            QDir().mkpath(dest);
            QDir().mkpath(root.path() + "/outside");
            if (!dangling) WriteFileBytes((root.path() + "/outside/x").toStdString(), "kept");
            ASSERT_TRUE(MakeLink("../outside/x", dest + "FILE_ID.DIZ"));

            std::vector<QString> asked;
            ExtractHooks().FileExists = [&](const QString& fn, bool& accept) {
                asked.push_back(fn);
                accept = false;
            };
            ExtractFiles(kind, ExtractFixture(archive), dest, false, false, false, nullptr,
                         "FILE_ID.DIZ");
            ExtractHooks().FileExists = nullptr;
            if (kind != akRAR) { // the RAR extractor does not ask
                EXPECT_EQ(asked, std::vector<QString>{dest + "FILE_ID.DIZ"});
                EXPECT_TRUE(QFileInfo(dest + "FILE_ID.DIZ").isSymLink());
            }

            EXPECT_TRUE(ExtractFiles(kind, ExtractFixture(archive), dest, false, false, false,
                                     nullptr, "FILE_ID.DIZ"))
                << archive << " " << LastExtractError;
            EXPECT_FALSE(QFileInfo(dest + "FILE_ID.DIZ").isSymLink()) << archive;
            EXPECT_EQ(ReadFileBytes((dest + "FILE_ID.DIZ").toStdString()), expected) << archive;
            if (dangling) {
                EXPECT_FALSE(QFileInfo::exists(root.path() + "/outside/x")) << archive;
            } else {
                EXPECT_EQ(ReadFileBytes((root.path() + "/outside/x").toStdString()), "kept");
            }
            EXPECT_EQ(FilesBelow(dest).size(), 1u) << archive; // no temporary left
        }
    }
}

TEST(ExtractSafety, RarPatternRule)
{
    struct TCase {
        const char* Name;
        const char* Pattern;
        bool Match;
    } cases[] = {
        {"DOCS\\README.TXT", "DOCS\\README.TXT", true},
        {"docs\\readme.txt", "DOCS\\README.TXT", true},
        {"README.TXT", "DOCS\\README.TXT", false},
        {"DOCS\\README.TXT", "README.TXT", false},
        {"README", "*.*", true},
        {"README.TXT", "*.TXT", true},
        {"README.TXT", "*.BIN", false},
        {"A.TXT", "?.TXT", true},
        {"AB.TXT", "?.TXT", false},
        {"DOCS\\A.TXT", "*", true},
        {"DOCS\\A.TXT", "DOCS\\*", true},
        {"A.TXT", "A.TXT2", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(RarPatternMatch(c.Name, c.Pattern), c.Match) << c.Name << " " << c.Pattern;
}

struct TDamageSubject {
    int Kind;
    const char* Archive;
};

// Every fixture cut short at several lengths and with bytes changed at many places: each
// run ends, with or without an error, and nothing is written outside the destination.
TEST(ExtractSafety, DamagedArchivesEndWithAnErrorCode)
{
    std::vector<TDamageSubject> subjects = {
        {akZIP, "levels.zip"},     {akTAR, "plain.tar"},   {akGZ, "DATA.BIN.gz"},
        {akGZ, "named.gz"},        {akARJ, "methods.arj"}, {akLHA, "lh5.lzh"},
        {akLHA, "lh0.lzh"},        {akARC, "auto.arc"},    {akZOO, "hand.zoo"},
        {akZIP, "attributes.zip"}, {akZIP, "escape.zip"},  {akTAR, "escape.tar"}};
    if (RarExtractionAvailable()) subjects.push_back({akRAR, "rar5.rar"});
    std::mt19937 random(7);
    TExtractTestScope scope;
    SilentExtract = true;
    QTemporaryDir work;
    const std::string archive = work.filePath("damaged").toStdString();
    for (const TDamageSubject& s : subjects) {
        const std::string original = ReadFileBytes(ExtractFixture(s.Archive).toStdString());
        ASSERT_FALSE(original.empty()) << s.Archive;
        std::vector<std::string> variants;
        for (size_t cut : {size_t(1), size_t(7), size_t(30), original.size() / 3,
                           original.size() / 2, original.size() - 9, original.size() - 1})
            variants.push_back(original.substr(0, std::min(cut, original.size())));
        // Anywhere, and where the headers are: the front, and the end (ZIP's directory).
        const size_t edge = std::min<size_t>(original.size(), 128);
        for (int i = 0; i < 90; ++i) {
            std::string v = original;
            const int changes = 1 + int(random() % 4);
            for (int k = 0; k < changes; ++k) {
                const size_t r = random();
                const size_t at = i % 3 == 0   ? r % v.size()
                                  : i % 3 == 1 ? r % edge
                                               : v.size() - 1 - r % edge;
                v[at] = char(random());
            }
            variants.push_back(std::move(v));
        }
        for (const std::string& v : variants) {
            WriteFileBytes(archive, v);
            QTemporaryDir dest;
            const bool ok = ExtractFiles(s.Kind, QString::fromStdString(archive),
                                         dest.path() + "/out/", false, true, false, nullptr, "*.*");
            EXPECT_TRUE(ok || LastExtractError != 0) << s.Archive;
            EXPECT_TRUE(LastExtractError == 0 || LastExtractError == -2 ||
                        (LastExtractError > 25099 && LastExtractError < 25900))
                << s.Archive << " " << LastExtractError;
            for (const auto& [path, bytes] : FilesBelow(dest.path()))
                EXPECT_EQ(path.rfind("out/", 0), 0u) << path;
        }
    }
    EXPECT_TRUE(scope.prompt.Shown.empty());
}

} // namespace
