#include "ArchiveSource.h"

#include "platform/NativeNames.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {
constexpr size_t WindowBytes = 64 * 1024;
}

bool TArchiveSource::Open(const QString& fileName)
{
    Close();
    if (!OpenNative(m_file, fileName, QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    m_size = m_file.size();
    return true;
}

void TArchiveSource::Close()
{
    if (m_file.isOpen()) m_file.close();
    m_size = 0;
    m_windowStart = 0;
    m_windowLength = 0;
}

bool TArchiveSource::Fill(int64_t offset)
{
    m_window.resize(WindowBytes);
    m_windowStart = offset;
    m_windowLength = 0;
    if (!m_file.seek(offset)) return false;
    const qint64 got = m_file.read(reinterpret_cast<char*>(m_window.data()), qint64(WindowBytes));
    m_windowLength = got > 0 ? size_t(got) : 0;
    return got > 0;
}

size_t TArchiveSource::ReadAt(int64_t offset, void* dst, size_t size)
{
    if (!m_file.isOpen() || offset < 0 || offset >= m_size || size == 0) return 0;
    size = size_t(std::min<int64_t>(int64_t(size), m_size - offset));
    auto* out = static_cast<uint8_t*>(dst);
    size_t done = 0;
    while (done < size) {
        const int64_t at = offset + int64_t(done);
        const bool inWindow = at >= m_windowStart && at < m_windowStart + int64_t(m_windowLength);
        if (!inWindow) {
            if (size - done >= WindowBytes) { // large reads bypass the window
                if (!m_file.seek(at)) break;
                const qint64 got =
                    m_file.read(reinterpret_cast<char*>(out + done), qint64(size - done));
                if (got <= 0) break;
                done += size_t(got);
                continue;
            }
            if (!Fill(at)) break;
        }
        const size_t from = size_t(at - m_windowStart);
        const size_t n = std::min(size - done, m_windowLength - from);
        std::memcpy(out + done, m_window.data() + from, n);
        done += n;
    }
    return done;
}

} // namespace quorvex
