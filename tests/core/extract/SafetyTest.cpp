// Stored names never lead out of the destination, and damaged archives end with an error
// code through every extractor (run under the sanitizers by the --sanitize build).

#include "ExtractHelpers.h"
#include "TempDir.h"

#include "archive/ArchiveKinds.h"
#include "extract/OutputPath.h"
#include "extract/RarPattern.h"
#include "extract/UnRAR.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

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

TEST(ExtractSafety, LinksInsideTheDestinationAreNotFollowed)
{
    TExtractTestScope scope;
    QTemporaryDir root;
    const QString dest = root.path() + "/dest/";
    QDir().mkpath(dest);
    QDir().mkpath(root.path() + "/outside");
    ASSERT_TRUE(QFile::link(root.path() + "/outside", dest + "docs"));
    ExtractFiles(akZIP, ExtractFixture("levels.zip"), dest, false, true, false, nullptr, "*.*");
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/outside/README.TXT"));
    EXPECT_TRUE(QFileInfo::exists(dest + "DATA.BIN"));
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
