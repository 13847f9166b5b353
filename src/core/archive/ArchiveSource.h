#pragma once
// Random-access reads of an archive file through a window buffer, so that the many small
// header reads of a listing cost few system calls. Reads past the end return what is there.

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvex {

class TArchiveSource
{
public:
    bool Open(const QString& fileName);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }
    int64_t Size() const { return m_size; }

    // Reads up to `size` bytes at `offset`; returns the count read (short at the end of the
    // file, 0 for an offset outside it).
    size_t ReadAt(int64_t offset, void* dst, size_t size);
    // True when exactly `size` bytes were read.
    bool ReadExact(int64_t offset, void* dst, size_t size)
    {
        return ReadAt(offset, dst, size) == size;
    }

private:
    bool Fill(int64_t offset);

    QFile m_file;
    int64_t m_size = 0;
    std::vector<uint8_t> m_window;
    int64_t m_windowStart = 0;
    size_t m_windowLength = 0;
};

} // namespace quorvex
