#include "search/SearchCheckLists.h"

#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "search/MatchText.h"

namespace quorvex {

namespace {

bool SameRow(const std::string& a, const std::string& b)
{
    return a == b || DecodeStoredText(a).compare(DecodeStoredText(b), Qt::CaseInsensitive) == 0;
}

void Merge(std::vector<TCheckRow>& rows, const std::vector<TCheckRow>& old, const std::string& name)
{
    if (name.empty()) return;
    for (const TCheckRow& row : rows)
        if (SameRow(row.Name, name)) return;
    bool checked = false;
    for (const TCheckRow& row : old)
        if (SameRow(row.Name, name)) checked = row.Checked;
    rows.push_back({name, checked});
}

template <class AddNames>
void Rebuild(std::vector<TCheckRow>& rows, TCatalogTree& tree, AddNames addNames)
{
    const std::vector<TCheckRow> old = std::move(rows);
    rows.clear();
    for (int i = 0; i < tree.Count(); ++i)
        if (const TCatalogRec* cat = AsCatalog(tree.Catalog(i)->Data))
            addNames(*cat, [&](const std::string& name) { Merge(rows, old, name); });
}

} // namespace

void RebuildCategoryRows(std::vector<TCheckRow>& rows, TCatalogTree& tree)
{
    const std::vector<TCheckRow> old = rows;
    Rebuild(rows, tree, [](const TCatalogRec& cat, auto add) {
        for (const auto& entry : cat.Categories) add(entry.first);
    });
    if (rows.empty()) return;
    bool withoutChecked = false;
    for (const TCheckRow& row : old)
        if (row.Name == WithoutCategoryRow) withoutChecked = row.Checked;
    rows.insert(rows.begin(), {WithoutCategoryRow, withoutChecked});
}

void RebuildFlagRows(std::vector<TCheckRow>& rows, TCatalogTree& tree)
{
    Rebuild(rows, tree, [](const TCatalogRec& cat, auto add) {
        for (const TText& flag : cat.FlagNames) add(flag.Str());
    });
}

TCategoryChecks CheckedRows(const std::vector<TCheckRow>& categoryRows, const std::vector<TCheckRow>& flagRows)
{
    TCategoryChecks checks;
    for (size_t i = 0; i < categoryRows.size(); ++i) {
        if (!categoryRows[i].Checked) continue;
        if (i == 0 && categoryRows[i].Name == WithoutCategoryRow) checks.WithoutCategory = true;
        else checks.Categories.push_back(categoryRows[i].Name);
    }
    for (const TCheckRow& row : flagRows)
        if (row.Checked) checks.Flags.push_back(row.Name);
    return checks;
}

} // namespace quorvex
