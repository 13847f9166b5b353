#include "ArjDirectory.h"

#include "ArchiveErrors.h"

namespace quorvex {

std::optional<int64_t> TArjDirectory::FirstHeader(TListingHost& host, int64_t archiveStart)
{
    TArjHeader main;
    if (!TArjHeaders::Read(host.Source(), archiveStart, main)) return std::nullopt;
    host.State().ArchiveComment = main.Comment;
    return main.NextPos;
}

bool TArjDirectory::Describe(TListingHost& host, const TArjHeader& h, TArchiveMember& m)
{
    // Following volumes is switched off in this program.
    if (h.ContinuesInNextVolume()) host.Fail(E_OPEN, "0");

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
    return true;
}

} // namespace quorvex
