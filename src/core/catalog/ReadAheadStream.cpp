#include "catalog/ReadAheadStream.h"

#include "catalog/CatalogErrors.h"
#include "catalog/WriteTarget.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

TReadAheadStream::TReadAheadStream(const std::string& fileName, int32_t bufferSize, int /*fileMode*/)
    : m_fileName(fileName)
{
    // Sharing modes have no counterpart here; the file is simply opened for reading.
    m_fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) throw EReadBufferError(MsgFileOpenError);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        throw EReadBufferError(MsgFileOpenError);
    }
    m_bufferSize = std::clamp(bufferSize, 1, MaxBufferSize);
    m_buffer = std::make_unique<unsigned char[]>(static_cast<size_t>(m_bufferSize));
}

TReadAheadStream::~TReadAheadStream()
{
    if (m_fd >= 0) ::close(m_fd);
}

void TReadAheadStream::Seek(int64_t offset)
{
    if (offset >= m_bufferStart && offset < m_bufferStart + m_bufferCount) {
        m_bufferPos = static_cast<int32_t>(offset - m_bufferStart);
        return;
    }
    m_filePos = std::max<int64_t>(offset, 0);
    m_bufferStart = m_filePos;
    m_bufferPos = m_bufferCount = 0;
}

int64_t TReadAheadStream::Size() const
{
    struct stat st {};
    return ::fstat(m_fd, &st) == 0 ? st.st_size : 0;
}

bool TReadAheadStream::Refill()
{
    m_bufferStart = m_filePos;
    m_bufferPos = 0;
    m_bufferCount = 0;
    ssize_t got;
    do {
        got = ::pread(m_fd, m_buffer.get(), static_cast<size_t>(m_bufferSize), m_filePos);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    m_bufferCount = static_cast<int32_t>(got);
    m_filePos += got;
    return true;
}

int32_t TReadAheadStream::Read(void* dest, int32_t count)
{
    auto* out = static_cast<unsigned char*>(dest);
    int32_t copied = 0;
    bool failed = false;
    while (copied < count && !failed) {
        if (m_bufferPos == m_bufferCount) failed = !Refill();
        const int32_t n = std::min(count - copied, m_bufferCount - m_bufferPos);
        std::memcpy(out + copied, m_buffer.get() + m_bufferPos, static_cast<size_t>(n));
        m_bufferPos += n;
        copied += n;
    }
    return copied;
}

bool TReadAheadStream::CopyToStream(TWriteTarget& dest, int64_t count)
{
    bool failed = false;
    while (count > 0 && !failed) {
        if (m_bufferPos == m_bufferCount) failed = !Refill();
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, m_bufferCount - m_bufferPos));
        if (n > 0) dest.Write(m_buffer.get() + m_bufferPos, static_cast<size_t>(n));
        m_bufferPos += n;
        count -= n;
    }
    return count == 0;
}

bool TReadAheadStream::Eof()
{
    return m_bufferPos == m_bufferCount && m_filePos >= Size();
}

} // namespace quorvex
