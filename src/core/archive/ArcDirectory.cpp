#include "ArcDirectory.h"

#include "ArcHeaders.h"
#include "ArchiveSource.h"

namespace quorvex {

size_t TArcDirectory::HeaderLength() const
{
    return TArcHeaders::HeaderLength;
}

void TArcDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = host.State().StartOffset - 1;
    cursor.E = host.Source().Size();
}

void TArcDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TArcHeader h;
    if (!TArcHeaders::Read(host.Source(), headerPos, h)) {
        cursor.End();
        return;
    }
    TArchiveMember& m = host.Member();
    m.MemberName = BackslashPath(h.Name);
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = DosDateTimeToDateTime(uint32_t(h.Date) << 16 | h.Time);
    m.Method = h.Method;
    m.MethodName = m_pak ? TArcHeaders::PakMethodName(h.Method)
                         : TArcHeaders::ArcMethodName(h.Method);
    m.VersionMadeBy = m.VersionNeeded = 0;
    m.InternalAttr = 32;
    m.ExternalAttr = 32;
    m.CompressOption = 0;
    m.MemberComment.clear();
    host.ReportMember(headerPos);
    cursor.P = h.NextPos;
}

} // namespace quorvex
