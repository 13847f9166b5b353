#pragma once
// The two check values of the archive formats: CRC-32 (reflected 0xEDB88320, initial value all
// ones, final complement) and CRC-16/ARC (reflected 0xA001, initial 0, no complement).

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Updates a running CRC-32 register (start with 0xFFFFFFFF, complement at the end).
uint32_t Crc32Update(uint32_t reg, const uint8_t* data, size_t size);
// The finished CRC-32 of one buffer.
uint32_t Crc32(const uint8_t* data, size_t size);
// One byte into a running CRC-32 register (the ZIP encryption keys).
uint32_t Crc32Byte(uint32_t reg, uint8_t b);

// Updates a CRC-16/ARC value (start with 0; the value is final as it stands).
uint16_t Crc16Update(uint16_t crc, const uint8_t* data, size_t size);

enum class TCheckKind { None, Crc32, Crc16 };

// A running check value of either kind.
class TRunningCheck {
public:
    explicit TRunningCheck(TCheckKind kind = TCheckKind::None) { Reset(kind); }
    void Reset(TCheckKind kind);
    void Update(const uint8_t* data, size_t size);
    // CRC-32 finished (complemented), CRC-16 in the low half, 0 for none.
    uint32_t Value() const;
    TCheckKind Kind() const { return m_kind; }

private:
    TCheckKind m_kind = TCheckKind::None;
    uint32_t m_reg = 0;
};

} // namespace quorvex
