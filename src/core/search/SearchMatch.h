#pragma once
// Whether one file, folder or disk is a hit for a snapshot of the criteria.

#include "search/SearchSnapshot.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct TCatalogRec;
struct TDiskRec;
struct TFileRec;
struct TFolderRec;

// The checked rows of the window's category and flag lists.
struct TCategoryChecks {
    bool WithoutCategory = false; // "(Items without category)"
    std::vector<std::string> Categories;
    std::vector<std::string> Flags;
};

// The checks resolved against one catalog's own category and flag names.
struct TCategoryMatch {
    bool WithoutCategory = false;
    std::array<bool, 32> Category{}; // by category number
    uint8_t FlagBits = 0;            // CategoryByte bits of checked flags
};
TCategoryMatch ResolveCategoryChecks(const TCatalogRec* catalog, const TCategoryChecks& checks);

// The name criterion alone (also used by the duplicates search).
bool NameTest(const TSearchSnapshot& s, std::string_view name);
bool MaskTest(const TSearchSnapshot& s, std::string_view name);

bool FileTest(const TSearchSnapshot& s, const TFileRec& file, const TCategoryMatch& categories);
bool FolderTest(const TSearchSnapshot& s, const TFolderRec& folder, std::string_view name,
                const TCategoryMatch& categories);
bool DiskTest(const TSearchSnapshot& s, const TDiskRec& disk, std::string_view name);

} // namespace quorvex
