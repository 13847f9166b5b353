#pragma once
// Ordering of item lists: one comparison for every list (kinds, archives among files or
// folders, the back item first) and one stable sort that can be interrupted.

#include "catalog/ItemRecords.h"

#include <QString>

#include <functional>
#include <vector>

namespace quorvex {

struct TSortContext {
    int Key = 1;           // a field number of the item texts
    bool Reverse = false;
    bool ArchivesAsFolders = true; // "Sort archive files as folders (default as files)"
};

// Negative, zero or positive under the context.
int CompareItems(const TItemRec* a, const TItemRec* b, const TSortContext& context);

// Stable. cancelRequested is asked between steps; when it says yes the sort stops with every
// item still in the list, partly ordered. Returns false when it was stopped.
bool SortList(std::vector<TItemRec*>& list, const TSortContext& context,
              const std::function<bool()>& cancelRequested = {});

// Reverses the order; a back item at the top stays there.
void ReverseList(std::vector<TItemRec*>& list);

// Case-insensitive comparison by the system's collation.
int CompareTexts(const QString& a, const QString& b);

} // namespace quorvex
