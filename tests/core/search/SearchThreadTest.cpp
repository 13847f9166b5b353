// The worker on its own thread: everything that touches the tree runs on the main thread,
// and other commands are refused while it runs.
#include "SampleCatalog.h"

#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "platform/Prompt.h"
#include "search/FoundList.h"
#include "search/SearchGuard.h"
#include "search/SearchHost.h"
#include "search/SearchThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TSearchCriteria ByName(const char* text)
{
    TSearchCriteria c;
    c.ByName = true;
    c.NameText = text;
    return c;
}

class SearchThread : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&prompt);
        TCatalogTree built;
        WriteFileBytes(dir.Path("sample.ctf"), EncodeToMemory(BuildSampleCatalog(built)));
        ReadCatalogFile(tree, dir.Path("sample.ctf"));
        mainThread = std::this_thread::get_id();
    }
    void TearDown() override { SetPrompt(nullptr); }
    TScriptedPrompt prompt;
    TTempDir dir;
    TCatalogTree tree;
    TFoundList found{SearchSlot};
    std::thread::id mainThread;
};

} // namespace

TEST_F(SearchThread, LoadsAndReportsOnTheMainThreadAndRefusesCommandsMeanwhile)
{
    TQueuedSearchHost host;
    TSearchThread search(tree, found, host, ByName(".txt"), {}, false);
    int offMain = 0;
    int reports = 0;
    search.Worker().Events.Progress = [&](const TSearchProgress&) {
        ++reports;
        if (std::this_thread::get_id() != mainThread) ++offMain;
        if (reports == 1) {
            EXPECT_TRUE(SearchRunning());
            EXPECT_TRUE(RefuseWhileSearching(TSearchBlocked::UpdateCatalog));
        }
    };
    search.Worker().Events.FilesInUse = [&](TTreeNode*) {
        if (std::this_thread::get_id() != mainThread) ++offMain;
        return false;
    };
    bool ended = false;
    TSearchOutcome outcome;
    search.Start([&](const TSearchOutcome& o) {
        EXPECT_FALSE(SearchRunning());
        EXPECT_EQ(std::this_thread::get_id(), mainThread);
        outcome = o;
        ended = true;
    });
    host.ServeUntil([&] { return ended; });

    EXPECT_EQ(outcome.Found, 3);
    EXPECT_EQ(found.Count(), 3);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(offMain, 0);
    EXPECT_FALSE(search.Running());
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, QString("Can't Update Data"));
    EXPECT_EQ(prompt.Shown[0].Text, QString("Sorry, updating catalog is not possible while search is in progress.\r"
                                            "Please cancel the search or wait for search to finish."));
    EXPECT_FALSE(RefuseWhileSearching(TSearchBlocked::SaveCatalog));
}

TEST_F(SearchThread, RunsThroughTheQtEventLoop)
{
    int argc = 1;
    char name[] = "core_search";
    char* argv[] = {name};
    QCoreApplication app(argc, argv);
    TQtSearchHost host;
    TSearchThread search(tree, found, host, ByName("e"), {}, false);
    QEventLoop loop;
    TSearchOutcome outcome;
    search.Start([&](const TSearchOutcome& o) {
        outcome = o;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(search.Running());
    EXPECT_TRUE(outcome.Error.empty());
    EXPECT_GT(outcome.Found, 3);
    EXPECT_EQ(found.Count(), outcome.Found);
}

TEST_F(SearchThread, ExitCancelsARunningSearch)
{
    TQueuedSearchHost host;
    TSearchThread search(tree, found, host, ByName("e"), {}, false);
    bool ended = false;
    bool exitAllowed = false;
    // The first progress report asks to exit: the search is cancelled and ends.
    search.Worker().Events.Progress = [&](const TSearchProgress&) {};
    search.Worker().Events.TreeNotifications = [&](bool on) {
        if (!on) host.Post([&] { exitAllowed = EndSearchBeforeExit([&] { host.ServePending(); }, 200, 1); });
    };
    TSearchOutcome outcome;
    search.Start([&](const TSearchOutcome& o) {
        outcome = o;
        ended = true;
    });
    host.ServeUntil([&] { return ended && exitAllowed; });
    EXPECT_TRUE(exitAllowed);
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_TRUE(prompt.Shown.empty());

    // A search that does not end keeps the program open with a warning.
    SetSearchRunning(true);
    EXPECT_FALSE(EndSearchBeforeExit({}, 2, 1));
    SetSearchRunning(false);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, QString("Search in progress"));
}

TEST(SearchGuard, RefusalMessages)
{
    struct Case {
        TSearchBlocked what;
        const char* caption;
        const char* first;
    } cases[] = {
        {TSearchBlocked::OpenCatalog, "Can't Open Catalog",
         "Sorry, opening catalog is not possible while search is in progress."},
        {TSearchBlocked::SaveCatalog, "Can't Save Catalog", "Sorry, can't save catalog while search is in progress."},
        {TSearchBlocked::CloseCatalog, "Can't close catalog",
         "You can not close catalog(s) because search for files is in progress."},
        {TSearchBlocked::RemoveDisk, "Can't remove disk",
         "Sorry, removing disk is not allowed while search is in progress."},
    };
    for (const Case& c : cases) {
        const TPromptMessage m = SearchRefusal(c.what);
        EXPECT_EQ(m.Caption, QString(c.caption));
        EXPECT_EQ(m.Text, QString(c.first) + "\rPlease cancel the search or wait for search to finish.");
        EXPECT_EQ(m.Icon, TPromptIcon::Information);
    }
}
