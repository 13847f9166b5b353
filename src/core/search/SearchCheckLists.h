#pragma once
// The search window's category and flag check lists: the names of every open catalog merged
// into rows (names differing only in letter case are one row, named as first met).

#include "search/SearchMatch.h"

#include <string>
#include <vector>

namespace quorvex {

class TCatalogTree;

struct TCheckRow {
    std::string Name;
    bool Checked = false;
};

// The first row of the category list when any catalog has categories.
inline constexpr char WithoutCategoryRow[] = "(Items without category)";

// Rebuild the rows from the open catalogs; rows that stay keep their check state. The
// category list is empty when no catalog has a category.
void RebuildCategoryRows(std::vector<TCheckRow>& rows, TCatalogTree& tree);
void RebuildFlagRows(std::vector<TCheckRow>& rows, TCatalogTree& tree);

// What the category criterion reads.
TCategoryChecks CheckedRows(const std::vector<TCheckRow>& categoryRows, const std::vector<TCheckRow>& flagRows);

} // namespace quorvex
