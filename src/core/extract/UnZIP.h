#pragma once
// ZIP members: the central directory gives the members, each local header the start of the
// data; traditionally encrypted members are decrypted on the way.

#include "extract/UnBase.h"

namespace quorvex
{

class TUnZIP : public TUnBase
{
public:
    TUnZIP();
    bool AcceptsType(TArcType type) const override { return IsZipFamily(type); }
    int ZipCmntBufSize() const { return m_zipCmntBufSize; }
    void SetZipCmntBufSize(int size)
    {
        m_zipCmntBufSize = size < 0 ? 0 : size > 32767 ? 32767 : size;
    }

protected:
    void ExtractMembers(QFile& archive) override;
    int DecodeMember(const TMemberData& member, QFile& archive, TDecodeSink& sink) override;

private:
    // The password that opens a member's encryption header; ends the call when none does.
    std::string FindPassword(const uint8_t* header, uint8_t check, const QString& memberName);

    bool m_encrypted = false;
    uint8_t m_cryptCheck = 0;
    QString m_memberName;
};

} // namespace quorvex
