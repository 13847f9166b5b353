#include "catalog/WriteTarget.h"

#include "catalog/CatalogErrors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quorvex {

static std::string ErrnoText(int err) { return std::strerror(err); }

TFileWriter::TFileWriter(const std::string& fileName, size_t bufferSize) : m_capacity(bufferSize)
{
    m_fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) throw EStreamError("Cannot create file " + fileName + ". " + ErrnoText(errno));
    m_buffer = std::make_unique<unsigned char[]>(m_capacity);
}

TFileWriter::~TFileWriter()
{
    if (m_fd >= 0) ::close(m_fd);
}

void TFileWriter::WriteRaw(const void* data, size_t count)
{
    const auto* p = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t n = ::pwrite(m_fd, p, count, m_filePos);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw EStreamError(n < 0 ? ErrnoText(errno) : "Disk full");
        p += n;
        count -= static_cast<size_t>(n);
        m_filePos += n;
    }
}

void TFileWriter::Write(const void* data, size_t count)
{
    if (m_used + count > m_capacity) {
        Flush();
        if (count >= m_capacity) {
            WriteRaw(data, count);
            return;
        }
    }
    std::memcpy(m_buffer.get() + m_used, data, count);
    m_used += count;
}

void TFileWriter::Flush()
{
    if (m_used == 0) return;
    const size_t n = m_used;
    m_used = 0;
    WriteRaw(m_buffer.get(), n);
}

bool TFileWriter::CopyFromFile(int fd, int64_t offset, int64_t length)
{
    Flush();
    off_t in = offset;
    off_t out = m_filePos;
    while (length > 0) {
        const ssize_t n = ::copy_file_range(fd, &in, m_fd, &out, static_cast<size_t>(length), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && m_filePos == out && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            return false; // nothing copied yet: the caller takes the buffered way
        if (n < 0) throw EStreamError(ErrnoText(errno));
        if (n == 0) throw EStreamError("Unexpected end of the old catalog file.");
        length -= n;
        m_filePos = out;
    }
    return true;
}

void TFileWriter::SeekTo(int64_t offset)
{
    Flush();
    m_filePos = offset;
}

void TFileWriter::Close(bool sync)
{
    if (m_fd < 0) return;
    Flush();
    const int fd = m_fd;
    m_fd = -1;
    if (sync && ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        throw EStreamError(ErrnoText(err));
    }
    if (::close(fd) != 0) throw EStreamError(ErrnoText(errno));
}

void TMemoryWriter::Write(const void* data, size_t count)
{
    if (m_pos + count > m_data.size()) m_data.resize(m_pos + count);
    std::memcpy(m_data.data() + m_pos, data, count);
    m_pos += count;
}

} // namespace quorvex
