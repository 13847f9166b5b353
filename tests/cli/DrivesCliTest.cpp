#include "RunCli.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorvex::testing;

TEST(DrivesCli, ListsTheRootFileSystemWithEightColumns)
{
    const TCliResult r = RunCli({"drives"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    std::istringstream lines(r.Out);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "id\troot\ttype\tlabel\tserial\tfile system\tcapacity\tfree");
    bool root = false;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string f; std::getline(in, f, '\t');)
            fields.push_back(f);
        if (line.back() == '\t') fields.emplace_back();
        ASSERT_EQ(fields.size(), 8u) << line;
        if (fields[1] == "/") {
            root = true;
            EXPECT_EQ(fields[4].size(), 9u);
            EXPECT_EQ(fields[4][4], '-');
            EXPECT_GT(std::stoll(fields[6]), 0);
        }
    }
    EXPECT_TRUE(root) << r.Out;
    EXPECT_EQ(RunCli({"drives", "extra"}).ExitCode, 2);
}
