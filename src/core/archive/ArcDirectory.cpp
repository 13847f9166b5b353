#include "ArcDirectory.h"

namespace quorvex {

bool TArcDirectory::Describe(TListingHost&, const TArcHeader& h, TArchiveMember& m)
{
    m.MemberName = BackslashPath(h.Name);
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = DosDateTimeToDateTime(uint32_t(h.Date) << 16 | h.Time);
    m.Method = h.Method;
    m.MethodName = m_pak ? TArcHeaders::PakMethodName(h.Method)
                         : TArcHeaders::ArcMethodName(h.Method);
    m.InternalAttr = 32;
    m.ExternalAttr = 32;
    return true;
}

} // namespace quorvex
