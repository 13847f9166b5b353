#pragma once
// A settings store held in memory, for tests and for a program run that must not touch the
// user's settings. It can be made read-only or made to fail on flush to test error paths.

#include "platform/SettingsStore.h"

#include <map>

namespace quorvex {

class TMemorySettingsStore : public ISettingsStore {
public:
    bool KeyExists(const QString& key) const override;
    bool IsWritable() const override { return m_writable; }
    void DeleteKey(const QString& key) override;
    QStringList ValueNames(const QString& key) const override;
    bool Flush() override { return !m_failFlush; }

    // Stores any value as it is, also of a type the program never writes.
    void Put(const QString& key, const QString& name, const QVariant& value);
    void SetWritable(bool writable) { m_writable = writable; }
    void SetFailFlush(bool fail) { m_failFlush = fail; }
    bool IsEmpty() const { return m_values.empty(); }

protected:
    QVariant ReadRaw(const QString& key, const QString& name) const override;
    bool WriteRaw(const QString& key, const QString& name, const QVariant& value) override;

private:
    std::map<QString, std::map<QString, QVariant>> m_values; // key path -> values
    bool m_writable = true;
    bool m_failFlush = false;
};

} // namespace quorvex
