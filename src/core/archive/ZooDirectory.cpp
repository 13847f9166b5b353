#include "ZooDirectory.h"

#include "ArchiveSource.h"
#include "ZooHeaders.h"

namespace quorvex {

size_t TZooDirectory::HeaderLength() const
{
    return TZooHeaders::EntryLength;
}

void TZooDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.E = host.Source().Size();
    TZooArchiveHeader archive;
    if (!TZooHeaders::ReadArchive(host.Source(), host.State().StartOffset - 1, archive)) {
        cursor.End();
        return;
    }
    host.State().ArchiveComment = archive.Comment;
    cursor.P = archive.FirstEntry;
}

void TZooDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TZooEntry e;
    if (!TZooHeaders::ReadEntry(host.Source(), headerPos, e)) {
        cursor.End();
        return;
    }
    TArchiveMember& m = host.Member();
    m.MemberName = e.FullName();
    m.MemberComment = e.Comment;
    m.PackedSize = int32_t(e.PackedSize);
    m.UnpackedSize = int32_t(e.UnpackedSize);
    m.CRC = e.Crc;
    m.MemberDate = DosDateTimeToDateTime(uint32_t(e.Date) << 16 | e.Time);
    m.Method = e.Method;
    m.MethodName = TZooHeaders::MethodName(e.Method);
    m.VersionMadeBy = e.VersionMajor;
    m.VersionNeeded = e.VersionMinor;
    m.InternalAttr = 32;
    m.ExternalAttr = 32;
    m.CompressOption = 0;
    // The entry that ends the chain has no name, and an empty name matches no file
    // specification.
    if (!m.MemberName.empty()) host.ReportMember(headerPos);
    if (e.NextPos < 1)
        cursor.End();
    else
        cursor.P = e.NextPos;
}

} // namespace quorvex
