#pragma once
// The main toolbar's buttons by the tag the stored toolbar layout names them with, in the
// order of the full toolbar. Tags of commands the program does not offer yet stay reserved so
// that layouts saved later keep their meaning.

#include <cstdint>

namespace quorvex {

enum TMainToolbarTag : uint8_t {
    tbNew = 1,
    tbOpen,
    tbSave,
    tbReport,
    tbAddDisk,
    tbCompare,
    tbSearch,
    tbUserList,
    tbBack,
    tbEditDesc,
    tbProperties,
    tbSetCategory,
    tbExplorer,
    tbView,
    tbLaunch,
    tbCopyTo,
    tbExtract,
    tbAddToUserList,
    tbLargeIcons,
    tbSmallIcons,
    tbIconList,
    tbDetails,
    tbSortName,
    tbSortSecond, // extension in file lists, media type in disk lists
    tbSortSize,
    tbSortFourth, // date in file lists, free space in disk lists
    tbReverse,
    tbHelp,
};
inline constexpr int MainToolbarTagCount = tbHelp;

} // namespace quorvex
