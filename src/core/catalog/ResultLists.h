#pragma once
// The three lists that hold pointers into item records (search results, user list,
// duplicates). Each record knows its position (modulo 32768) in each list through Slots,
// so releasing a record can clear its entries; the owner compacts the list afterwards.

#include "catalog/ItemRecords.h"

#include <functional>
#include <vector>

namespace quorvex {

class TResultList {
public:
    explicit TResultList(TSlotIndex slot) : m_slot(slot) {}

    TSlotIndex Slot() const { return m_slot; }
    const std::vector<TItemRec*>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    TItemRec* Item(int i) const { return m_items[static_cast<size_t>(i)]; }

    void Add(TItemRec* item);
    // Clears the entry holding item, found by probing s, s + 32768, s + 65536, ...
    void RemoveBySlot(TItemRec* item);
    // Drops cleared entries and renumbers the slots of the rest.
    void Compact();
    void Clear();
    // Stable reordering by less (entries must not be empty); slots are renumbered.
    void Sort(const std::function<bool(const TItemRec*, const TItemRec*)>& less);
    void Reverse();
    bool NeedsCompact() const { return m_needsCompact; }

    // Called when an entry was cleared, so the owning window can schedule a compaction.
    std::function<void()> OnCompactNeeded;

private:
    TSlotIndex m_slot;
    std::vector<TItemRec*> m_items;
    bool m_needsCompact = false;
};

// The lists the program has; a list that is not registered (its window does not exist) is
// null and its slots stay -1.
struct TResultLists {
    TResultList* Search = nullptr;
    TResultList* UserList = nullptr;
    TResultList* Duplicates = nullptr;
    bool ProgramClosing = false; // slots are not cleared while the program closes

    TResultList* List(TSlotIndex slot) const;
    void ClearSlots(TItemRec* item, bool catalogOnlyUserList = false);
    // Compacts every list that had entries cleared.
    void CompactPending();
};

TResultLists& ResultLists();

} // namespace quorvex
