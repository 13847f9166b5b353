#include "RunCli.h"
#include "SampleCatalog.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class CatalogCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCatalogTree tree;
        WriteFileBytes(dir.Path("sample.ctf"), EncodeToMemory(BuildSampleCatalog(tree)));
    }
    TTempDir dir;
};

} // namespace

TEST_F(CatalogCli, NewWritesAnEmptyCatalog)
{
    ASSERT_EQ(RunCli({"new", dir.Path("n.ctf"), "--name", "Catalog1"}).ExitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("n.ctf")).size(), 26u);
    const TCliResult dump = RunCli({"dump", dir.Path("n.ctf")});
    EXPECT_EQ(dump.Out, "catalog\tCatalog1\tformat=1\tmodified=0\tdisks=0\tcategories=\tflags=||\tdescription=\n");
}

TEST_F(CatalogCli, DumpListsEveryItem)
{
    const TCliResult r = RunCli({"dump", dir.Path("sample.ctf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("catalog\tSample\tformat=1"), std::string::npos);
    EXPECT_NE(r.Out.find("categories=1:Games|4:Music\tflags=Backed up||Broken\tdescription=All my disks"),
              std::string::npos);
    EXPECT_NE(r.Out.find("\nfolder\t\\A\\B\\C\tdepth=3"), std::string::npos);
    EXPECT_NE(r.Out.find("\nfile\t\\A\\PACK.ZIP\\docs\\manual.txt\tkind=0x11"), std::string::npos);
    EXPECT_NE(r.Out.find("description=Read me first"), std::string::npos);
    EXPECT_NE(r.Out.find("virtualRoot=\\DATA\\"), std::string::npos);
}

TEST_F(CatalogCli, InfoAndLs)
{
    TCliResult info = RunCli({"info", dir.Path("sample.ctf")});
    ASSERT_EQ(info.ExitCode, 0) << info.Err;
    EXPECT_NE(info.Out.find("category\t4\tMusic"), std::string::npos);
    EXPECT_NE(info.Out.find("disk\tVirtual\t"), std::string::npos);
    EXPECT_NE(info.Out.find("serial=CAFE-0001"), std::string::npos);

    TCliResult ls = RunCli({"ls", dir.Path("sample.ctf"), "Disk\\A"});
    ASSERT_EQ(ls.ExitCode, 0) << ls.Err;
    EXPECT_EQ(ls.Out, "folder\tB\t7\t\narchive\tPACK.ZIP\t75000\tArchive comment\nfile\tone.dat\t1000\t\n");
    EXPECT_EQ(RunCli({"ls", dir.Path("sample.ctf"), "Disk\\Nope"}).ExitCode, 1);
}

TEST_F(CatalogCli, SaveAsAndRewriteReproduceTheFile)
{
    const std::string original = ReadFileBytes(dir.Path("sample.ctf"));
    ASSERT_EQ(RunCli({"save-as", dir.Path("sample.ctf"), dir.Path("copy.ctf")}).ExitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("copy.ctf")), original);
    ASSERT_EQ(RunCli({"rewrite", dir.Path("sample.ctf"), dir.Path("rewritten.ctf")}).ExitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("rewritten.ctf")), original);

    std::string old = original;
    old.replace(8, 4, "1.00");
    WriteFileBytes(dir.Path("old.ctf"), old);
    ASSERT_EQ(RunCli({"save-as", dir.Path("old.ctf"), dir.Path("upgraded.ctf")}).ExitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("upgraded.ctf")), original);
}

TEST_F(CatalogCli, DamagedFilesFailCleanly)
{
    WriteFileBytes(dir.Path("bad.ctf"), "Catalox 1.01");
    TCliResult r = RunCli({"dump", dir.Path("bad.ctf")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("This is not a valid catalog file!"), std::string::npos);
    EXPECT_EQ(RunCli({"info", dir.Path("missing.ctf")}).ExitCode, 1);
    EXPECT_EQ(RunCli({"frobnicate"}).ExitCode, 2);
}
