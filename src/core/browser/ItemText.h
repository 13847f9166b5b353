#pragma once
// The texts the item lists show: every column of every kind of item, sizes, dates,
// attributes, shortened descriptions, and the status bar texts.

#include "catalog/ItemRecords.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace quorvex {

// Fields of the item lists (column index = field in the main window).
enum TItemField : int {
    fdName = 0, fdExt = 1, fdSize = 2, fdDate = 3, fdTime = 4, fdAttr = 5, fdDescription = 6,
    fdCategory = 7, fdDiskName = 10, fdMediaType = 11, fdPath = 12,
    // disk columns
    fdDiskMedia = 1, fdVolume = 2, fdCapacity = 3, fdFree = 4, fdUpdated = 5,
};

// "512 B", "1.5 kB", "1.56 kB", "10 kB", "1 MB".
QString FormatSize(double bytes);
// The exact number of bytes with thousands separators.
QString ExactSize(int64_t bytes);
// Field 2 of files and folders: formatted or exact, as the settings say.
QString ListSizeText(int64_t bytes);

QDateTime DosDateTimeValue(int32_t dosDateTime); // invalid for 0 and impossible values
QString DosDateText(int32_t dosDateTime);
QString DosTimeText(int32_t dosDateTime);
QString CataloguedText(double days); // days since 30 Dec 1899
QString AttrText(uint8_t attr);
// Up to 69 characters of the first line and " (more...)" when something is left out.
QString ShortDescription(const QString& text);
QString MediaTypeText(uint8_t mediaType, uint8_t kindFlags);

QString ItemName(const TItemRec* rec); // a file's Name, otherwise its node's text
QString ItemDescription(const TItemRec* rec);
QString CategoryName(const TItemRec* rec); // empty when none
int64_t ItemSizeBytes(const TItemRec* rec); // files Size, folders TotalSize, disks capacity
QString ExtensionOf(const QString& name);

// The text of one field of any item; reports ask with shortDescriptions false.
QString ItemText(const TItemRec* rec, int field, bool shortDescriptions = true);

// Panel 1 of the status bar for one item.
QString StatusItemText(TItemRec* rec, const QString& name);
// Panel 2: "Total: 3 items, 1.5 kB" or "Selected: 1 item, 1.5 kB".
QString ListTotals(const std::vector<TItemRec*>& counted, bool selected);

// From start, wrapping once, the first item whose name starts with text (no case); -1 if none.
int FindItemByPrefix(const std::vector<TItemRec*>& store, const QString& text, int start);

// Wraps a description for a tooltip: lines of at most 80 characters, at most 15 lines.
QString DescriptionTip(const QString& text);

} // namespace quorvex
