#pragma once
// The toolbar pictures and the status light, drawn by the program so that they look the same
// with any icon theme.

#include <QIcon>
#include <QPixmap>

namespace quorvex {

enum TToolIcon {
    tiNew, tiOpen, tiSave, tiBack, tiReverse,
    tiSortName, tiSortExt, tiSortSize, tiSortDate, tiSortMedia, tiSortFree,
    tiLargeIcons, tiSmallIcons, tiList, tiDetails,
};
QIcon ToolIcon(TToolIcon which);

enum TStatusLight { slIdle, slBusy, slSearch };
QPixmap StatusLight(TStatusLight which);

} // namespace quorvex
