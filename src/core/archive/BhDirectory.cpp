#include "BhDirectory.h"

#include "ArchiveSource.h"
#include "BhHeaders.h"

namespace quorvex {

size_t TBhDirectory::HeaderLength() const
{
    return TBhHeaders::HeaderLength;
}

void TBhDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = host.State().StartOffset - 1;
    cursor.E = host.Source().Size();
}

void TBhDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                              std::span<const uint8_t>)
{
    TBhHeader h;
    if (!TBhHeaders::Read(host.Source(), headerPos, h)) {
        cursor.End();
        return;
    }
    TArchiveMember& m = host.Member();
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
    m.CompressOption = 0;
    m.MemberComment.clear();
    host.ReportMember(headerPos);
    cursor.P = h.NextPos;
}

} // namespace quorvex
