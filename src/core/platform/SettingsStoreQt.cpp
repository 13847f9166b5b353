#include "platform/SettingsStoreQt.h"

namespace quorvex {

static QString ValuePath(const QString& key, const QString& name)
{
    return key.isEmpty() ? name : key + QLatin1Char('/') + name;
}

TQtSettingsStore::TQtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Talmirex"),
                                             QStringLiteral("Quorvex")))
{
}

TQtSettingsStore::TQtSettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

TQtSettingsStore::~TQtSettingsStore() { m_settings->sync(); }

bool TQtSettingsStore::KeyExists(const QString& key) const
{
    m_settings->beginGroup(key);
    const bool exists = !m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return exists;
}

bool TQtSettingsStore::IsWritable() const { return m_settings->isWritable(); }

void TQtSettingsStore::DeleteKey(const QString& key)
{
    if (key.isEmpty())
        m_settings->clear();
    else
        m_settings->remove(key);
}

QStringList TQtSettingsStore::ValueNames(const QString& key) const
{
    m_settings->beginGroup(key);
    const QStringList names = m_settings->childKeys();
    m_settings->endGroup();
    return names;
}

bool TQtSettingsStore::Flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QVariant TQtSettingsStore::ReadRaw(const QString& key, const QString& name) const
{
    return m_settings->value(ValuePath(key, name));
}

bool TQtSettingsStore::WriteRaw(const QString& key, const QString& name, const QVariant& value)
{
    if (!m_settings->isWritable()) return false;
    m_settings->setValue(ValuePath(key, name), value);
    return true;
}

} // namespace quorvex
