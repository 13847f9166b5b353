#include "app/CatalogCommands.h"
#include "app/Startup.h"
#include "catalog/CatalogOpener.h"
#include "catalog/ItemRoutines.h"
#include "platform/Prompt.h"

#include "CatalogBuilder.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

struct TCommands : ::testing::Test {
    TCatalogTree tree;
    TCatalogBuilder b{tree};
    TScriptedPrompt prompt;
    std::vector<std::string> saved;
    bool saveWorks = true;
    TCloseHooks hooks;

    void SetUp() override
    {
        SetPrompt(&prompt);
        hooks.Save = [this](TTreeNode* node) {
            saved.push_back(node->Text);
            return saveWorks;
        };
    }
    void TearDown() override { SetPrompt(nullptr); }
    TTreeNode* Modified(const std::string& name)
    {
        TTreeNode* n = b.Catalog(name);
        AsCatalog(n->Data)->Modified = 1;
        return n;
    }
};

TEST_F(TCommands, NewCatalogNameFillsTheFirstGap)
{
    EXPECT_EQ(NewCatalogName(tree), "Catalog1");
    b.Catalog("Catalog1");
    b.Catalog("Catalog3");
    EXPECT_EQ(NewCatalogName(tree), "Catalog2");
    TTreeNode* node = AddNewCatalog(tree, "Catalog2");
    auto* rec = AsCatalog(node->Data);
    EXPECT_EQ(rec->Modified, 0);
    EXPECT_EQ(rec->CurrentFormat, 1);
    EXPECT_FALSE(ItemIs(rec, ifInScope));
    EXPECT_EQ(NewCatalogName(tree), "Catalog4");
}

TEST_F(TCommands, ClosingAsksOnlyAboutChanges)
{
    TTreeNode* clean = b.Catalog("clean");
    EXPECT_EQ(CloseCatalog(clean, true, hooks), TCloseAnswer::Yes);
    EXPECT_TRUE(prompt.Shown.empty());
    EXPECT_EQ(tree.Count(), 0);

    TTreeNode* dirty = Modified("dirty");
    prompt.Answers = {pbCancel};
    EXPECT_EQ(CloseCatalog(dirty, true, hooks), TCloseAnswer::Cancel);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Text, "Save changes to catalog \"dirty\" ?");
    EXPECT_EQ(prompt.Shown[0].Caption, "Confirm");
    EXPECT_EQ(tree.Count(), 1);

    saveWorks = false;
    prompt.Answers = {pbYes};
    EXPECT_EQ(CloseCatalog(dirty, true, hooks), TCloseAnswer::Yes);
    EXPECT_EQ(tree.Count(), 1); // the save failed: it stays open

    EXPECT_EQ(CloseCatalog(dirty, false, hooks), TCloseAnswer::No); // without prompt: not saved
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(saved, (std::vector<std::string>{"dirty"}));
}

TEST_F(TCommands, CloseAllStartsWithTheLastAndStopsAtCancel)
{
    Modified("one");
    Modified("two");
    Modified("three");
    prompt.Answers = {pbNo, pbCancel};
    EXPECT_EQ(CloseAllCatalogs(tree, true, hooks), TCloseAnswer::Cancel);
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[0].Text, SaveChangesQuestion("three"));
    EXPECT_EQ(prompt.Shown[1].Text, SaveChangesQuestion("two"));
    EXPECT_EQ(tree.Count(), 2);
}

TEST_F(TCommands, ExitPromptsInTreeOrder)
{
    Modified("one");
    b.Catalog("clean");
    Modified("two");
    prompt.Answers = {pbYes, pbNo};
    EXPECT_TRUE(SavePromptsBeforeExit(tree, hooks));
    EXPECT_EQ(saved, (std::vector<std::string>{"one"}));
    prompt.Answers = {pbNo, pbCancel};
    EXPECT_FALSE(SavePromptsBeforeExit(tree, hooks));
    saveWorks = false;
    prompt.Answers = {pbYes};
    EXPECT_FALSE(SavePromptsBeforeExit(tree, hooks)); // a failed save stops the exit
}

TEST(DroppedFiles, CatalogsByExtension)
{
    TDroppedFiles drop = SplitDroppedFiles({"/a/B.CTF", "/a/notes.txt", "/x.ctf/readme"});
    EXPECT_EQ(drop.Catalogs, (std::vector<std::string>{"/a/B.CTF"}));
    EXPECT_EQ(drop.Others, 2);
    EXPECT_TRUE(DroppedFilesMessage(drop).isEmpty());
    EXPECT_EQ(DroppedFilesMessage(SplitDroppedFiles({"a.txt"})),
              "Sorry, the file you dropped does not seem to be a catalog file.");
    EXPECT_EQ(DroppedFilesMessage(SplitDroppedFiles({"a.txt", "b"})),
              "Sorry, none of files you just dropped is a valid catalog file.");
    EXPECT_EQ(SplitDroppedFiles({"/" + std::string(1100, 'x') + ".ctf"}).Others, 1);
}

TEST(FirstIdle, CommandLineBeforeAutoload)
{
    struct Case {
        std::vector<std::string> params;
        int openedByParams;
        bool autoload;
        bool settingsPresent;
        std::vector<std::string> expectedOpens; // first name of each request
        bool wizard;
    } cases[] = {
        {{"a.ctf"}, 1, true, true, {"a.ctf"}, false},
        {{"bad.ctf"}, 0, true, true, {"bad.ctf", "auto.ctf"}, false},
        {{}, 0, true, false, {"auto.ctf"}, true},
        {{}, 0, false, true, {}, false},
    };
    for (const Case& c : cases) {
        int open = 0;
        std::vector<std::string> requests;
        std::vector<QString> splash;
        bool wizard = false;
        int interval = 3500;
        TFirstIdleHooks hooks;
        hooks.Open = [&](TOpenRequest& r) {
            EXPECT_TRUE(r.HasList);
            EXPECT_FALSE(r.InteractiveMark);
            requests.push_back(r.Names.front());
            if (!r.FromAutoload) open += c.openedByParams;
        };
        hooks.OpenCatalogCount = [&] { return open; };
        hooks.SplashMessage = [&](const QString& t) { splash.push_back(t); };
        hooks.RunSetupWizard = [&] { wizard = true; };
        hooks.SetSplashInterval = [&](int ms) { interval = ms; };
        TFirstIdleInput input{c.params, c.settingsPresent, c.autoload, {"auto.ctf"}, false};
        RunFirstIdle(input, hooks);
        EXPECT_EQ(requests, c.expectedOpens);
        EXPECT_EQ(wizard, c.wizard);
        EXPECT_EQ(interval, c.settingsPresent ? 3500 : 1);
        EXPECT_EQ(splash.back(), "Done.");
    }
}

} // namespace
