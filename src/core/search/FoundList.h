#pragma once
// One list state of the search window (normal or duplicates): the found items, kept in a
// result list whose slots let released records leave it, and the list's window state.

#include "catalog/ResultLists.h"

#include <vector>

namespace quorvex {

class TFoundList {
public:
    explicit TFoundList(TSlotIndex slot); // registers the list so released records leave it
    ~TFoundList();
    TFoundList(const TFoundList&) = delete;
    TFoundList& operator=(const TFoundList&) = delete;

    TResultList& Entries() { return m_entries; }
    const TResultList& Entries() const { return m_entries; }
    int Count() const { return m_entries.Count(); }
    TItemRec* Item(int i) const { return m_entries.Item(i); }
    bool Contains(const TItemRec* item) const { return item->Slots[m_entries.Slot()] != -1; }

    // Hits added by the current or last search, or entries added since the list was cleared.
    int FoundCount = 0;
    uint8_t SortColumn = 255; // 255 = in found order
    bool SortReversed = false;
    int ListHeight = 100;
    bool Maximized = false;
    bool Shown = false;

    // Removes the rows (any order, duplicates ignored) and packs the list. Returns the row to
    // focus afterwards: the former focus moved up by the removed rows before it, at most the
    // last row; -1 when the list is empty.
    int RemoveRows(const std::vector<int>& rows, int focus);
    void Clear();

private:
    TResultList m_entries;
};

} // namespace quorvex
