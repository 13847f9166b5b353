#pragma once
// The table of every setting packed into the settings words ("Settings", "AdvSettings",
// "Settings2", "ArchiveSupport"): its control name, the bits that hold it, its range and its
// two defaults (the value on a fresh start without any stored settings, and the value decoded
// from the word's default when the store exists but the word is missing).

#include "config/OptionsTypes.h"

#include <array>
#include <cstdint>

namespace quorvex {

enum TSettingsWord : int {
    swSettings = 0,
    swAdvSettings = 1,
    swSettings2 = 2,
    swArchiveSupport = 3,
};
constexpr int SettingsWordCount = 4;
using TSettingsWords = std::array<uint32_t, SettingsWordCount>;

inline constexpr const char* SettingsWordNames[SettingsWordCount] = {
    "Settings", "AdvSettings", "Settings2", "ArchiveSupport"};
// Used for a word that is missing from an existing store.
inline constexpr TSettingsWords DefaultSettingsWords = {0x315CAEA2u, 0x0005078Fu, 1u, 0xFFFFu};

// X(Name, Type, Word, Shift, Width, HighBit, Offset, Inverted, Min, Max, Fallback,
//   FreshDefault, WordDefault)
// The stored field is value - Offset (one bit flipped when Inverted); HighBit, when not -1,
// holds the value's next bit above Width. A stored value outside Min..Max is clamped into the
// range, or becomes Fallback when that is not -1.
#define QUORVEX_WORD_SETTINGS(X)                                                                   \
    X(ButtonSizeBar, int, swSettings, 0, 3, -1, 0, false, 0, 7, -1, 2, 2)                         \
    X(ToolbarDock, TToolbarDock, swSettings, 3, 2, -1, 0, false, 0, 3, -1, 0, 0)                  \
    X(ToolbarVisible, bool, swSettings, 5, 1, -1, 0, false, 0, 1, -1, 1, 1)                       \
    X(ToolbarFloating, bool, swSettings, 6, 1, -1, 0, false, 0, 1, -1, 0, 0)                      \
    X(ImportDescDescriptIon, bool, swSettings, 7, 1, -1, 0, false, 0, 1, -1, 1, 1)                \
    X(InsideZipCheck, bool, swSettings, 8, 1, -1, 0, false, 0, 1, -1, 1, 0)                       \
    X(ShowPrevCheck, bool, swSettings, 9, 1, -1, 0, false, 0, 1, -1, 1, 1)                        \
    X(DescAsTipsCheck, bool, swSettings, 10, 1, -1, 0, false, 0, 1, -1, 1, 1)                     \
    X(ViewStatusCheck, bool, swSettings, 11, 1, -1, 0, false, 0, 1, -1, 1, 1)                     \
    X(AutoloadCheck, bool, swSettings, 12, 1, -1, 0, false, 0, 1, -1, 0, 0)                       \
    X(TipsCheck, bool, swSettings, 13, 1, -1, 0, false, 0, 1, -1, 1, 1)                           \
    X(DescAlwaysCheck, bool, swSettings, 14, 1, -1, 0, false, 0, 1, -1, 0, 0)                     \
    X(ImportDescFilesBbs, bool, swSettings, 15, 1, -1, 0, false, 0, 1, -1, 1, 1)                  \
    X(DescWaitBar, int, swSettings, 16, 4, -1, 0, false, 0, 20, -1, 12, 12)                       \
    X(DescHideBar, int, swSettings, 20, 4, -1, 0, false, 0, 15, -1, 5, 5)                         \
    X(DescMaxLevels, int, swSettings, 24, 3, -1, 1, false, 1, 8, -1, 2, 2)                        \
    X(DescTruncCheck, bool, swSettings, 27, 1, -1, 0, false, 0, 1, -1, 0, 0)                      \
    X(DescTruncEdit, int, swSettings, 28, 4, -1, 0, false, 1, 15, -1, 3, 3)                       \
    X(DescKeepCurrentCheck, bool, swAdvSettings, 0, 1, -1, 0, false, 0, 1, -1, 1, 1)              \
    X(UpdateNameCheck, bool, swAdvSettings, 1, 1, -1, 0, false, 0, 1, -1, 1, 1)                   \
    X(ImportDescArchiveComment, bool, swAdvSettings, 2, 1, -1, 0, false, 0, 1, -1, 1, 1)          \
    X(ImportDescFileIdDiz, bool, swAdvSettings, 3, 1, -1, 0, false, 0, 1, -1, 1, 1)               \
    X(IgnoreFilesCheck, bool, swAdvSettings, 4, 1, -1, 0, false, 0, 1, -1, 1, 0)                  \
    X(IgnoreFoldersCheck, bool, swAdvSettings, 5, 1, -1, 0, false, 0, 1, -1, 1, 0)                \
    X(AutoSaveCheck, bool, swAdvSettings, 6, 1, -1, 0, false, 0, 1, -1, 1, 0)                     \
    X(AutoSaveEdit, int, swAdvSettings, 7, 8, -1, 2, false, 2, 240, -1, 15, 17)                   \
    X(IgnoreRecycleCheck, bool, swAdvSettings, 15, 1, -1, 0, false, 0, 1, -1, 1, 0)               \
    X(ArchivesSortCheck, bool, swAdvSettings, 16, 1, -1, 0, true, 0, 1, -1, 1, 0)                 \
    X(OldButtonsCheck, bool, swAdvSettings, 17, 1, -1, 0, false, 0, 1, -1, 0, 0)                  \
    X(FileDoubleClickCombo, int, swAdvSettings, 18, 2, 31, 0, false, 0, 5, 0, 1, 1)               \
    X(TempRemoval, TTempRemoval, swAdvSettings, 20, 2, -1, 0, false, 0, 2, 0, 0, 0)               \
    X(RestoreDirCheck, bool, swAdvSettings, 22, 1, -1, 0, true, 0, 1, -1, 0, 1)                   \
    X(EjectMediaCheck, bool, swAdvSettings, 23, 1, -1, 0, false, 0, 1, -1, 1, 0)                  \
    X(ArchiveDescOnly, bool, swAdvSettings, 24, 1, -1, 0, false, 0, 1, -1, 0, 0)                  \
    X(ArchiveQuickScan, bool, swAdvSettings, 25, 1, -1, 0, true, 0, 1, -1, 0, 1)                  \
    X(SetSerialCheck, bool, swAdvSettings, 26, 1, -1, 0, true, 0, 1, -1, 1, 1)                    \
    X(SerialAskCheck, bool, swAdvSettings, 27, 1, -1, 0, true, 0, 1, -1, 1, 1)                    \
    X(FormattedSizesCheck, bool, swAdvSettings, 28, 1, -1, 0, false, 0, 1, -1, 1, 0)              \
    X(CreateBakCheck, bool, swAdvSettings, 29, 1, -1, 0, false, 0, 1, -1, 1, 0)                   \
    X(ExternalViewerCheck, bool, swAdvSettings, 30, 1, -1, 0, false, 0, 1, -1, 0, 0)              \
    X(ShowShortcutsCheck, bool, swSettings2, 0, 1, -1, 0, false, 0, 1, -1, 1, 1)                  \
    X(ShortFilenamesCheck, bool, swSettings2, 1, 1, -1, 0, false, 0, 1, -1, 0, 0)                 \
    X(DisableSmoothCheck, bool, swSettings2, 2, 1, -1, 0, false, 0, 1, -1, 1, 0)                  \
    X(AutohideCheck, bool, swSettings2, 3, 1, -1, 0, true, 0, 1, -1, 0, 1)                        \
    X(ArcARC, bool, swArchiveSupport, 0, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcARJ, bool, swArchiveSupport, 1, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcCAB, bool, swArchiveSupport, 2, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcHA, bool, swArchiveSupport, 3, 1, -1, 0, false, 0, 1, -1, 1, 1)                          \
    X(ArcLHA, bool, swArchiveSupport, 4, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcLZH, bool, swArchiveSupport, 5, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcPAK, bool, swArchiveSupport, 6, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcRAR, bool, swArchiveSupport, 7, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcZIP, bool, swArchiveSupport, 8, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcZOO, bool, swArchiveSupport, 9, 1, -1, 0, false, 0, 1, -1, 1, 1)                         \
    X(ArcEXE, bool, swArchiveSupport, 10, 1, -1, 0, false, 0, 1, -1, 1, 1)                        \
    X(ArcTAR, bool, swArchiveSupport, 11, 1, -1, 0, false, 0, 1, -1, 1, 1)                        \
    X(ArcGZIP, bool, swArchiveSupport, 12, 1, -1, 0, false, 0, 1, -1, 1, 1)                       \
    X(ArcZ, bool, swArchiveSupport, 13, 1, -1, 0, false, 0, 1, -1, 1, 1)

enum class TWordSetting : int {
#define QUORVEX_WORD_SETTING_ID(Name, ...) Name,
    QUORVEX_WORD_SETTINGS(QUORVEX_WORD_SETTING_ID)
#undef QUORVEX_WORD_SETTING_ID
};
#define QUORVEX_WORD_SETTING_COUNT(...) +1
constexpr int WordSettingCount = 0 QUORVEX_WORD_SETTINGS(QUORVEX_WORD_SETTING_COUNT);
#undef QUORVEX_WORD_SETTING_COUNT

enum class TWordSettingType { Bool, Int, ToolbarDock, TempRemoval };

struct TWordSettingDef {
    TWordSetting Id;
    const char* Name;
    TWordSettingType Type;
    TSettingsWord Word;
    int Shift;
    int Width;
    int HighBit;
    int Offset;
    bool Inverted;
    int Min;
    int Max;
    int Fallback;
    int FreshDefault;
    int WordDefault;
};

const std::array<TWordSettingDef, WordSettingCount>& WordSettingTable();
inline const TWordSettingDef& WordSettingDef(TWordSetting id)
{
    return WordSettingTable()[size_t(id)];
}
const TWordSettingDef* FindWordSetting(const QString& name);

using TWordSettingValues = std::array<int, WordSettingCount>;

TWordSettingValues FreshWordSettings();
// A value brought into the setting's range the way a stored value is.
int FitWordSetting(const TWordSettingDef& def, int value);
TWordSettingValues DecodeSettingsWords(const TSettingsWords& words);
TSettingsWords EncodeSettingsWords(const TWordSettingValues& values);

// The archive kind (1..14, ARC .. Z) switched by each Arc... box.
TWordSetting ArchiveKindSetting(int kind);

} // namespace quorvex
