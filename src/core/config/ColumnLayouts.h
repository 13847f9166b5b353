#pragma once
// The column layouts of the five item lists, kept under the subkey "Columns" as "ListView0" to
// "ListView4": the column shown at each display position and whether it is shown.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace quorvex {

class ISettingsStore;

enum TColumnList : int {
    clDisks = 0,        // "Main Window - Disks List"
    clFiles = 1,        // "Main Window - Files and Folders List"
    clSearch = 2,       // "Search Results List"
    clUserList = 3,     // "User List"
    clCompare = 4,      // "Compare to Media Results List"
};
constexpr int ColumnListCount = 5;
constexpr int LayoutColumnCount = 11;
constexpr qsizetype ColumnLayoutSize = 56;
inline constexpr char ColumnsKey[] = "Columns";

QString ColumnListName(int list);
QString ColumnLayoutValueName(int list); // "ListView" + digit

struct TColumnLayout {
    std::array<int32_t, LayoutColumnCount> Order{}; // display position -> column index
    std::array<bool, LayoutColumnCount> Shown{};    // per display position
    bool operator==(const TColumnLayout&) const = default;
};

TColumnLayout DefaultColumnLayout(int list);
QByteArray EncodeColumnLayout(const TColumnLayout& layout);
// Nothing unless the value has 56 bytes and its order names every column exactly once.
std::optional<TColumnLayout> DecodeColumnLayout(const QByteArray& bytes);

// The stored layout of a list, or its default when there is none that can be read.
TColumnLayout LoadColumnLayout(const ISettingsStore& store, int list);
bool SaveColumnLayout(ISettingsStore& store, int list, const TColumnLayout& layout);

} // namespace quorvex
