#include "LhaDirectory.h"

namespace quorvex {

bool TLhaDirectory::Describe(TListingHost&, const TLhaHeader& h, TArchiveMember& m)
{
    m.MemberName = h.Name;
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = h.UnixStamp() ? UnixTimeToDateTime(int32_t(h.Stamp))
                                 : DosDateTimeToDateTime(h.Stamp);
    m.Method = int16_t(uint8_t(h.MethodId[3]));
    m.MethodName = TLhaHeaders::MethodName(h.MethodId[3]);
    m.InternalAttr = 32;
    m.ExternalAttr = h.Attribute;
    return true;
}

} // namespace quorvex
