#include "ZooDirectory.h"

namespace quorvex {

std::optional<int64_t> TZooDirectory::FirstHeader(TListingHost& host, int64_t archiveStart)
{
    TZooArchiveHeader archive;
    if (!TZooHeaders::ReadArchive(host.Source(), archiveStart, archive)) return std::nullopt;
    host.State().ArchiveComment = archive.Comment;
    return archive.FirstEntry;
}

bool TZooDirectory::Describe(TListingHost&, const TZooEntry& e, TArchiveMember& m)
{
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
    // The entry that ends the chain has no name, and an empty name matches no file
    // specification.
    return !m.MemberName.empty();
}

} // namespace quorvex
