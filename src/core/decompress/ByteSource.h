#pragma once
// Where a decoder's packed data comes from: a bounded source that hands out at most the
// member's packed size, whatever lies behind it.

#include <cstddef>
#include <cstdint>

class QIODevice;

namespace quorvex {

class IByteSource {
public:
    virtual ~IByteSource() = default;
    // Copies up to size bytes to dest; fewer only at the end of the data (or on a read error).
    virtual size_t Read(uint8_t* dest, size_t size) = 0;
};

// Bytes of a memory block.
class TMemorySource : public IByteSource {
public:
    TMemorySource(const uint8_t* data, size_t size) : m_data(data), m_left(size) {}
    size_t Read(uint8_t* dest, size_t size) override;

private:
    const uint8_t* m_data;
    size_t m_left;
};

// At most budget bytes read from the device's current position.
class TDeviceSource : public IByteSource {
public:
    TDeviceSource(QIODevice& device, int64_t budget) : m_device(device), m_left(budget) {}
    size_t Read(uint8_t* dest, size_t size) override;
    bool Failed() const { return m_failed; }

private:
    QIODevice& m_device;
    int64_t m_left;
    bool m_failed = false;
};

} // namespace quorvex
