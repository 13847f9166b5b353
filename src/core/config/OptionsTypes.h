#pragma once
// Value types of the program settings that are more than a switch or a number.

#include <QString>

#include <array>
#include <cstdint>

namespace quorvex {

// Where the main toolbar docks: the radio buttons Toolbar1 to Toolbar4.
enum class TToolbarDock : int { Toolbar1 = 0, Toolbar2 = 1, Toolbar3 = 2, Toolbar4 = 3 };
inline constexpr TToolbarDock ToolbarTop = TToolbarDock::Toolbar1;
inline constexpr TToolbarDock ToolbarBottom = TToolbarDock::Toolbar2;
inline constexpr TToolbarDock ToolbarLeft = TToolbarDock::Toolbar3;
inline constexpr TToolbarDock ToolbarRight = TToolbarDock::Toolbar4;

// What happens to extracted files at program end: AskRemoveTemp, AlwaysRemoveTemp or
// AlwaysLeaveTemp.
enum class TTempRemoval : int { AskRemoveTemp = 0, AlwaysRemoveTemp = 1, AlwaysLeaveTemp = 2 };

// The description sources of a disk scan; the rows of ImportDescList show them in priority order.
enum class TDescSource : int { FileIdDiz = 0, FilesBbs = 1, DescriptIon = 2, ArchiveComment = 3 };
constexpr int DescSourceCount = 4;
using TDescSourceOrder = std::array<TDescSource, DescSourceCount>; // row -> source
QString DescSourceName(TDescSource source); // "FILE_ID.DIZ", ..., "archive comment"

// The rows of FileDoubleClickCombo.
enum TFileDoubleClick : int {
    dcNothing = 0,
    dcProperties = 1,
    dcExplorer = 2,
    dcLaunch = 3,
    dcView = 4,
    dcDescAssist = 5,
};

// One of the six font slots of the user interface, in FontSettingsCombo order.
enum TFontSlotIndex : int {
    fsCatalogTree = 0,
    fsFileList = 1,
    fsPropertiesDesc = 2,
    fsDescFileContents = 3,
    fsDescTips = 4,
    fsAsciiViewer = 5,
};
constexpr int FontSlotCount = 6;

enum TFontStyleBits : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontSlot {
    bool UseCustom = false;
    int32_t Height = 0; // negative: character height in pixels, as the platform's fonts use it
    uint8_t Style = 0;  // TFontStyleBits
    QString Face;       // empty: the system's font
    bool operator==(const TFontSlot&) const = default;
};

} // namespace quorvex
