#include "config/OptionsTable.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(SettingsWords, DefaultWordsDecodeToTheTablesWordDefaults)
{
    const TWordSettingValues values = DecodeSettingsWords(DefaultSettingsWords);
    for (const TWordSettingDef& def : WordSettingTable())
        EXPECT_EQ(values[size_t(def.Id)], def.WordDefault) << def.Name;
}

TEST(SettingsWords, TableWordDefaultsEncodeToTheDefaultWords)
{
    TWordSettingValues values{};
    for (const TWordSettingDef& def : WordSettingTable()) values[size_t(def.Id)] = def.WordDefault;
    const TSettingsWords words = EncodeSettingsWords(values);
    EXPECT_EQ(words[swSettings], 0x315CAEA2u);
    EXPECT_EQ(words[swAdvSettings], 0x0005078Fu);
    EXPECT_EQ(words[swSettings2], 1u);
    EXPECT_EQ(words[swArchiveSupport], 0xFFFFFFFFu); // bits of no archive kind written set
}

TEST(SettingsWords, FieldsOfOneWordNeverOverlap)
{
    std::array<uint32_t, SettingsWordCount> used{};
    for (const TWordSettingDef& def : WordSettingTable()) {
        uint32_t mask = ((1u << def.Width) - 1u) << def.Shift;
        if (def.HighBit >= 0) mask |= 1u << def.HighBit;
        EXPECT_EQ(used[def.Word] & mask, 0u) << def.Name;
        used[def.Word] |= mask;
    }
    EXPECT_EQ(used[swSettings], 0xFFFFFFFFu);
    EXPECT_EQ(used[swAdvSettings], 0xFFFFFFFFu);
}

// Each setting set on its own to every edge of its range survives encoding, and no other
// setting moves.
TEST(SettingsWords, EverySettingRoundTripsAlone)
{
    const TWordSettingValues base = FreshWordSettings();
    for (const TWordSettingDef& def : WordSettingTable()) {
        for (int value : {def.Min, def.Max, (def.Min + def.Max) / 2}) {
            TWordSettingValues values = base;
            values[size_t(def.Id)] = value;
            EXPECT_EQ(DecodeSettingsWords(EncodeSettingsWords(values)), values)
                << def.Name << " = " << value;
        }
    }
}

TEST(SettingsWords, AutoSaveIntervalIsStoredLessTwo)
{
    TWordSettingValues values = FreshWordSettings();
    values[size_t(TWordSetting::AutoSaveEdit)] = 100;
    const TSettingsWords words = EncodeSettingsWords(values);
    EXPECT_EQ((words[swAdvSettings] >> 7) & 0xFF, 98u);
    EXPECT_EQ(DecodeSettingsWords(words)[size_t(TWordSetting::AutoSaveEdit)], 100);
}

TEST(SettingsWords, WaitBarAboveFifteenKeepsHideBarIntact)
{
    for (int wait = 0; wait <= 20; ++wait) {
        TWordSettingValues values = FreshWordSettings();
        values[size_t(TWordSetting::DescWaitBar)] = wait;
        values[size_t(TWordSetting::DescHideBar)] = 7;
        const TSettingsWords words = EncodeSettingsWords(values);
        EXPECT_EQ((words[swSettings] >> 16) & 0xF, uint32_t(std::min(wait, 15)));
        const TWordSettingValues back = DecodeSettingsWords(words);
        EXPECT_EQ(back[size_t(TWordSetting::DescWaitBar)], wait);
        EXPECT_EQ(back[size_t(TWordSetting::DescHideBar)], 7);
    }
}

struct TOutOfRangeCase {
    TSettingsWord Word;
    uint32_t Bits;
    TWordSetting Setting;
    int Expected;
};

class StoredValuesOutOfRange : public testing::TestWithParam<TOutOfRangeCase> {};

TEST_P(StoredValuesOutOfRange, AreBroughtIntoTheControlsRange)
{
    TSettingsWords words = {0, 0, 0, 0};
    words[GetParam().Word] = GetParam().Bits;
    EXPECT_EQ(DecodeSettingsWords(words)[size_t(GetParam().Setting)], GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, StoredValuesOutOfRange,
    testing::Values(
        TOutOfRangeCase{swSettings, 0u << 28, TWordSetting::DescTruncEdit, 1},   // 0 lines
        TOutOfRangeCase{swAdvSettings, 0xFFu << 7, TWordSetting::AutoSaveEdit, 240},
        TOutOfRangeCase{swAdvSettings, 0u, TWordSetting::AutoSaveEdit, 2},
        TOutOfRangeCase{swAdvSettings, 1u << 31 | 3u << 18, TWordSetting::FileDoubleClickCombo, 0},
        TOutOfRangeCase{swAdvSettings, 1u << 31 | 1u << 18, TWordSetting::FileDoubleClickCombo, 5},
        TOutOfRangeCase{swAdvSettings, 3u << 20, TWordSetting::TempRemoval, 0},  // ask
        TOutOfRangeCase{swAdvSettings, 2u << 20, TWordSetting::TempRemoval, 2},  // leave
        TOutOfRangeCase{swSettings, 7u << 24, TWordSetting::DescMaxLevels, 8}),
    [](const testing::TestParamInfo<TOutOfRangeCase>& info) {
        return std::string(WordSettingDef(info.param.Setting).Name) + "_" +
               std::to_string(info.index);
    });
