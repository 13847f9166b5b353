#include "decompress/ZipCrypto.h"

#include "decompress/Crc.h"

namespace quorvex {

TZipCrypto::TZipCrypto(const std::string& password)
{
    for (char c : password) UpdateKeys(uint8_t(c));
}

void TZipCrypto::UpdateKeys(uint8_t p)
{
    m_key0 = Crc32Byte(m_key0, p);
    m_key1 = (m_key1 + (m_key0 & 0xFF)) * 134775813u + 1;
    m_key2 = Crc32Byte(m_key2, uint8_t(m_key1 >> 24));
}

bool TZipCrypto::CheckHeader(const uint8_t* header, uint8_t check)
{
    uint8_t last = 0;
    for (size_t i = 0; i < HeaderSize; ++i) last = Decrypt(header[i]);
    return last == check;
}

size_t TDecryptingSource::Read(uint8_t* dest, size_t size)
{
    size_t n = m_inner.Read(dest, size);
    for (size_t i = 0; i < n; ++i) dest[i] = m_keys.Decrypt(dest[i]);
    return n;
}

} // namespace quorvex
