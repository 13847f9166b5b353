#include "catalog/ResultLists.h"

#include <algorithm>

namespace quorvex {

namespace {
constexpr int SlotModulo = 32768;
}

void TResultList::Add(TItemRec* item)
{
    item->Slots[m_slot] = static_cast<int16_t>(m_items.size() % SlotModulo);
    m_items.push_back(item);
}

void TResultList::RemoveBySlot(TItemRec* item)
{
    const int16_t slot = item->Slots[m_slot];
    if (slot < 0) return;
    for (size_t i = static_cast<size_t>(slot); i < m_items.size(); i += SlotModulo) {
        if (m_items[i] == item) {
            m_items[i] = nullptr;
            item->Slots[m_slot] = -1;
            if (!m_needsCompact) {
                m_needsCompact = true;
                if (OnCompactNeeded) OnCompactNeeded();
            }
            return;
        }
    }
    item->Slots[m_slot] = -1;
}

void TResultList::Compact()
{
    size_t out = 0;
    for (TItemRec* item : m_items) {
        if (!item) continue;
        item->Slots[m_slot] = static_cast<int16_t>(out % SlotModulo);
        m_items[out++] = item;
    }
    m_items.resize(out);
    m_needsCompact = false;
}

void TResultList::Sort(const std::function<bool(const TItemRec*, const TItemRec*)>& less)
{
    Compact();
    std::stable_sort(m_items.begin(), m_items.end(), less);
    Compact();
}

void TResultList::Reverse()
{
    Compact();
    std::reverse(m_items.begin(), m_items.end());
    Compact();
}

void TResultList::Clear()
{
    for (TItemRec* item : m_items)
        if (item) item->Slots[m_slot] = -1;
    m_items.clear();
    m_needsCompact = false;
}

TResultList* TResultLists::List(TSlotIndex slot) const
{
    switch (slot) {
    case SearchSlot: return Search;
    case UserListSlot: return UserList;
    case DupSlot: return Duplicates;
    }
    return nullptr;
}

void TResultLists::ClearSlots(TItemRec* item, bool catalogOnlyUserList)
{
    if (ProgramClosing) return;
    for (int s = 0; s < SlotCount; ++s) {
        if (item->Slots[s] < 0) continue;
        if (catalogOnlyUserList && s != UserListSlot) continue;
        if (TResultList* list = List(static_cast<TSlotIndex>(s))) list->RemoveBySlot(item);
        else item->Slots[s] = -1;
    }
}

void TResultLists::CompactPending()
{
    if (ProgramClosing) return;
    for (TResultList* list : {Search, UserList, Duplicates})
        if (list && list->NeedsCompact()) list->Compact();
}

TResultLists& ResultLists()
{
    static TResultLists lists;
    return lists;
}

} // namespace quorvex
