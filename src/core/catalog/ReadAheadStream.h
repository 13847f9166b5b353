#pragma once
// A buffered, read-only reader over one file, kept open while its owner needs it. Many small
// reads and seeks that mostly land inside the current buffer cost no system call.

#include <cstdint>
#include <memory>
#include <string>

namespace quorvex {

class TWriteTarget;

class TReadAheadStream {
public:
    static constexpr int32_t MaxBufferSize = 0x3FFFF;
    static constexpr int32_t CatalogBufferSize = 0x4000;
    static constexpr int ShareDenyWrite = 32;

    // Throws EReadBufferError("File open error") when the file cannot be opened.
    TReadAheadStream(const std::string& fileName, int32_t bufferSize, int fileMode = ShareDenyWrite);
    ~TReadAheadStream();
    TReadAheadStream(const TReadAheadStream&) = delete;
    TReadAheadStream& operator=(const TReadAheadStream&) = delete;

    int64_t Position() const { return m_bufferStart + m_bufferPos; }
    void Seek(int64_t offset);
    int64_t Size() const;
    // Returns the bytes copied; fewer than count at the end of the file or on a read error.
    int32_t Read(void* dest, int32_t count);
    // Copies count bytes to dest (which throws on a write failure); true when all were copied.
    bool CopyToStream(TWriteTarget& dest, int64_t count);
    bool Eof();

    int32_t BufferSize() const { return m_bufferSize; }
    int32_t BufferCount() const { return m_bufferCount; }
    int32_t BufferPos() const { return m_bufferPos; }
    int64_t BufferStart() const { return m_bufferStart; }
    const std::string& FileName() const { return m_fileName; }
    int Handle() const { return m_fd; }

private:
    bool Refill();

    std::string m_fileName;
    int m_fd = -1;
    std::unique_ptr<unsigned char[]> m_buffer;
    int32_t m_bufferSize = 0;
    int32_t m_bufferCount = 0;
    int32_t m_bufferPos = 0;
    int64_t m_bufferStart = 0;
    int64_t m_filePos = 0; // where the file itself stands
};

} // namespace quorvex
