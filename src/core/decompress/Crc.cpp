#include "decompress/Crc.h"


namespace quorvex {

void TRunningCheck::Reset(TCheckKind kind)
{
    m_kind = kind;
    m_reg = kind == TCheckKind::Crc32 ? 0xFFFFFFFFu : 0;
}

void TRunningCheck::Update(const uint8_t* data, size_t size)
{
    if (m_kind == TCheckKind::Crc32)
        m_reg = Crc32Update(m_reg, data, size);
    else if (m_kind == TCheckKind::Crc16)
        m_reg = Crc16Update(uint16_t(m_reg), data, size);
}

uint32_t TRunningCheck::Value() const
{
    return m_kind == TCheckKind::Crc32 ? ~m_reg : m_reg;
}

} // namespace quorvex
