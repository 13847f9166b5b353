#include "platform/SettingsStoreMemory.h"

namespace quorvex {

static bool IsAtOrBelow(const QString& path, const QString& key)
{
    return key.isEmpty() || path == key || path.startsWith(key + QLatin1Char('/'));
}

bool TMemorySettingsStore::KeyExists(const QString& key) const
{
    for (const auto& [path, values] : m_values)
        if (!values.empty() && IsAtOrBelow(path, key)) return true;
    return false;
}

void TMemorySettingsStore::DeleteKey(const QString& key)
{
    for (auto it = m_values.begin(); it != m_values.end();)
        it = IsAtOrBelow(it->first, key) ? m_values.erase(it) : std::next(it);
}

QStringList TMemorySettingsStore::ValueNames(const QString& key) const
{
    QStringList names;
    const auto it = m_values.find(key);
    if (it != m_values.end())
        for (const auto& [name, value] : it->second) names.append(name);
    return names;
}

void TMemorySettingsStore::Put(const QString& key, const QString& name, const QVariant& value)
{
    m_values[key][name] = value;
}

QVariant TMemorySettingsStore::ReadRaw(const QString& key, const QString& name) const
{
    const auto it = m_values.find(key);
    if (it == m_values.end()) return {};
    const auto value = it->second.find(name);
    return value == it->second.end() ? QVariant() : value->second;
}

bool TMemorySettingsStore::WriteRaw(const QString& key, const QString& name, const QVariant& value)
{
    if (!m_writable) return false;
    m_values[key][name] = value;
    return true;
}

} // namespace quorvex
