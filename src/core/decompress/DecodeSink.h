#pragma once
// Where every decoder's output goes: blocks are written to the output, the running check value
// follows every block, and the percentage done is reported as it grows.

#include "decompress/Crc.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;

namespace quorvex {

// The size of the blocks the decoders hand on.
inline constexpr size_t DecodeBlockSize = 32768;

class IBlockWriter {
public:
    virtual ~IBlockWriter() = default;
    // True when the whole block was written.
    virtual bool WriteBlock(const uint8_t* data, size_t size) = 0;
};

class TDeviceWriter : public IBlockWriter {
public:
    explicit TDeviceWriter(QIODevice& device) : m_device(device) {}
    bool WriteBlock(const uint8_t* data, size_t size) override;

private:
    QIODevice& m_device;
};

// Collects the output in memory (tests, and members read straight into memory).
class TBufferWriter : public IBlockWriter {
public:
    bool WriteBlock(const uint8_t* data, size_t size) override;
    const std::vector<uint8_t>& Data() const { return m_data; }
    std::vector<uint8_t>& Data() { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

// Counts and checks the output but keeps nothing (benchmarks, verification runs).
class TNullWriter : public IBlockWriter {
public:
    bool WriteBlock(const uint8_t*, size_t) override { return true; }
};

class TDecodeSink {
public:
    // Called with the new percentage; may throw to abandon the member (cancel).
    using TProgressFn = std::function<void(uint8_t percent)>;

    TDecodeSink(IBlockWriter& writer, TCheckKind check) : m_writer(writer), m_check(check) {}

    // total: the member's unpacked size; step: report only multiples of it (1 = every change).
    void SetProgress(int64_t total, int step, TProgressFn onProgress);
    void SetProgressStep(int step) { m_step = step < 1 ? 1 : step; }

    // Damaged deflate data can describe far more output than the member's size; with a limit
    // set, output past it is dropped and the member ends with ecBadBlock (-1: no limit).
    void SetOutputLimit(int64_t limit) { m_limit = limit; }

    // Writes a block; a short write raises ecWriteError.
    void Write(const uint8_t* data, size_t size);

    uint32_t CheckValue() const { return m_check.Value(); }
    int64_t BytesDone() const { return m_done; }

private:
    void Report();

    IBlockWriter& m_writer;
    TRunningCheck m_check;
    int64_t m_done = 0;
    int64_t m_total = 0;
    int64_t m_limit = -1;
    int m_step = 1;
    int m_lastPercent = 0;
    TProgressFn m_onProgress;
};

} // namespace quorvex
