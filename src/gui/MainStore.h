#pragma once
// What the main window keeps in the settings store: its layout ("WindowPos"), the
// recent-files list ("MRUList"), and the settings object read from the same store.

#include "config/Options.h"
#include "config/WindowRecords.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

using TMainLayout = TMainWindowRecord;

class TMainStore {
public:
    // Without a path: the user's own store; tests give a file of their own. Runs the
    // revision check, so a store of another revision is gone afterwards.
    explicit TMainStore(const QString& path = {});
    ~TMainStore();

    ISettingsStore& Settings() { return *m_store; }
    TOptions& Options() { return *m_options; }
    // The settings counted as present: the revision marker could be read.
    bool SettingsPresent() const { return m_settingsPresent; }

    std::optional<TMainLayout> Layout() const;
    void SetLayout(const TMainLayout& layout, const TScreenSize& maximized);
    std::vector<std::string> RecentFiles() const;
    void SetRecentFiles(const std::vector<std::string>& names);
    // Writes the settings object when it has changes, and flushes.
    void Sync();

private:
    std::unique_ptr<ISettingsStore> m_store;
    std::unique_ptr<TOptions> m_options;
    bool m_settingsPresent = false;
};

} // namespace quorvex
