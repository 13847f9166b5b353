#pragma once
// The per-user settings store as the program sees it: a tree of keys below the program's root
// key, each holding named values that are binary (raw bytes), strings or integers. Key paths
// are relative to the root and use "/" ("" is the root itself, "ReportGen" a subkey).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace quorvex {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // A key exists once a value has been written below it.
    virtual bool KeyExists(const QString& key) const = 0;
    // Whether values can be written at all ("open or create the key for writing").
    virtual bool IsWritable() const = 0;
    // Removes the key with every value and subkey below it; "" empties the whole store.
    virtual void DeleteKey(const QString& key) = 0;
    virtual QStringList ValueNames(const QString& key) const = 0;
    virtual bool Flush() = 0; // makes every write durable; false when that failed

    // Reads give nothing when the value is missing or not of the asked type.
    std::optional<QByteArray> ReadBinary(const QString& key, const QString& name) const;
    std::optional<QString> ReadString(const QString& key, const QString& name) const;
    std::optional<int64_t> ReadInteger(const QString& key, const QString& name) const;

    bool WriteBinary(const QString& key, const QString& name, const QByteArray& bytes);
    bool WriteString(const QString& key, const QString& name, const QString& text);
    bool WriteInteger(const QString& key, const QString& name, int64_t value);

    // Fixed-size binary values: present only when exactly that many bytes are stored.
    std::optional<QByteArray> ReadBinaryOfSize(const QString& key, const QString& name,
                                               qsizetype size) const;
    // A 32-bit word kept as 4 little-endian bytes.
    std::optional<uint32_t> ReadWord(const QString& key, const QString& name) const;
    bool WriteWord(const QString& key, const QString& name, uint32_t word);

protected:
    virtual QVariant ReadRaw(const QString& key, const QString& name) const = 0;
    virtual bool WriteRaw(const QString& key, const QString& name, const QVariant& value) = 0;
};

QByteArray WordBytes(uint32_t word);
uint32_t BytesWord(const QByteArray& bytes); // the first 4 bytes, little-endian

} // namespace quorvex
