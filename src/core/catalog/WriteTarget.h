#pragma once
// Where a catalog is written: a buffered file, or memory in tests. Write failures throw
// EStreamError.

#include <cstdint>
#include <memory>
#include <string>

namespace quorvex {

class TWriteTarget {
public:
    virtual ~TWriteTarget() = default;
    virtual void Write(const void* data, size_t count) = 0;
    virtual int64_t Position() const = 0;
    virtual void SeekTo(int64_t offset) = 0; // within what was written
    virtual void Flush() {}
    // Appends length bytes of file fd from offset without passing them through memory, where
    // the target can; false when it cannot (the caller copies through a buffer instead).
    virtual bool CopyFromFile(int /*fd*/, int64_t /*offset*/, int64_t /*length*/) { return false; }
};

class TFileWriter : public TWriteTarget {
public:
    static constexpr size_t DefaultBufferSize = 32768;
    // Creates (or truncates) the file; throws EStreamError when that fails.
    explicit TFileWriter(const std::string& fileName, size_t bufferSize = DefaultBufferSize);
    ~TFileWriter() override;

    void Write(const void* data, size_t count) override;
    int64_t Position() const override { return m_filePos + static_cast<int64_t>(m_used); }
    void SeekTo(int64_t offset) override;
    void Flush() override;
    bool CopyFromFile(int fd, int64_t offset, int64_t length) override;
    // Flushes and closes; throws when the last writes fail. With sync the bytes are on the
    // disk when it returns.
    void Close(bool sync = false);

private:
    void WriteRaw(const void* data, size_t count);

    int m_fd = -1;
    std::unique_ptr<unsigned char[]> m_buffer;
    size_t m_capacity;
    size_t m_used = 0;
    int64_t m_filePos = 0;
};

class TMemoryWriter : public TWriteTarget {
public:
    void Write(const void* data, size_t count) override;
    int64_t Position() const override { return static_cast<int64_t>(m_pos); }
    void SeekTo(int64_t offset) override { m_pos = static_cast<size_t>(offset); }
    const std::string& Data() const { return m_data; }

private:
    std::string m_data;
    size_t m_pos = 0;
};

} // namespace quorvex
