#pragma once
// The criteria as the worker matches with them, copied once when a search starts.

#include "search/SearchCriteria.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorvex {

struct TSearchSnapshot {
    bool NameOn = false;
    int NameMode = nmPartOfName;
    bool NameCase = false;
    std::string NamePattern;    // UTF-8; upper case unless NameCase; an extension list in modes 3, 4
    std::u32string MaskPattern; // mode File Mask

    std::array<int, 4> Attr{asIgnore, asIgnore, asIgnore, asIgnore};
    bool AttrOn = false;

    bool DescOn = false;
    int DescMode = dcText;
    bool DescCase = false;
    std::string DescPattern; // upper case unless DescCase, without blanks, commas, periods, CR, LF

    bool CategoryOn = false;

    bool SizeOn = false;
    int SizeMode = smNone;
    int64_t SizeLower = 0; // bytes
    int64_t SizeUpper = 0;

    bool DateOn = false;
    int DateField = dfNone;
    int DateOp = doOn;
    int64_t DateLower = 0; // packed DOS date-times, compared without sign
    int64_t DateUpper = 0;
    int TimeField = dfNone;
    int TimeOp = doOn;
    double TimeLower = 0; // fractions of a day
    double TimeUpper = 0;

    int CombineRule = crAll;
    int HitLimit = 0; // 0 = none

    bool Files = true;
    bool Folders = true;
    bool Disks = true;
    bool InsideArchives = true;
    bool DescriptionOnly = false;
};

// Fills snapshot from the window's values; false when no criterion is active.
bool BuildSnapshot(const TSearchCriteria& criteria, TSearchSnapshot& snapshot);

// A description as the text test sees it (step shared by pattern and item).
std::string StripDescription(std::string_view text, bool upper);

} // namespace quorvex
