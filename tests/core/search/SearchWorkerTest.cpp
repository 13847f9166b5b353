// The search walk over catalogs read from files: loading on demand, releasing what gave
// nothing, progress, stopping, scope, and the found list staying consistent.
#include "SampleCatalog.h"

#include "catalog/CatalogOpener.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "platform/Prompt.h"
#include "search/FoundList.h"
#include "search/SearchGuard.h"
#include "search/SearchHost.h"
#include "search/SearchThread.h"

#include <gtest/gtest.h>

#include <set>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// Runs work in place, first letting the test look in.
class TWatchingHost : public ISearchHost {
public:
    void Call(const std::function<void()>& work) override
    {
        ++Calls;
        if (BeforeWork) BeforeWork();
        work();
    }
    void Post(std::function<void()> work) override { work(); }
    std::function<void()> BeforeWork;
    int Calls = 0;
};

TSearchCriteria ByName(const char* text, int mode = nmPartOfName)
{
    TSearchCriteria c;
    c.ByName = true;
    c.NameMode = mode;
    c.NameText = QString::fromUtf8(text);
    return c;
}

bool FilesLoaded(TTreeNode* node)
{
    if (auto* f = AsFolder(node->Data)) return f->FilesInMemory;
    return AsDisk(node->Data)->FilesInMemory;
}

TTreeNode* Find(TTreeNode* from, const std::string& path) // "A\B" below a disk
{
    TTreeNode* node = from;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (AsFolder(node->Data)) LoadSubfolders(node, false, false); // a disk has its folders
        TTreeNode* next = nullptr;
        for (int i = 0; i < node->Count(); ++i)
            if (node->Child(i)->Text == part) next = node->Child(i);
        if (!next) return nullptr;
        node = next;
        start = end + 1;
    }
    return node;
}

std::vector<std::string> Names(const TFoundList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) {
        TItemRec* item = list.Item(i);
        if (auto* f = AsFile(item)) names.emplace_back(f->Name());
        else names.push_back(item->Node->Text);
    }
    return names;
}

class SearchWorker : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&prompt);
        TCatalogTree built;
        WriteFileBytes(dir.Path("sample.ctf"), EncodeToMemory(BuildSampleCatalog(built)));
        cat = ReadCatalogFile(tree, dir.Path("sample.ctf"));
        disk = cat->Child(0);
    }
    void TearDown() override { SetPrompt(nullptr); }

    TSearchOutcome Run(const TSearchCriteria& c, bool useScope = false)
    {
        TSearchWorker worker(tree, found, host, c, checks, useScope);
        worker.Events = events;
        return RunSearchHere(worker);
    }

    TScriptedPrompt prompt;
    TTempDir dir;
    TCatalogTree tree;
    TTreeNode* cat = nullptr;
    TTreeNode* disk = nullptr;
    TFoundList found{SearchSlot};
    TWatchingHost host;
    TCategoryChecks checks;
    TSearchEvents events;
};

} // namespace

TEST_F(SearchWorker, LoadsOnDemandAndKeepsOnlyListsWithHits)
{
    std::set<std::string> released;
    events.FilesInUse = [&](TTreeNode* node) {
        released.insert(ItemPath(node->Data, true, false));
        return false;
    };
    const TSearchOutcome out = Run(ByName("deep"));
    EXPECT_EQ(out.Found, 1);
    EXPECT_FALSE(out.Cancelled);
    EXPECT_EQ(Names(found), std::vector<std::string>{"deep.txt"});
    EXPECT_EQ(found.FoundCount, 1);
    EXPECT_EQ(found.Item(0)->Slots[SearchSlot], 0);

    TTreeNode* a = Find(disk, "A");
    TTreeNode* b = Find(disk, "A\\B");
    EXPECT_FALSE(FilesLoaded(disk)) << "the root's files gave nothing";
    EXPECT_FALSE(FilesLoaded(a));
    EXPECT_FALSE(FilesLoaded(Find(disk, "A\\PACK.ZIP")));
    EXPECT_TRUE(FilesLoaded(b)) << "the list holding the hit stays";
    EXPECT_EQ(released, (std::set<std::string>{"\\", "\\A", "\\A\\PACK.ZIP", "\\X"}));
    EXPECT_FALSE(SearchRunning());
}

TEST_F(SearchWorker, FoldersDisksAndArchives)
{
    TSearchCriteria c = ByName("a");
    c.SearchForCompressed = true; // not inside archives: the archive itself still is a file
    c.SearchForDisks = false;
    Run(c);
    const std::vector<std::string> outside = Names(found);
    EXPECT_EQ(std::count(outside.begin(), outside.end(), "PACK.ZIP"), 1);
    EXPECT_EQ(std::count(outside.begin(), outside.end(), "docs\\manual.txt"), 0);
    EXPECT_FALSE(FilesLoaded(Find(disk, "A\\PACK.ZIP"))) << "members of a skipped archive are not read";

    found.Clear();
    Run(ByName("a"));
    // Folders and disks are tested by their tree texts; archive members are files.
    const std::vector<std::string> names = Names(found);
    const std::set<std::string> got(names.begin(), names.end());
    EXPECT_EQ(got, (std::set<std::string>{"Virtual", "Blank", "README.TXT", "AUTOEXEC.BAT", "A", "one.dat",
                                          "PACK.ZIP", "docs\\manual.txt"}));

    found.Clear();
    c = ByName("a");
    c.SearchForFiles = c.SearchForDisks = false;
    Run(c);
    EXPECT_EQ(Names(found), std::vector<std::string>{"A"}) << "an archive counts as a file, not a folder";
}

TEST_F(SearchWorker, SecondSearchAppendsOnlyNewItemsAndTheLimitStops)
{
    Run(ByName(".txt"));
    EXPECT_EQ(found.Count(), 3);
    const TSearchOutcome again = Run(ByName("t"));
    EXPECT_EQ(again.FirstNew, 3);
    std::vector<std::string> names = Names(found);
    for (const char* n : {"README.TXT", "deep.txt", "docs\\manual.txt"})
        EXPECT_EQ(std::count(names.begin(), names.end(), n), 1) << n;
    for (int i = 0; i < found.Count(); ++i) EXPECT_EQ(found.Item(i)->Slots[SearchSlot], i);

    found.Clear();
    TSearchCriteria limited = ByName("e");
    limited.LimitFound = true;
    limited.MaxFound = 1;
    const TSearchOutcome out = Run(limited);
    EXPECT_EQ(found.Count(), 1);
    EXPECT_TRUE(out.Cancelled);
}

TEST_F(SearchWorker, DescriptionOnlySkipsFoldersWithoutDescribedFiles)
{
    std::set<std::string> released;
    events.FilesInUse = [&](TTreeNode* node) {
        released.insert(ItemPath(node->Data, true, false));
        return false;
    };
    TSearchCriteria c;
    c.ByDesc = true;
    c.DescText = "installer";
    Run(c);
    EXPECT_EQ(Names(found), std::vector<std::string>{"setup.exe"});
    // "\" and "\A\B" hold descriptions and were read; "\A" and "\X" were never loaded.
    EXPECT_EQ(released, (std::set<std::string>{"\\", "\\A\\B"}));
}

TEST_F(SearchWorker, ListsInUseOrTakenFromStayLoaded)
{
    TTreeNode* a = Find(disk, "A");
    TSearchWorker* running = nullptr;
    host.BeforeWork = [&] {
        if (running) running->ItemTaken(a); // the user list took an item of A meanwhile
    };
    events.FilesInUse = [&](TTreeNode* node) { return node == disk; }; // the main list shows the root
    TSearchWorker worker(tree, found, host, ByName("nothing-matches"), checks, false);
    worker.Events = events;
    running = &worker;
    RunSearchHere(worker);
    EXPECT_TRUE(FilesLoaded(a));
    EXPECT_TRUE(FilesLoaded(disk));
    EXPECT_FALSE(FilesLoaded(Find(disk, "A\\B")));
}

TEST_F(SearchWorker, ScopeFlagsLimitTheDisks)
{
    SetItemBits(disk->Data, ifInScope, false);
    Run(ByName("n"), true);
    EXPECT_EQ(Names(found), (std::vector<std::string>{std::string(255, 'n'), "Blank"}));
    found.Clear();
    Run(ByName("n"), false);
    EXPECT_GT(found.Count(), 1) << "without the limit every disk is searched";
}

TEST_F(SearchWorker, ClosingACatalogTakesItsHitsOutOfTheList)
{
    TCatalogTree built;
    TCatalogBuilder b(built);
    TTreeNode* other = b.Catalog("Other");
    b.File(b.Folder(b.Disk(other, "D"), "F"), "note.txt", 5);
    WriteFileBytes(dir.Path("other.ctf"), EncodeToMemory(other));
    ReadCatalogFile(tree, dir.Path("other.ctf"));

    Run(ByName(".txt"));
    ASSERT_EQ(found.Count(), 4);
    DeleteItemNode(cat);
    EXPECT_EQ(Names(found), std::vector<std::string>{"note.txt"});
    EXPECT_EQ(found.Item(0)->Slots[SearchSlot], 0);
}

TEST(SearchProgress, ReportsAtMultiplesOf128AndAtTheEndOfEachDisk)
{
    TTempDir dir;
    TCatalogTree built;
    TCatalogBuilder b(built);
    TTreeNode* c = b.Catalog("P");
    TTreeNode* d = b.Disk(c, "D");
    TTreeNode* f = b.Folder(d, "F");
    for (int i = 0; i < 300; ++i) b.File(f, std::string("f").append(std::to_string(i)), i);
    auto* disk = static_cast<TDiskRec*>(d->Data);
    disk->TotalFiles = 300;
    disk->TotalFolders = 1;
    WriteFileBytes(dir.Path("p.ctf"), EncodeToMemory(c));

    TCatalogTree tree;
    ReadCatalogFile(tree, dir.Path("p.ctf"));
    TFoundList found(SearchSlot);
    TDirectSearchHost host;
    TSearchWorker worker(tree, found, host, ByName("f1"), {}, false);
    std::vector<TSearchProgress> reports;
    std::vector<int> rowsSeen;
    worker.Events.Progress = [&](const TSearchProgress& p) {
        reports.push_back(p);
        rowsSeen.push_back(found.Count());
    };
    RunSearchHere(worker);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].Checked, 128);
    EXPECT_EQ(reports[1].Checked, 256);
    EXPECT_EQ(reports[2].Checked, 302);
    EXPECT_EQ(reports[2].Total, 302);
    EXPECT_EQ(reports[2].Bar(), 1000);
    EXPECT_EQ(reports[2].Found, found.Count());
    EXPECT_EQ(rowsSeen[0], reports[0].Found) << "hits reach the list at each report";
    EXPECT_EQ(reports[0].FirstNew, 0);
    EXPECT_EQ(SearchStatusText(128, 3), QString("Checked 128 items, found 3..."));

    // A stop request ends the walk at the next file.
    found.Clear();
    TSearchWorker stopped(tree, found, host, ByName("f"), {}, false);
    stopped.Events.Progress = [&](const TSearchProgress&) { stopped.RequestStop(); };
    const TSearchOutcome out = RunSearchHere(stopped);
    EXPECT_TRUE(out.Cancelled);
    EXPECT_EQ(found.Count(), 128) << "the folder F and the files up to the first report";
}

TEST(FoundList, RemovingRowsKeepsTheFocusedPosition)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* d = b.Disk(b.Catalog("C"), "D");
    std::vector<TFileRec*> files;
    for (int i = 0; i < 6; ++i) files.push_back(b.File(d, std::string("f").append(std::to_string(i)), i));
    TFoundList list(SearchSlot);
    for (TFileRec* f : files) list.Entries().Add(f);
    list.FoundCount = 6;

    EXPECT_EQ(list.RemoveRows({1, 3, 4, 3}, 3), 2) << "the focus moves up by the removed rows before it";
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FoundCount, 3);
    EXPECT_EQ(files[3]->Slots[SearchSlot], -1);
    EXPECT_EQ(files[5]->Slots[SearchSlot], 2);
    EXPECT_EQ(list.RemoveRows({2}, 2), 1) << "at most the last row";
    list.Clear();
    EXPECT_EQ(files[0]->Slots[SearchSlot], -1);
    EXPECT_EQ(list.RemoveRows({0}, 0), -1);
}
