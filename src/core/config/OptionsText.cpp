#include "config/OptionsText.h"

#include "config/CommaText.h"
#include "config/Options.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {

const char* const DockNames[] = {"Toolbar1", "Toolbar2", "Toolbar3", "Toolbar4"};
const char* const RemovalNames[] = {"AskRemoveTemp", "AlwaysRemoveTemp", "AlwaysLeaveTemp"};
const char* const StyleLetters = "BIUS"; // bold, italic, underline, strike-out

QString Location(const TWordSettingDef& def)
{
    const int last = def.Shift + def.Width - 1;
    QString bits = def.Width == 1 ? QString::number(def.Shift)
                                  : QStringLiteral("%1-%2").arg(def.Shift).arg(last);
    if (def.HighBit >= 0) bits += QLatin1Char(',') + QString::number(def.HighBit);
    QString text = QLatin1String(SettingsWordNames[def.Word]) + QStringLiteral(" bit") +
                   (def.Width == 1 && def.HighBit < 0 ? QString() : QStringLiteral("s")) +
                   QLatin1Char(' ') + bits;
    if (def.Inverted) text += QStringLiteral(" inverted");
    if (def.Offset) text += QStringLiteral(" (value - %1)").arg(def.Offset);
    return text;
}

QString WordValueText(const TWordSettingDef& def, int value)
{
    switch (def.Type) {
    case TWordSettingType::Bool:
        return value ? QStringLiteral("true") : QStringLiteral("false");
    case TWordSettingType::ToolbarDock:
        return QLatin1String(DockNames[value]);
    case TWordSettingType::TempRemoval:
        return QLatin1String(RemovalNames[value]);
    case TWordSettingType::Int:
        break;
    }
    return QString::number(value);
}

bool ParseNamed(const QString& text, const char* const* names, int count, int& value)
{
    for (int i = 0; i < count; ++i)
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
            value = i;
            return true;
        }
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0 && value < count;
}

bool ParseWordValue(const TWordSettingDef& def, const QString& text, int& value)
{
    const QString t = text.trimmed();
    switch (def.Type) {
    case TWordSettingType::Bool: {
        static const QStringList on = {QStringLiteral("true"), QStringLiteral("1"),
                                       QStringLiteral("on"), QStringLiteral("yes")};
        static const QStringList off = {QStringLiteral("false"), QStringLiteral("0"),
                                        QStringLiteral("off"), QStringLiteral("no")};
        if (on.contains(t, Qt::CaseInsensitive)) value = 1;
        else if (off.contains(t, Qt::CaseInsensitive)) value = 0;
        else return false;
        return true;
    }
    case TWordSettingType::ToolbarDock:
        return ParseNamed(t, DockNames, 4, value);
    case TWordSettingType::TempRemoval:
        return ParseNamed(t, RemovalNames, 3, value);
    case TWordSettingType::Int:
        break;
    }
    bool ok = false;
    value = t.toInt(&ok);
    return ok && value >= def.Min && value <= def.Max;
}

QString FontText(const TFontSlot& font)
{
    QString style;
    for (int bit = 0; bit < 4; ++bit)
        if (font.Style & (1 << bit)) style += QLatin1Char(StyleLetters[bit]);
    if (style.isEmpty()) style = QStringLiteral("-");
    return QStringLiteral("%1:%2:%3:%4")
        .arg(font.UseCustom ? QStringLiteral("custom") : QStringLiteral("system"))
        .arg(font.Height)
        .arg(style, font.Face);
}

bool ParseFont(const QString& text, TFontSlot& font)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 4) return false;
    if (parts[0] == QLatin1String("custom")) font.UseCustom = true;
    else if (parts[0] == QLatin1String("system")) font.UseCustom = false;
    else return false;
    bool ok = false;
    font.Height = parts[1].toInt(&ok);
    if (!ok) return false;
    font.Style = 0;
    if (parts[2] != QLatin1String("-"))
        for (QChar c : parts[2]) {
            const char letter = c.toUpper().toLatin1();
            const char* at = letter ? std::strchr(StyleLetters, letter) : nullptr;
            if (!at) return false;
            font.Style |= uint8_t(1 << (at - StyleLetters));
        }
    font.Face = parts.mid(3).join(QLatin1Char(':'));
    return true;
}

QString DescOrderText(const TDescSourceOrder& order)
{
    QStringList names;
    for (TDescSource source : order) names.append(DescSourceName(source));
    return ToCommaText(names);
}

bool ParseDescOrder(const QString& text, TDescSourceOrder& order)
{
    const QStringList names = FromCommaText(text);
    if (names.size() != DescSourceCount) return false;
    for (int row = 0; row < DescSourceCount; ++row) {
        int source = -1;
        for (int s = 0; s < DescSourceCount; ++s)
            if (names[row].compare(DescSourceName(TDescSource(s)), Qt::CaseInsensitive) == 0 ||
                names[row] == QString::number(s))
                source = s;
        if (source < 0) return false;
        order[size_t(row)] = TDescSource(source);
    }
    TDescSourceOrder sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int s = 0; s < DescSourceCount; ++s)
        if (sorted[size_t(s)] != TDescSource(s)) return false;
    return true;
}

QString ToolbarText(const TToolbarLayout& layout)
{
    if (!layout.IsKnown()) return QStringLiteral("(not stored)");
    QStringList entries;
    for (uint8_t entry : layout.Entries()) entries.append(QString::number(entry));
    return entries.join(QLatin1Char(','));
}

bool ParseToolbar(const QString& text, std::vector<uint8_t>& entries)
{
    entries.clear();
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int entry = part.trimmed().toInt(&ok);
        if (!ok || entry < 0 || entry > 255) return false;
        entries.push_back(uint8_t(entry));
    }
    return true;
}

// The settings with values of their own, in the order Save writes them.
enum class TOwnSetting { Font, ImportDescOrder, CustomToolbar, Autoload, DescList, ExtractDir,
                         CatalogPath, Viewer, Shell };
struct TOwnSettingDef {
    const char* Name;
    const char* Location;
    TOwnSetting Kind;
    int Slot;
};
const TOwnSettingDef OwnSettings[] = {
    {"Font0", "UseFontData bit 0, Font0", TOwnSetting::Font, 0},
    {"Font1", "UseFontData bit 1, Font1", TOwnSetting::Font, 1},
    {"Font2", "UseFontData bit 2, Font2", TOwnSetting::Font, 2},
    {"Font3", "UseFontData bit 3, Font3", TOwnSetting::Font, 3},
    {"Font4", "UseFontData bit 4, Font4", TOwnSetting::Font, 4},
    {"Font5", "UseFontData bit 5, Font5", TOwnSetting::Font, 5},
    {"ImportDescOrder", "ImportDescOrder", TOwnSetting::ImportDescOrder, 0},
    {"CustomToolbar", "CustomToolbar", TOwnSetting::CustomToolbar, 0},
    {"AutoloadList", "Autoload", TOwnSetting::Autoload, 0},
    {"DescList", "DescFiles", TOwnSetting::DescList, 0},
    {"ExtractDir", "TempDir", TOwnSetting::ExtractDir, 0},
    {"CatalogPathEdit", "CatalogDir", TOwnSetting::CatalogPath, 0},
    {"ViewerEdit", "ExternalViewer", TOwnSetting::Viewer, 0},
    {"ShellEdit", "ExternalShell", TOwnSetting::Shell, 0},
};

QString OwnValueText(const TOptions& options, const TOwnSettingDef& def)
{
    switch (def.Kind) {
    case TOwnSetting::Font:
        return FontText(options.FontSlot(def.Slot));
    case TOwnSetting::ImportDescOrder:
        return DescOrderText(options.ImportDescOrder());
    case TOwnSetting::CustomToolbar:
        return ToolbarText(options.ToolbarLayout());
    case TOwnSetting::Autoload:
        return ToCommaText(options.AutoloadList());
    case TOwnSetting::DescList:
        return ToCommaText(options.DescList());
    case TOwnSetting::ExtractDir:
        return options.ExtractDir();
    case TOwnSetting::CatalogPath:
        return options.CatalogPathEdit();
    case TOwnSetting::Viewer:
        return options.ViewerEdit();
    case TOwnSetting::Shell:
        break;
    }
    return options.ShellEdit();
}

bool SetOwnValue(TOptions& options, const TOwnSettingDef& def, const QString& text)
{
    switch (def.Kind) {
    case TOwnSetting::Font: {
        TFontSlot font = options.FontSlot(def.Slot);
        if (!ParseFont(text, font)) return false;
        options.SetFontSlot(def.Slot, font);
        return true;
    }
    case TOwnSetting::ImportDescOrder: {
        TDescSourceOrder order{};
        if (!ParseDescOrder(text, order)) return false;
        options.SetImportDescOrder(order);
        return true;
    }
    case TOwnSetting::CustomToolbar: {
        std::vector<uint8_t> entries;
        if (!ParseToolbar(text, entries)) return false;
        options.SetToolbarEntries(std::move(entries));
        return true;
    }
    case TOwnSetting::Autoload:
        options.SetAutoloadList(FromCommaText(text));
        return true;
    case TOwnSetting::DescList:
        options.SetDescList(FromCommaText(text));
        return true;
    case TOwnSetting::ExtractDir:
        options.SetExtractDir(text);
        return true;
    case TOwnSetting::CatalogPath:
        options.SetCatalogPathEdit(text);
        return true;
    case TOwnSetting::Viewer:
        options.SetViewerEdit(text);
        return true;
    case TOwnSetting::Shell:
        break;
    }
    options.SetShellEdit(text);
    return true;
}

} // namespace

std::vector<TSettingText> DescribeOptions(const TOptions& options)
{
    std::vector<TSettingText> texts;
    for (const TWordSettingDef& def : WordSettingTable())
        texts.push_back({QLatin1String(def.Name), Location(def),
                         WordValueText(def, options.WordValue(def.Id))});
    for (const TOwnSettingDef& def : OwnSettings)
        texts.push_back({QLatin1String(def.Name), QLatin1String(def.Location),
                         OwnValueText(options, def)});
    return texts;
}

bool SetOptionFromText(TOptions& options, const QString& name, const QString& text, QString& error)
{
    if (const TWordSettingDef* def = FindWordSetting(name)) {
        int value = 0;
        if (!ParseWordValue(*def, text, value)) {
            error = QStringLiteral("'%1' is not a value of %2").arg(text, QLatin1String(def->Name));
            return false;
        }
        options.SetWordValue(def->Id, value);
        return true;
    }
    for (const TOwnSettingDef& def : OwnSettings) {
        if (name.compare(QLatin1String(def.Name), Qt::CaseInsensitive) != 0) continue;
        if (SetOwnValue(options, def, text)) return true;
        error = QStringLiteral("'%1' is not a value of %2").arg(text, QLatin1String(def.Name));
        return false;
    }
    error = QStringLiteral("no setting is named '%1'").arg(name);
    return false;
}

} // namespace quorvex
