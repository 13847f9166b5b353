#include "BhDirectory.h"

namespace quorvex {

bool TBhDirectory::Describe(TListingHost&, const TBhHeader& h, TArchiveMember& m)
{
    m.MemberName = BackslashPath(h.Name);
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = DosDateTimeToDateTime(h.DosDateTime);
    m.Method = h.Method;
    m.MethodName = TBhHeaders::MethodName(h.Method);
    m.VersionMadeBy = h.VersionMadeBy;
    m.VersionNeeded = h.VersionNeeded;
    m.InternalAttr = int16_t(h.Attributes);
    m.ExternalAttr = h.Attributes;
    return true;
}

} // namespace quorvex
