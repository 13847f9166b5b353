#include "HaDirectory.h"

namespace quorvex {

std::optional<int64_t> THaDirectory::FirstHeader(TListingHost&, int64_t archiveStart)
{
    return archiveStart + int64_t(THaHeaders::ArchiveHeaderLength);
}

bool THaDirectory::Describe(TListingHost&, const THaHeader& h, TArchiveMember& m)
{
    m.MemberName = h.FullName();
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = UnixTimeToDateTime(int32_t(h.UnixTime));
    m.Method = h.Method;
    m.MethodName = THaHeaders::MethodName(h.Method);
    m.VersionMadeBy = m.VersionNeeded = h.Version;
    m.InternalAttr = 32;
    m.ExternalAttr = 32;
    return true;
}

} // namespace quorvex
