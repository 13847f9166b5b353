#include "config/OptionsTable.h"

#include <QString>

#include <algorithm>
#include <type_traits>

namespace quorvex {

namespace {

template <typename T> constexpr TWordSettingType TypeOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return TWordSettingType::Bool;
    else if constexpr (std::is_same_v<T, TToolbarDock>)
        return TWordSettingType::ToolbarDock;
    else if constexpr (std::is_same_v<T, TTempRemoval>)
        return TWordSettingType::TempRemoval;
    else
        return TWordSettingType::Int;
}

// DescWaitBar reaches 20 but its field in "Settings" has four bits. Positions above 15 are
// stored there as 15 (so the neighbouring DescHideBar field stays intact) and in full in
// these otherwise unused bits of "Settings2".
constexpr int WaitBarOverflowShift = 8;
constexpr uint32_t WaitBarOverflowMask = 0x1F;

constexpr uint32_t Mask(int width) { return (1u << width) - 1u; }

} // namespace

const std::array<TWordSettingDef, WordSettingCount>& WordSettingTable()
{
#define QUORVEX_WORD_SETTING_ROW(Name, Type, Word, Shift, Width, HighBit, Offset, Inverted, Min, \
                                 Max, Fallback, FreshDefault, WordDefault)                      \
    TWordSettingDef{TWordSetting::Name, #Name,    TypeOf<Type>(), Word,     Shift,               \
                    Width,              HighBit,  Offset,         Inverted, Min,                 \
                    Max,                Fallback, FreshDefault,   WordDefault},
    static const std::array<TWordSettingDef, WordSettingCount> table = {
        {QUORVEX_WORD_SETTINGS(QUORVEX_WORD_SETTING_ROW)}};
#undef QUORVEX_WORD_SETTING_ROW
    return table;
}

const TWordSettingDef* FindWordSetting(const QString& name)
{
    for (const TWordSettingDef& def : WordSettingTable())
        if (name.compare(QLatin1String(def.Name), Qt::CaseInsensitive) == 0) return &def;
    return nullptr;
}

TWordSettingValues FreshWordSettings()
{
    TWordSettingValues values{};
    for (const TWordSettingDef& def : WordSettingTable()) values[size_t(def.Id)] = def.FreshDefault;
    return values;
}

int FitWordSetting(const TWordSettingDef& def, int value)
{
    if (value >= def.Min && value <= def.Max) return value;
    if (def.Fallback >= 0) return def.Fallback;
    return std::clamp(value, def.Min, def.Max);
}

TWordSettingValues DecodeSettingsWords(const TSettingsWords& words)
{
    TWordSettingValues values{};
    for (const TWordSettingDef& def : WordSettingTable()) {
        const uint32_t word = words[def.Word];
        uint32_t field = (word >> def.Shift) & Mask(def.Width);
        if (def.HighBit >= 0) field |= ((word >> def.HighBit) & 1u) << def.Width;
        if (def.Inverted) field ^= 1u;
        values[size_t(def.Id)] = FitWordSetting(def, int(field) + def.Offset);
    }
    const uint32_t overflow = (words[swSettings2] >> WaitBarOverflowShift) & WaitBarOverflowMask;
    int& waitBar = values[size_t(TWordSetting::DescWaitBar)];
    if (waitBar == 15 && overflow > 15 && overflow <= 20) waitBar = int(overflow);
    return values;
}

TSettingsWords EncodeSettingsWords(const TWordSettingValues& values)
{
    // Bits of "ArchiveSupport" that name no archive kind are written set.
    TSettingsWords words = {0, 0, 0, 0xFFFFFFFFu};
    for (const TWordSettingDef& def : WordSettingTable()) {
        const int value = FitWordSetting(def, values[size_t(def.Id)]);
        uint32_t field = uint32_t(value - def.Offset);
        if (def.Inverted) field ^= 1u;
        uint32_t& word = words[def.Word];
        word = (word & ~(Mask(def.Width) << def.Shift)) | ((field & Mask(def.Width)) << def.Shift);
        if (def.HighBit >= 0)
            word = (word & ~(1u << def.HighBit)) | (((field >> def.Width) & 1u) << def.HighBit);
    }
    const int waitBar = FitWordSetting(WordSettingDef(TWordSetting::DescWaitBar),
                                       values[size_t(TWordSetting::DescWaitBar)]);
    if (waitBar > 15) {
        const auto& def = WordSettingDef(TWordSetting::DescWaitBar);
        words[swSettings] |= Mask(def.Width) << def.Shift;
        words[swSettings2] |= uint32_t(waitBar) << WaitBarOverflowShift;
    }
    return words;
}

TWordSetting ArchiveKindSetting(int kind)
{
    return TWordSetting(int(TWordSetting::ArcARC) + std::clamp(kind, 1, 14) - 1);
}

} // namespace quorvex
