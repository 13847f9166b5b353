#pragma once
// The traditional ZIP encryption: three keys stirred by every plain byte, a 12-byte header in
// front of the data whose last byte checks the password.

#include "decompress/ByteSource.h"

#include <string>

namespace quorvex {

class TZipCrypto {
public:
    static constexpr size_t HeaderSize = 12;

    explicit TZipCrypto(const std::string& password);
    uint8_t Decrypt(uint8_t c)
    {
        uint8_t p = c ^ KeyByte();
        UpdateKeys(p);
        return p;
    }
    uint8_t Encrypt(uint8_t p)
    {
        uint8_t c = p ^ KeyByte();
        UpdateKeys(p);
        return c;
    }
    // Decrypts the encryption header; true when its last byte equals check (the high byte of
    // the member's CRC, or of its DOS time when the sizes follow the data).
    bool CheckHeader(const uint8_t* header, uint8_t check);

private:
    uint8_t KeyByte() const
    {
        uint32_t t = (m_key2 | 2) & 0xFFFF;
        return uint8_t((t * (t ^ 1)) >> 8);
    }
    void UpdateKeys(uint8_t p);

    uint32_t m_key0 = 0x12345678u;
    uint32_t m_key1 = 0x23456789u;
    uint32_t m_key2 = 0x34567890u;
};

// Decrypts the bytes of another source on the way through (the header already consumed).
class TDecryptingSource : public IByteSource {
public:
    TDecryptingSource(IByteSource& inner, const TZipCrypto& keys) : m_inner(inner), m_keys(keys) {}
    size_t Read(uint8_t* dest, size_t size) override;

private:
    IByteSource& m_inner;
    TZipCrypto m_keys;
};

} // namespace quorvex
