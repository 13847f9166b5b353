#include "search/FoundListColumns.h"

#include "browser/ItemText.h"
#include "browser/Sorting.h"
#include "catalog/ItemRoutines.h"
#include "search/FoundList.h"

#include <array>

namespace quorvex
{

namespace
{

constexpr std::array<int, FoundColumnCount> ItemFields{0, 1, 2, 3, 4, 10, 11, 12, 7, 6};
constexpr std::array<int, FoundColumnCount> DiskFields{0, -1, 3, 5, -1, -1, 1, 10, 7, 13};
// Disks sort by the keys of the disk list: name, media type, capacity, catalogued, description.
constexpr std::array<int, FoundColumnCount> DiskSortKeys{0, 0, 3, 5, 0, 0, 1, 0, 0, 6};

const char* const Titles[FoundColumnCount] = {
    "File, Folder or Disk", "Ext",        "Item Size", "Item Date", "Item Time",
    "Media Name",           "Media Type", "Location",  "Category",  "Description"};

bool ValidColumn(int column)
{
    return column >= 0 && column < FoundColumnCount;
}

} // namespace

QString FoundColumnTitle(int column)
{
    return ValidColumn(column) ? QString::fromLatin1(Titles[column]) : QString();
}

bool FoundColumnRightAligned(int column)
{
    return column >= 2 && column <= 4;
}

int FoundColumnField(const TItemRec* rec, int column)
{
    if (!rec || !ValidColumn(column)) return -1;
    return ItemIs(rec, ikDisk) ? DiskFields[size_t(column)] : ItemFields[size_t(column)];
}

QString FoundItemText(const TItemRec* rec, int column)
{
    const int field = FoundColumnField(rec, column);
    if (field < 0) return {};
    // A disk carries no category.
    if (ItemIs(rec, ikDisk) && field == 7) return {};
    return ItemText(rec, field);
}

void SortFoundList(TFoundList& list, int column, bool archivesAsFolders)
{
    if (!ValidColumn(column)) return;
    TResultList& entries = list.Entries();
    if (list.SortColumn == column) {
        entries.Reverse();
        list.SortReversed = !list.SortReversed;
        return;
    }
    TSortContext items{ItemFields[size_t(column)], false, archivesAsFolders};
    TSortContext disks{DiskSortKeys[size_t(column)], false, archivesAsFolders};
    entries.Sort([&](const TItemRec* a, const TItemRec* b) {
        const bool bothDisks = ItemIs(a, ikDisk) && ItemIs(b, ikDisk);
        return CompareItems(a, b, bothDisks ? disks : items) < 0;
    });
    list.SortColumn = static_cast<uint8_t>(column);
    list.SortReversed = false;
}

} // namespace quorvex
