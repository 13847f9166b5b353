#include "decompress/ByteSource.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace quorvex {

size_t TMemorySource::Read(uint8_t* dest, size_t size)
{
    size_t n = std::min(size, m_left);
    if (n) std::memcpy(dest, m_data, n);
    m_data += n;
    m_left -= n;
    return n;
}

size_t TDeviceSource::Read(uint8_t* dest, size_t size)
{
    size_t done = 0;
    while (done < size && m_left > 0 && !m_failed) {
        qint64 want = std::min<int64_t>(int64_t(size - done), m_left);
        qint64 got = m_device.read(reinterpret_cast<char*>(dest + done), want);
        if (got <= 0) {
            m_failed = got < 0;
            m_left = 0;
            break;
        }
        done += size_t(got);
        m_left -= got;
    }
    return done;
}

} // namespace quorvex
