#include "app/HandOver.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TEST(HandOver, ParametersTravelAndTheFileGoes)
{
    TTempDir dir;
    const std::string folder = dir.Path("");
    const int n = WriteHandOverFile({"/data/one.ctf", "/data/two words.ctf"}, folder, [] { return 42; });
    ASSERT_EQ(n, 42);
    const std::string file = HandOverFileName(folder, 42);
    EXPECT_TRUE(file.ends_with("/Quorvex_Params42.tmp"));
    EXPECT_EQ(ReadFileBytes(file), "/data/one.ctf\n/data/two words.ctf\n");
    EXPECT_EQ(TakeHandOverFile(folder, 42), (std::vector<std::string>{"/data/one.ctf", "/data/two words.ctf"}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    EXPECT_TRUE(TakeHandOverFile(folder, 42).empty()); // gone: nothing, silently
}

TEST(HandOver, WaitingFilesAreNotOverwritten)
{
    TTempDir dir;
    const std::string folder = dir.Path("");
    WriteFileBytes(HandOverFileName(folder, 7), "other.ctf\n");
    int calls = 0;
    const int n = WriteHandOverFile({"mine.ctf"}, folder, [&] { return ++calls == 1 ? 7 : 8; });
    EXPECT_EQ(n, 8);
    EXPECT_EQ(ReadFileBytes(HandOverFileName(folder, 7)), "other.ctf\n");
    EXPECT_EQ(WriteHandOverFile({"x"}, dir.Path("missing/folder"), [] { return 3; }), 0);
}

TEST(HandOver, Messages)
{
    EXPECT_EQ(ParseHandOverMessage(HandOverMessage(1234)), 1234);
    EXPECT_EQ(ParseHandOverMessage(HandOverMessage(0)), 0);
    EXPECT_EQ(ParseHandOverMessage("junk\n"), -1);
    EXPECT_EQ(ParseHandOverMessage("12345\n"), -1);
}

} // namespace
