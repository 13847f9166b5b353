#include "config/Options.h"

#include "config/CommaText.h"
#include "config/FontRecords.h"
#include "config/RevisionCheck.h"
#include "platform/Prompt.h"
#include "platform/ServiceSlot.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsStoreMemory.h"

#include <algorithm>
#include <memory>

namespace quorvex {

namespace {

const QString Root; // the program's own key

QString Name(const char* name) { return QString::fromLatin1(name); }
QString FontValueName(int slot) { return Name(OptionValues::FontPrefix) + QString::number(slot); }

// Each source's check mark lives in its own bit of the settings words.
TWordSetting CheckSetting(TDescSource source)
{
    switch (source) {
    case TDescSource::FileIdDiz:
        return TWordSetting::ImportDescFileIdDiz;
    case TDescSource::FilesBbs:
        return TWordSetting::ImportDescFilesBbs;
    case TDescSource::DescriptIon:
        return TWordSetting::ImportDescDescriptIon;
    case TDescSource::ArchiveComment:
        break;
    }
    return TWordSetting::ImportDescArchiveComment;
}

constexpr TDescSourceOrder FreshDescOrder = {TDescSource::FileIdDiz, TDescSource::FilesBbs,
                                             TDescSource::DescriptIon, TDescSource::ArchiveComment};

} // namespace

QString DescSourceName(TDescSource source)
{
    switch (source) {
    case TDescSource::FileIdDiz:
        return QStringLiteral("FILE_ID.DIZ");
    case TDescSource::FilesBbs:
        return QStringLiteral("FILES.BBS");
    case TDescSource::DescriptIon:
        return QStringLiteral("DESCRIPT.ION");
    case TDescSource::ArchiveComment:
        break;
    }
    return QStringLiteral("archive comment");
}

const QStringList& TOptions::DefaultDescList()
{
    static const QStringList masks = {QStringLiteral("FILE_ID.DIZ"), QStringLiteral("DESCRIPT.ION"),
                                      QStringLiteral("*.NFO"), QStringLiteral("*.TXT")};
    return masks;
}

TOptions::TOptions(ISettingsStore& store, TOptionsEnvironment environment)
    : m_store(store), m_environment(std::move(environment))
{
    ResetToFresh();
    Load();
}

void TOptions::ResetToFresh()
{
    m_words = FreshWordSettings();
    for (int slot = 0; slot < FontSlotCount; ++slot) {
        TFontSlot& font = m_fonts[size_t(slot)];
        if (slot == fsPropertiesDesc || slot == fsAsciiViewer) {
            font = TFontSlot{true, -15, 0, QStringLiteral("Courier New")};
        } else {
            font = m_environment.SystemFontOf(slot);
            font.UseCustom = false;
        }
    }
    m_descOrder = FreshDescOrder;
    m_toolbar.Load(std::nullopt, m_environment.ToolbarControls);
    m_autoload.clear();
    m_descFiles = DefaultDescList();
    m_extractDir = m_environment.TempFolder;
    m_catalogPath = m_environment.ProgramFolder;
    m_viewer = m_environment.DefaultViewer;
    m_shell.clear();
}

void TOptions::Load()
{
    // Everything starts from the fresh values, so that a reload also undoes edits of values
    // the store does not hold.
    ResetToFresh();
    m_changed = false;
    if (!m_store.KeyExists(Root)) {
        m_changed = true;
        return;
    }

    ReadFonts();
    ReadDescOrder();

    const auto toolbar = m_store.ReadBinary(Root, Name(OptionValues::CustomToolbar));
    // Without a toolbar a missing layout stays unknown and is not written, so it is no change.
    if (!toolbar && !m_environment.ToolbarControls.empty()) m_changed = true;
    m_toolbar.Load(toolbar, m_environment.ToolbarControls);

    TSettingsWords words = DefaultSettingsWords;
    for (int w = 0; w < SettingsWordCount; ++w) {
        if (const std::optional<uint32_t> word = m_store.ReadWord(Root, Name(SettingsWordNames[w])))
            words[size_t(w)] = *word;
        else
            m_changed = true;
    }
    m_words = DecodeSettingsWords(words);

    if (const auto autoload = m_store.ReadString(Root, Name(OptionValues::Autoload)))
        m_autoload = FromCommaText(*autoload);
    else
        m_changed = true;
    if (const auto masks = m_store.ReadString(Root, Name(OptionValues::DescFiles)))
        m_descFiles = FromCommaText(*masks);
    else
        m_changed = true;
    ReadFolder(OptionValues::TempDir, m_extractDir, m_environment.TempFolder);
    ReadFolder(OptionValues::CatalogDir, m_catalogPath, m_environment.ProgramFolder);
    ReadProgram(OptionValues::ExternalViewer, m_viewer);
    ReadProgram(OptionValues::ExternalShell, m_shell);
}

void TOptions::ReadFonts()
{
    if (const auto use = m_store.ReadWord(Root, Name(OptionValues::UseFontData))) {
        for (int slot = 0; slot < FontSlotCount; ++slot)
            m_fonts[size_t(slot)].UseCustom = (*use >> slot) & 1u;
    } else {
        m_changed = true;
    }
    for (int slot = 0; slot < FontSlotCount; ++slot) {
        const auto record = m_store.ReadBinary(Root, FontValueName(slot));
        const std::optional<TFontSlot> font = record ? DecodeFontSlotRecord(*record) : std::nullopt;
        if (!font) {
            m_changed = true;
            continue;
        }
        TFontSlot& target = m_fonts[size_t(slot)];
        target.Height = font->Height;
        target.Style = font->Style;
        target.Face = font->Face;
    }
}

void TOptions::ReadDescOrder()
{
    const auto stored = m_store.ReadBinaryOfSize(Root, Name(OptionValues::ImportDescOrder), 4);
    if (!stored) {
        m_changed = true;
        return;
    }
    // Each stored source is moved to its row by exchanging rows, so the rows stay a
    // permutation of the sources whatever the bytes say.
    for (int row = 0; row < DescSourceCount; ++row) {
        const int source = uint8_t((*stored)[row]);
        if (source >= DescSourceCount) continue;
        const int now = DescSourceRow(TDescSource(source));
        std::swap(m_descOrder[size_t(now)], m_descOrder[size_t(row)]);
    }
}

void TOptions::ReadFolder(const char* valueName, QString& folder, const QString& fallback)
{
    const auto stored = m_store.ReadString(Root, Name(valueName));
    if (!stored) m_changed = true;
    if (stored && !stored->isEmpty()) folder = *stored;
    if (!m_environment.IsFolder(folder)) folder = fallback;
}

void TOptions::ReadProgram(const char* valueName, QString& program)
{
    const auto stored = m_store.ReadString(Root, Name(valueName));
    if (!stored) m_changed = true;
    if (stored && !stored->isEmpty()) program = *stored;
}

bool TOptions::Save() { return Save(Prompt()); }

bool TOptions::Save(IPrompt& prompt)
{
    auto reportFailure = [&prompt] {
        prompt.Inform(QStringLiteral("Error saving config"),
                      QStringLiteral("An error has occurred while writing to registry!\r\nPlease "
                                     "check your windows registry, there may be more serious "
                                     "problem involved."),
                      TPromptIcon::Error);
        return false;
    };
    if (!m_store.IsWritable()) return reportFailure();

    // A single write that fails is passed over; the flush at the end tells whether it all held.
    uint32_t useFonts = 0;
    for (int slot = 0; slot < FontSlotCount; ++slot)
        if (m_fonts[size_t(slot)].UseCustom) useFonts |= 1u << slot;
    m_store.WriteWord(Root, Name(OptionValues::UseFontData), useFonts);
    for (int slot = 0; slot < FontSlotCount; ++slot)
        m_store.WriteBinary(Root, FontValueName(slot), EncodeFontSlotRecord(m_fonts[size_t(slot)]));
    QByteArray order;
    for (TDescSource source : m_descOrder) order.append(char(source));
    m_store.WriteBinary(Root, Name(OptionValues::ImportDescOrder), order);
    if (m_toolbar.IsKnown())
        m_store.WriteBinary(Root, Name(OptionValues::CustomToolbar), m_toolbar.Stored());
    const TSettingsWords words = EncodeSettingsWords(m_words);
    for (int w = 0; w < SettingsWordCount; ++w)
        m_store.WriteWord(Root, Name(SettingsWordNames[w]), words[size_t(w)]);
    m_store.WriteString(Root, Name(OptionValues::Autoload), ToCommaText(m_autoload));
    m_store.WriteString(Root, Name(OptionValues::DescFiles), ToCommaText(m_descFiles));
    m_store.WriteString(Root, Name(OptionValues::TempDir), m_extractDir);
    m_store.WriteString(Root, Name(OptionValues::CatalogDir), m_catalogPath);
    m_store.WriteString(Root, Name(OptionValues::ExternalViewer), m_viewer);
    m_store.WriteString(Root, Name(OptionValues::ExternalShell), m_shell);
    WriteRevisionMarker(m_store);

    if (!m_store.Flush()) return reportFailure();
    m_changed = false;
    return true;
}

void TOptions::Apply() { Apply(Prompt()); }

void TOptions::Apply(IPrompt& prompt)
{
    const QChar quote = QLatin1Char('"');
    if (!m_environment.IsFolder(m_extractDir)) {
        prompt.Inform(QStringLiteral("Invalid folder"),
                      QStringLiteral("Folder ") + quote + m_extractDir + quote +
                          QStringLiteral(", set as temporary folder for extracting files does "
                                         "not exist!\rReverting to default Windows temporary "
                                         "folder."),
                      TPromptIcon::Warning);
        m_extractDir = m_environment.TempFolder;
    }
    m_extractDir = WithTrailingSeparator(m_extractDir);
    if (!m_environment.IsFolder(m_catalogPath)) {
        prompt.Inform(QStringLiteral("Invalid folder"),
                      QStringLiteral("Folder ") + quote + m_catalogPath + quote +
                          QStringLiteral(", set as default folder for catalog storage does not "
                                         "exist!\rReverting to program folder."),
                      TPromptIcon::Warning);
        m_catalogPath = m_environment.ProgramFolder;
    }
    m_catalogPath = WithTrailingSeparator(m_catalogPath);

    TApplyChanges changes;
    changes.First = !m_applied;
    changes.ArchivesSortChanged = m_applied && m_appliedArchivesSort != ArchivesSortCheck();
    changes.FormattedSizesChanged = m_applied && m_appliedFormattedSizes != FormattedSizesCheck();
    m_applied = true;
    m_appliedArchivesSort = ArchivesSortCheck();
    m_appliedFormattedSizes = FormattedSizesCheck();
    for (const TApplyHook& hook : m_applyHooks) hook(*this, changes);
}

template <typename T> void TOptions::Change(T& target, const T& value)
{
    if (target == value) return;
    target = value;
    m_changed = true;
}

void TOptions::SetWordValue(TWordSetting id, int value)
{
    Change(m_words[size_t(id)], FitWordSetting(WordSettingDef(id), value));
}

bool TOptions::ArchiveKindEnabled(int kind) const
{
    if (kind < 1 || kind > 14) return false;
    return m_words[size_t(ArchiveKindSetting(kind))] != 0;
}

void TOptions::SetFontSlot(int slot, const TFontSlot& font)
{
    if (slot < 0 || slot >= FontSlotCount) return;
    Change(m_fonts[size_t(slot)], font);
}

TFontSlot TOptions::EffectiveFont(int slot) const
{
    const TFontSlot& own = FontSlot(slot);
    if (own.UseCustom) return own;
    return m_environment.SystemFontOf(slot);
}

void TOptions::SetImportDescOrder(const TDescSourceOrder& order)
{
    TDescSourceOrder sorted = order;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != FreshDescOrder) return; // not a permutation of the four sources
    Change(m_descOrder, order);
}

int TOptions::DescSourceRow(TDescSource source) const
{
    return int(std::find(m_descOrder.begin(), m_descOrder.end(), source) - m_descOrder.begin());
}

void TOptions::MoveDescSourceRow(int row, int delta)
{
    const int to = row + delta;
    if (row < 0 || row >= DescSourceCount || to < 0 || to >= DescSourceCount || to == row) return;
    std::swap(m_descOrder[size_t(row)], m_descOrder[size_t(to)]);
    m_changed = true;
}

bool TOptions::DescSourceChecked(TDescSource source) const
{
    return m_words[size_t(CheckSetting(source))] != 0;
}

void TOptions::SetDescSourceChecked(TDescSource source, bool checked)
{
    SetWordValue(CheckSetting(source), checked);
}

void TOptions::SetToolbarEntries(std::vector<uint8_t> entries)
{
    TToolbarLayout layout = m_toolbar;
    layout.SetEntries(std::move(entries));
    Change(m_toolbar, layout);
}

void TOptions::SetToolbarControls(std::vector<uint8_t> controls)
{
    m_environment.ToolbarControls = std::move(controls);
    std::optional<QByteArray> stored;
    if (m_store.KeyExists(Root)) stored = m_store.ReadBinary(Root, Name(OptionValues::CustomToolbar));
    if (!stored && !m_environment.ToolbarControls.empty()) m_changed = true;
    m_toolbar.Load(stored, m_environment.ToolbarControls);
}

void TOptions::SetAutoloadList(const QStringList& catalogs) { Change(m_autoload, catalogs); }
void TOptions::SetDescList(const QStringList& masks) { Change(m_descFiles, masks); }
void TOptions::SetExtractDir(const QString& folder) { Change(m_extractDir, folder); }
void TOptions::SetCatalogPathEdit(const QString& folder) { Change(m_catalogPath, folder); }
void TOptions::SetViewerEdit(const QString& program) { Change(m_viewer, program); }
void TOptions::SetShellEdit(const QString& program) { Change(m_shell, program); }

namespace {

// The built-in settings keep their store in memory; the holder comes first so the store
// exists before the settings read it.
struct TMemoryStoreHolder {
    TMemorySettingsStore MemoryStore;
};
class TBuiltInOptions : private TMemoryStoreHolder, public TOptions {
public:
    TBuiltInOptions() : TOptions(MemoryStore) {}
};

TServiceSlot<TOptions, TBuiltInOptions> InstalledOptions;

} // namespace

TOptions& Options() { return InstalledOptions.Get(); }

void SetOptions(TOptions* options) { InstalledOptions.Set(options); }

} // namespace quorvex
