#include "search/FoundList.h"

#include <algorithm>

namespace quorvex {

namespace {

TResultList*& Registered(TSlotIndex slot)
{
    TResultLists& lists = ResultLists();
    return slot == DupSlot ? lists.Duplicates : slot == UserListSlot ? lists.UserList : lists.Search;
}

} // namespace

TFoundList::TFoundList(TSlotIndex slot) : m_entries(slot) { Registered(slot) = &m_entries; }

TFoundList::~TFoundList()
{
    m_entries.Clear();
    TResultList*& registered = Registered(m_entries.Slot());
    if (registered == &m_entries) registered = nullptr;
}

int TFoundList::RemoveRows(const std::vector<int>& rows, int focus)
{
    int removedBeforeFocus = 0;
    std::vector<int> sorted(rows);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (int row : sorted) {
        if (row < 0 || row >= Count()) continue;
        TItemRec* item = m_entries.Item(row);
        if (!item) continue;
        m_entries.RemoveBySlot(item);
        if (FoundCount > 0) --FoundCount;
        if (row < focus) ++removedBeforeFocus;
    }
    m_entries.Compact();
    if (Count() == 0) return -1;
    return std::clamp(focus - removedBeforeFocus, 0, Count() - 1);
}

void TFoundList::Clear()
{
    m_entries.Clear();
    FoundCount = 0;
}

} // namespace quorvex
