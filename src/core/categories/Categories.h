#pragma once
// Categories and flags of a catalog: up to 31 named categories with numbers 1..31 and three
// flag names, kept in the catalog record. Files and folders refer to them by CategoryByte:
// bits 0-4 the category number (0 none), bits 5-7 flags 1-3.

#include "catalog/ItemRecords.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

constexpr int MaxCategories = 31;
constexpr uint8_t CategoryMask = 0x1F;
constexpr uint8_t FlagBit(int flag) { return uint8_t(0x20 << flag); } // flag 0..2
constexpr uint8_t AllFlagBits = 0xE0;

using TCategoryList = std::vector<std::pair<std::string, uint8_t>>; // name, number

inline int CategoryNumber(uint8_t categoryByte) { return categoryByte & CategoryMask; }

// The name of the first entry with the item's number; empty when no entry has it.
std::string CategoryName(const TCatalogRec& catalog, uint8_t categoryByte);
// The entry with that number, if any.
const std::pair<std::string, uint8_t>* CategoryEntry(const TCatalogRec& catalog, int number);
// The number of the entry with exactly that name; 0 when none.
int CategoryNumberByName(const TCatalogRec& catalog, std::string_view name);
// The names of the item's set flags that are defined in the catalog.
std::vector<std::string> FlagNamesOf(const TCatalogRec& catalog, uint8_t categoryByte);

// The lowest number 1..31 no entry uses; 0 when the list is full.
int FreeCategoryNumber(const TCategoryList& list);
// Adds name with the lowest free number; returns the number, or 0 when refused (empty
// name or full list).
int AddCategory(TCategoryList& list, std::string_view name);
bool RenameCategory(TCategoryList& list, int number, std::string_view name);
bool RemoveCategory(TCategoryList& list, int number);
// Names differing only in letter case count as the same category.
bool HasCategoryName(const TCategoryList& list, std::string_view name);

enum class TCopyResult { NothingToCopy, Copied, NotEnoughRoom };
// Adds the source's names the list does not have yet, until it is full.
TCopyResult CopyCategories(TCategoryList& list, const TCategoryList& source,
                           std::vector<int>* addedNumbers = nullptr);

} // namespace quorvex
