#include "config/ColumnLayouts.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <numeric>

namespace quorvex {

QString ColumnListName(int list)
{
    static const char* const names[ColumnListCount] = {
        "Main Window - Disks List", "Main Window - Files and Folders List", "Search Results List",
        "User List", "Compare to Media Results List"};
    if (list < 0 || list >= ColumnListCount) return QString();
    return QString::fromLatin1(names[list]);
}

QString ColumnLayoutValueName(int list)
{
    return QStringLiteral("ListView") + QString::number(list);
}

TColumnLayout DefaultColumnLayout(int list)
{
    TColumnLayout layout;
    std::iota(layout.Order.begin(), layout.Order.end(), 0);
    if (list == clFiles) std::swap(layout.Order[6], layout.Order[7]); // Category before Description
    layout.Shown.fill(true);
    return layout;
}

QByteArray EncodeColumnLayout(const TColumnLayout& layout)
{
    QByteArray bytes;
    for (int32_t column : layout.Order) bytes.append(WordBytes(uint32_t(column)));
    for (bool shown : layout.Shown) bytes.append(char(shown ? 1 : 0));
    bytes.append('\0');
    return bytes;
}

std::optional<TColumnLayout> DecodeColumnLayout(const QByteArray& bytes)
{
    if (bytes.size() != ColumnLayoutSize) return std::nullopt;
    TColumnLayout layout;
    std::array<bool, LayoutColumnCount> named{};
    for (int p = 0; p < LayoutColumnCount; ++p) {
        const int32_t column = int32_t(BytesWord(bytes.mid(p * 4, 4)));
        if (column < 0 || column >= LayoutColumnCount || named[size_t(column)]) return std::nullopt;
        named[size_t(column)] = true;
        layout.Order[size_t(p)] = column;
        layout.Shown[size_t(p)] = bytes[44 + p] != 0;
    }
    return layout;
}

TColumnLayout LoadColumnLayout(const ISettingsStore& store, int list)
{
    const auto bytes = store.ReadBinary(QLatin1String(ColumnsKey), ColumnLayoutValueName(list));
    if (bytes)
        if (const auto layout = DecodeColumnLayout(*bytes)) return *layout;
    return DefaultColumnLayout(list);
}

bool SaveColumnLayout(ISettingsStore& store, int list, const TColumnLayout& layout)
{
    if (list < 0 || list >= ColumnListCount) return false;
    return store.WriteBinary(QLatin1String(ColumnsKey), ColumnLayoutValueName(list),
                             EncodeColumnLayout(layout));
}

} // namespace quorvex
