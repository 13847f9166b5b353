#include "ArjDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "ArjHeaders.h"

namespace quorvex {

size_t TArjDirectory::HeaderLength() const
{
    return TArjHeaders::MinimumLength;
}

void TArjDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    TArchiveSource& src = host.Source();
    cursor.E = src.Size();
    TArjHeader main;
    if (!TArjHeaders::Read(src, host.State().StartOffset - 1, main)) {
        cursor.End();
        return;
    }
    host.State().ArchiveComment = main.Comment;
    cursor.P = main.NextPos;
}

void TArjDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TArjHeader h;
    if (!TArjHeaders::Read(host.Source(), headerPos, h)) {
        cursor.End();
        return;
    }
    // Following volumes is switched off in this program.
    if (h.ContinuesInNextVolume()) host.Fail(E_OPEN, "0");

    TArchiveMember& m = host.Member();
    m.MemberName = BackslashPath(h.Name);
    m.MemberComment = h.Comment;
    m.PackedSize = int32_t(h.PackedSize);
    m.UnpackedSize = int32_t(h.UnpackedSize);
    m.CRC = h.Crc;
    m.MemberDate = h.HostOs == TArjHeader::HostUnix ? UnixTimeToDateTime(int32_t(h.DosDateTime))
                                                    : DosDateTimeToDateTime(h.DosDateTime);
    m.Method = h.Method;
    m.MethodName = TArjHeaders::MethodName(h.Method);
    m.VersionMadeBy = h.VersionMadeBy;
    m.VersionNeeded = h.VersionNeeded;
    m.InternalAttr = 32;
    m.ExternalAttr = 32;
    m.CompressOption = 0;
    host.ReportMember(headerPos);
    cursor.P = h.NextPos;
}

} // namespace quorvex
