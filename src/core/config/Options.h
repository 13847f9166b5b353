#pragma once
// The program settings for the whole run: every value of the settings store under the name of
// its control in the settings dialog, the changed flag, and Load, Save and Apply.

#include "config/OptionsEnvironment.h"
#include "config/OptionsTable.h"
#include "config/OptionsTypes.h"
#include "config/ToolbarLayout.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace quorvex {

class IPrompt;
class ISettingsStore;

// What Apply tells the windows besides the settings themselves.
struct TApplyChanges {
    bool First = false;                 // the first Apply of the run (main window shown)
    bool ArchivesSortChanged = false;   // the lists must be sorted again
    bool FormattedSizesChanged = false; // the lists must be repainted
};

class TOptions {
public:
    using TApplyHook = std::function<void(const TOptions&, const TApplyChanges&)>;

    explicit TOptions(ISettingsStore& store,
                      TOptionsEnvironment environment = TOptionsEnvironment::System());

    // Reads the store; missing or unreadable values keep their defaults and set the changed flag.
    void Load();
    // Writes every value. False (after the "Error saving config" message) when the store could
    // not be written; the changed flag then stays set.
    bool Save(IPrompt& prompt);
    bool Save();
    // Checks the two folders (resetting one that does not exist, with a message) and hands the
    // settings to every hook.
    void Apply(IPrompt& prompt);
    void Apply();
    void AddApplyHook(TApplyHook hook) { m_applyHooks.push_back(std::move(hook)); }

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed = true) { m_changed = changed; }
    bool RunWizard() const { return m_runWizard; }
    void SetRunWizard(bool run) { m_runWizard = run; }

    // The settings kept in the settings words, each as CreateBakCheck() / SetCreateBakCheck().
#define QUORVEX_WORD_SETTING_ACCESSORS(Name, Type, ...)                                            \
    Type Name() const { return static_cast<Type>(m_words[size_t(TWordSetting::Name)]); }          \
    void Set##Name(Type value) { SetWordValue(TWordSetting::Name, static_cast<int>(value)); }
    QUORVEX_WORD_SETTINGS(QUORVEX_WORD_SETTING_ACCESSORS)
#undef QUORVEX_WORD_SETTING_ACCESSORS

    int WordValue(TWordSetting id) const { return m_words[size_t(id)]; }
    void SetWordValue(TWordSetting id, int value); // brought into the setting's range
    const TWordSettingValues& WordValues() const { return m_words; }

    bool InternalViewerCheck() const { return !ExternalViewerCheck(); }
    bool AskRemoveTemp() const { return TempRemoval() == TTempRemoval::AskRemoveTemp; }
    bool AlwaysRemoveTemp() const { return TempRemoval() == TTempRemoval::AlwaysRemoveTemp; }
    bool AlwaysLeaveTemp() const { return TempRemoval() == TTempRemoval::AlwaysLeaveTemp; }
    int ToolbarButtonSize() const { return ButtonSizeBar() * 2 + 21; }
    // The archive kind switch table read by the scanner; kinds 1 (ARC) to 14 (Z).
    bool ArchiveKindEnabled(int kind) const;

    // Font slots, TFontSlotIndex order.
    const TFontSlot& FontSlot(int slot) const { return m_fonts[size_t(slot)]; }
    void SetFontSlot(int slot, const TFontSlot& font);
    // The font a window uses: the slot's own when custom, else the system's font for it.
    TFontSlot EffectiveFont(int slot) const;

    // The rows of ImportDescList: which source each row shows and whether it is ticked.
    const TDescSourceOrder& ImportDescOrder() const { return m_descOrder; }
    void SetImportDescOrder(const TDescSourceOrder& order); // must name each source once
    TDescSource DescSourceAt(int row) const { return m_descOrder[size_t(row)]; }
    int DescSourceRow(TDescSource source) const;
    void MoveDescSourceRow(int row, int delta); // "Higher priority" / "Lower priority"
    bool DescSourceChecked(TDescSource source) const;
    void SetDescSourceChecked(TDescSource source, bool checked);

    const TToolbarLayout& ToolbarLayout() const { return m_toolbar; }
    void SetToolbarEntries(std::vector<uint8_t> entries);
    // The main toolbar's controls once it exists (see TOptionsEnvironment::ToolbarControls):
    // the stored layout is read again against them.
    void SetToolbarControls(std::vector<uint8_t> controls);

    const QStringList& AutoloadList() const { return m_autoload; }
    void SetAutoloadList(const QStringList& catalogs);
    const QStringList& DescList() const { return m_descFiles; }
    void SetDescList(const QStringList& masks);
    const QString& ExtractDir() const { return m_extractDir; }
    void SetExtractDir(const QString& folder);
    const QString& CatalogPathEdit() const { return m_catalogPath; }
    void SetCatalogPathEdit(const QString& folder);
    const QString& ViewerEdit() const { return m_viewer; }
    void SetViewerEdit(const QString& program);
    const QString& ShellEdit() const { return m_shell; }
    void SetShellEdit(const QString& program);

    ISettingsStore& Store() const { return m_store; }
    const TOptionsEnvironment& Environment() const { return m_environment; }

    static const QStringList& DefaultDescList(); // FILE_ID.DIZ, DESCRIPT.ION, *.NFO, *.TXT

private:
    void ResetToFresh();
    void ReadFonts();
    void ReadDescOrder();
    void ReadFolder(const char* valueName, QString& folder, const QString& fallback);
    void ReadProgram(const char* valueName, QString& program);
    template <typename T> void Change(T& target, const T& value);

    ISettingsStore& m_store;
    TOptionsEnvironment m_environment;
    TWordSettingValues m_words{};
    std::array<TFontSlot, FontSlotCount> m_fonts;
    TDescSourceOrder m_descOrder{};
    TToolbarLayout m_toolbar;
    QStringList m_autoload;
    QStringList m_descFiles;
    QString m_extractDir;
    QString m_catalogPath;
    QString m_viewer;
    QString m_shell;
    bool m_changed = false;
    bool m_runWizard = false;
    bool m_applied = false;
    bool m_appliedArchivesSort = false;
    bool m_appliedFormattedSizes = false;
    std::vector<TApplyHook> m_applyHooks;
};

// The settings object the program reads; until one is installed, one with the fresh defaults
// on a store of its own in memory.
TOptions& Options();
void SetOptions(TOptions* options); // null restores the built-in one

// Names of the values the settings object keeps in the store.
namespace OptionValues {
inline constexpr char UseFontData[] = "UseFontData";
inline constexpr char FontPrefix[] = "Font"; // + slot digit 0..5
inline constexpr char ImportDescOrder[] = "ImportDescOrder";
inline constexpr char CustomToolbar[] = "CustomToolbar";
inline constexpr char Autoload[] = "Autoload";
inline constexpr char DescFiles[] = "DescFiles";
inline constexpr char TempDir[] = "TempDir";
inline constexpr char CatalogDir[] = "CatalogDir";
inline constexpr char ExternalViewer[] = "ExternalViewer";
inline constexpr char ExternalShell[] = "ExternalShell";
} // namespace OptionValues

} // namespace quorvex
