#include "decompress/DecodeSink.h"

#include "decompress/DecodeErrors.h"

#include <QIODevice>

namespace quorvex {

bool TDeviceWriter::WriteBlock(const uint8_t* data, size_t size)
{
    return m_device.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

bool TBufferWriter::WriteBlock(const uint8_t* data, size_t size)
{
    m_data.insert(m_data.end(), data, data + size);
    return true;
}

void TDecodeSink::SetProgress(int64_t total, int step, TProgressFn onProgress)
{
    m_total = total;
    SetProgressStep(step);
    m_onProgress = std::move(onProgress);
    m_lastPercent = 0;
}

void TDecodeSink::Write(const uint8_t* data, size_t size)
{
    if (size == 0) return;
    bool overflow = m_limit >= 0 && int64_t(size) > m_limit - m_done;
    if (overflow) size = size_t(m_limit - m_done);
    if (size && !m_writer.WriteBlock(data, size)) ThrowDecodeError(ecWriteError);
    m_check.Update(data, size);
    m_done += int64_t(size);
    if (m_onProgress && m_total > 0) Report();
    if (overflow) ThrowDecodeError(ecBadBlock);
}

void TDecodeSink::Report()
{
    int64_t done = m_done < m_total ? m_done : m_total;
    int percent = int(done * 100 / m_total);
    if (percent == m_lastPercent || percent % m_step != 0) return;
    m_lastPercent = percent;
    m_onProgress(uint8_t(percent));
}

} // namespace quorvex
