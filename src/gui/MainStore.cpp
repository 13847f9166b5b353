#include "MainStore.h"
#include "SlotFont.h"

#include "config/CommaText.h"
#include "config/RevisionCheck.h"
#include "platform/SettingsStoreQt.h"

namespace quorvex {

namespace {
constexpr char RecentValue[] = "MRUList";
}

TMainStore::TMainStore(const QString& path)
    : m_store(path.isEmpty() ? std::make_unique<TQtSettingsStore>() : std::make_unique<TQtSettingsStore>(path))
{
    m_settingsPresent = RunRevisionCheck(*m_store).MarkerPresent;
    TOptionsEnvironment environment = TOptionsEnvironment::System();
    environment.SystemFont = SystemSlotFont;
    m_options = std::make_unique<TOptions>(*m_store, std::move(environment));
    // A first start stores the fresh settings whole at once: the window records written
    // before the end need the revision marker beside them, and a store holding the marker
    // without the settings words would read back the defaults of missing words (not the fresh
    // values) when the wizard or the settings dialog is cancelled.
    if (!m_settingsPresent && !m_options->Save()) m_options->SetChanged();
}

TMainStore::~TMainStore() = default;

std::optional<TMainLayout> TMainStore::Layout() const { return LoadMainWindowRecord(*m_store); }

void TMainStore::SetLayout(const TMainLayout& layout, const TScreenSize& maximized)
{
    SaveMainWindowRecord(*m_store, layout, maximized);
}

std::vector<std::string> TMainStore::RecentFiles() const
{
    std::vector<std::string> names;
    if (auto text = m_store->ReadString(QString(), RecentValue))
        for (const QString& n : FromCommaText(*text))
            if (!n.isEmpty()) names.push_back(n.toStdString());
    return names;
}

void TMainStore::SetRecentFiles(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& n : names) list << QString::fromStdString(n);
    m_store->WriteString(QString(), RecentValue, ToCommaText(list));
}

void TMainStore::Sync()
{
    if (m_options->IsChanged()) m_options->Save();
    m_store->Flush();
}

} // namespace quorvex
