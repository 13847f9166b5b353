#include "HaDirectory.h"

#include "ArchiveSource.h"
#include "HaHeaders.h"

namespace quorvex {

size_t THaDirectory::HeaderLength() const
{
    return THaHeaders::HeaderLength;
}

void THaDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = host.State().StartOffset - 1 + int64_t(THaHeaders::ArchiveHeaderLength);
    cursor.E = host.Source().Size();
}

void THaDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                              std::span<const uint8_t>)
{
    THaHeader h;
    if (!THaHeaders::Read(host.Source(), headerPos, h)) {
        cursor.End();
        return;
    }
    TArchiveMember& m = host.Member();
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
    m.CompressOption = 0;
    m.MemberComment.clear();
    host.ReportMember(headerPos);
    cursor.P = h.NextPos;
}

} // namespace quorvex
