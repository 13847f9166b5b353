#include "TarDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "TarHeader.h"

#include <limits>

namespace quorvex {

namespace {

// The first 100 bytes up to the first NUL, without leading and trailing blanks and
// control characters.
std::string EntryName(const uint8_t* block)
{
    std::string name = UpToNul(block, 100);
    auto blank = [](char c) { return uint8_t(c) <= 32; };
    size_t first = 0;
    while (first < name.size() && blank(name[first])) ++first;
    size_t last = name.size();
    while (last > first && blank(name[last - 1])) --last;
    return BackslashPath(name.substr(first, last - first));
}

// Some old archivers summed the header bytes as signed characters.
bool HasValidChecksum(const uint8_t* block)
{
    if (IsTarHeader(block)) return true;
    int64_t sum = 0;
    for (int i = 0; i < TarBlock; ++i) sum += (i >= 148 && i < 156) ? 32 : int8_t(block[i]);
    return sum >= 0 && TarOctal(block + 148, 8) == uint64_t(sum);
}

} // namespace

void TTarDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = std::max<int64_t>(host.State().StartOffset - 1, 0);
    cursor.E = host.Source().Size();
}

void TTarDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t> h)
{
    std::string name = EntryName(h.data());
    if (name.empty()) { // the zero blocks at the end
        cursor.End();
        return;
    }
    // Without this check the data of a member after a damaged size field would be taken
    // for headers and listed as members.
    if (!HasValidChecksum(h.data())) host.Fail(E_BADFILEHEADER);
    const uint64_t size = TarOctal(&h[124], 12);
    const int64_t dataPos = headerPos + TarBlock;
    if (size > uint64_t(cursor.E - dataPos)) host.Fail(E_READ);

    const uint8_t type = h[156];
    if (type == 0 || type == '0' || type == '1') {
        TArchiveMember& m = host.Member();
        const uint64_t mtime = TarOctal(&h[136], 12);
        m.MemberName = std::move(name);
        m.PackedSize = m.UnpackedSize = int32_t(size);
        m.MemberDate = mtime <= uint64_t(std::numeric_limits<int32_t>::max())
                           ? UnixTimeToDateTime(int32_t(mtime))
                           : NullArchiveDate;
        m.CRC = uint32_t(TarOctal(&h[148], 8));
        m.Method = 0;
        m.MethodName = "Stored";
        m.ExternalAttr = 0;
        m.InternalAttr = m.VersionMadeBy = m.VersionNeeded = 0;
        m.CompressOption = 0;
        m.MemberComment.clear();
        host.ReportMember(headerPos);
    }
    cursor.P = dataPos + int64_t((size + TarBlock - 1) / TarBlock * TarBlock);
}

} // namespace quorvex
