#include "LhaDirectory.h"

#include "ArchiveSource.h"
#include "LhaHeaders.h"

namespace quorvex {

size_t TLhaDirectory::HeaderLength() const
{
    return TLhaHeaders::MinimumLength;
}

void TLhaDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = host.State().StartOffset - 1;
    cursor.E = host.Source().Size();
}

void TLhaDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TLhaHeader h;
    if (!TLhaHeaders::Read(host.Source(), headerPos, h)) {
        cursor.End();
        return;
    }
    TArchiveMember& m = host.Member();
    m.MemberName = h.Name;
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = h.UnixStamp() ? UnixTimeToDateTime(int32_t(h.Stamp))
                                 : DosDateTimeToDateTime(h.Stamp);
    m.Method = int16_t(uint8_t(h.MethodId[3]));
    m.MethodName = TLhaHeaders::MethodName(h.MethodId[3]);
    m.VersionMadeBy = m.VersionNeeded = 0;
    m.InternalAttr = 32;
    m.ExternalAttr = h.Attribute;
    m.CompressOption = 0;
    m.MemberComment.clear();
    host.ReportMember(headerPos);
    cursor.P = h.NextPos;
}

} // namespace quorvex
