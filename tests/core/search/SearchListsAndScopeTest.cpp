// The category and flag check lists and the scope tree state of the search window.
#include "CatalogBuilder.h"

#include "catalog/ItemRoutines.h"
#include "search/FileTypes.h"
#include "search/SearchCheckLists.h"
#include "search/SearchScope.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

std::vector<std::string> RowNames(const std::vector<TCheckRow>& rows)
{
    std::vector<std::string> names;
    for (const TCheckRow& r : rows) names.push_back(r.Name);
    return names;
}

} // namespace

TEST(SearchCheckLists, MergedAcrossCatalogsKeepingChecks)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    std::vector<TCheckRow> categories, flags;
    TTreeNode* first = b.Catalog("One");
    RebuildCategoryRows(categories, tree);
    EXPECT_TRUE(categories.empty()) << "no catalog has a category: not even the 'without' row";

    auto* one = static_cast<TCatalogRec*>(first->Data);
    one->Categories = {{"Games", 1}, {"Music", 2}};
    one->FlagNames[0].Assign("Done");
    auto* two = static_cast<TCatalogRec*>(b.Catalog("Two")->Data);
    two->Categories = {{"games", 5}, {"Books", 1}};
    two->FlagNames[2].Assign("DONE");
    two->FlagNames[1].Assign("Todo");
    RebuildCategoryRows(categories, tree);
    RebuildFlagRows(flags, tree);
    EXPECT_EQ(RowNames(categories), (std::vector<std::string>{WithoutCategoryRow, "Games", "Music", "Books"}));
    EXPECT_EQ(RowNames(flags), (std::vector<std::string>{"Done", "Todo"}));

    categories[0].Checked = categories[2].Checked = true;
    flags[1].Checked = true;
    one->Categories = {{"Games", 1}}; // Music goes
    RebuildCategoryRows(categories, tree);
    RebuildFlagRows(flags, tree);
    EXPECT_EQ(RowNames(categories), (std::vector<std::string>{WithoutCategoryRow, "Games", "Books"}));
    EXPECT_TRUE(categories[0].Checked);
    EXPECT_FALSE(categories[1].Checked);
    const TCategoryChecks checks = CheckedRows(categories, flags);
    EXPECT_TRUE(checks.WithoutCategory);
    EXPECT_TRUE(checks.Categories.empty());
    EXPECT_EQ(checks.Flags, std::vector<std::string>{"Todo"});
}

TEST(SearchScope, TogglingRowsAndIncludeExclude)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* d1 = b.Disk(cat, "D1");
    b.Disk(cat, "D2");
    TTreeNode* empty = b.Catalog("Empty");
    EXPECT_TRUE(ShownInScope(cat));
    EXPECT_FALSE(ShownInScope(empty));

    EXPECT_EQ(ScopeState(cat), ssChecked);
    EXPECT_FALSE(SomeCatalogNotIn(tree, ssChecked)) << "Include All is disabled";
    ToggleScope(d1);
    EXPECT_EQ(ScopeState(d1), ssUnchecked);
    EXPECT_EQ(ScopeState(cat), ssPartly);
    ToggleScope(cat); // partly -> checked, all disks with it
    EXPECT_EQ(ScopeState(d1), ssChecked);
    ToggleScope(cat);
    EXPECT_EQ(ScopeState(cat), ssUnchecked);
    EXPECT_FALSE(ItemIs(cat->Data, ifInScope));
    SetWholeScope(tree, true);
    EXPECT_EQ(ScopeState(cat), ssChecked);
    SetWholeScope(tree, false);
    EXPECT_FALSE(SomeCatalogNotIn(tree, ssUnchecked)) << "Exclude All disables itself";
}

TEST(FileTypes, EachNameOnceWithWellFormedExtensionLists)
{
    const std::vector<TFileType> types = RegisteredFileTypes();
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_FALSE(types[i].Name.isEmpty());
        ASSERT_TRUE(types[i].Extensions.startsWith(u'.')) << types[i].Name.toStdString();
        EXPECT_TRUE(types[i].Extensions.endsWith(QChar(0x01)));
        if (i > 0) {
            EXPECT_NE(types[i].Name, types[i - 1].Name);
        }
    }
}
