#pragma once
// The real settings store: QSettings for organisation "Talmirex", application "Quorvex" in the
// platform's native format (the per-user registry on Windows, ~/.config/Talmirex/Quorvex.conf
// on Linux), or a settings file named explicitly.

#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace quorvex {

class TQtSettingsStore : public ISettingsStore {
public:
    TQtSettingsStore(); // the user's own settings
    explicit TQtSettingsStore(const QString& iniFile);
    ~TQtSettingsStore() override;

    bool KeyExists(const QString& key) const override;
    bool IsWritable() const override;
    void DeleteKey(const QString& key) override;
    QStringList ValueNames(const QString& key) const override;
    bool Flush() override;

    QString FileName() const { return m_settings->fileName(); }

protected:
    QVariant ReadRaw(const QString& key, const QString& name) const override;
    bool WriteRaw(const QString& key, const QString& name, const QVariant& value) override;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace quorvex
