#include "RunCli.h"
#include "SampleCatalog.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class SearchCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCatalogTree tree;
        WriteFileBytes(dir.Path("sample.ctf"), EncodeToMemory(BuildSampleCatalog(tree)));
        file = dir.Path("sample.ctf");
    }
    TTempDir dir;
    std::string file;
};

} // namespace

TEST_F(SearchCli, PrintsOneHitPerLine)
{
    const TCliResult r = RunCli({"search", file, "--name", "*.txt", "--mode", "mask"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Sample\tDisk\t\\\tREADME.TXT\t120\t2025-01-11 12:03:48\n"
                     "Sample\tDisk\t\\A\\B\tdeep.txt\t7\t2025-01-11 12:00:14\n"
                     "Sample\tDisk\t\\A\\PACK.ZIP\tdocs\\manual.txt\t5000\t2025-01-11 12:00:00\n");
}

TEST_F(SearchCli, OptionsNarrowTheSearch)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> names;
    } cases[] = {
        {{"--name", "a", "--folders"}, {"A"}},
        {{"--name", "a", "--disks"}, {"Virtual", "Blank"}},
        {{"--name", "a", "--files", "--no-archives"}, {"README.TXT", "AUTOEXEC.BAT", "one.dat", "PACK.ZIP"}},
        {{"--name", "txt,bat", "--mode", "ext", "--size-max", "100"}, {"AUTOEXEC.BAT", "deep.txt"}},
        {{"--name", "README.TXT", "--mode", "exact", "--case"}, {"README.TXT"}},
        {{"--name", "readme", "--case"}, {}},
        {{"--desc", "INSTALL"}, {"setup.exe"}},
        {{"--size-min", "5000", "--files"}, {"PACK.ZIP", "docs\\manual.txt", "setup.exe"}},
        {{"--name", "e", "--files", "--limit", "2"}, {"README.TXT", "AUTOEXEC.BAT"}},
        {{"--date-from", "2025-01-11", "--date-to", "2025-01-11", "--name", "t", "--files"},
         {"README.TXT", "AUTOEXEC.BAT", "one.dat", "deep.txt", "docs\\manual.txt", "setup.exe"}},
        {{"--date-to", "2020-01-01", "--files"}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"search", file};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const TCliResult r = RunCli(args);
        ASSERT_EQ(r.ExitCode, 0) << c.args[0] << ": " << r.Err;
        std::vector<std::string> names;
        size_t pos = 0;
        while (pos < r.Out.size()) {
            const size_t end = r.Out.find('\n', pos);
            std::vector<std::string> fields;
            size_t f = pos;
            for (size_t tab; (tab = r.Out.find('\t', f)) < end; f = tab + 1) fields.push_back(r.Out.substr(f, tab - f));
            names.push_back(fields.at(3));
            pos = end + 1;
        }
        EXPECT_EQ(names, c.names) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
        if (c.names.empty()) {
            EXPECT_NE(r.Err.find("Sorry, no items were found to match your criteria."), std::string::npos);
        }
    }
}

TEST_F(SearchCli, RefusesInvalidCriteria)
{
    TCliResult r = RunCli({"search", file, "--name", ",/", "--mode", "mask"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("The DOS File Mask is not valid."), std::string::npos);
    EXPECT_EQ(RunCli({"search", file}).ExitCode, 2) << "no criteria";
    EXPECT_EQ(RunCli({"search", file, "--limit", "0", "--name", "a"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"search", file, "--date-from", "1.2.2020"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"search", dir.Path("missing.ctf"), "--name", "a"}).ExitCode, 1);
}
