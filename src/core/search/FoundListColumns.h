#pragma once
// The columns of the found lists: which item field each shows for files and folders and for
// disks, their captions, and sorting a found list by a column.

#include "catalog/ItemRecords.h"

#include <QString>

namespace quorvex
{

class TFoundList;

inline constexpr int FoundColumnCount = 10;

QString FoundColumnTitle(int column);
bool FoundColumnRightAligned(int column);
// The item field a column shows for rec; -1 when the column stays empty for its kind.
int FoundColumnField(const TItemRec* rec, int column);
QString FoundItemText(const TItemRec* rec, int column);

// A header click: sorts by column, or reverses the order when the list is already sorted by
// it. The list's sort column and direction follow; slots are renumbered.
void SortFoundList(TFoundList& list, int column, bool archivesAsFolders);

} // namespace quorvex
