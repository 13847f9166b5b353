#include "TarDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "TarHeader.h"

#include <cstring>
#include <limits>

namespace quorvex {

namespace {

constexpr size_t MaxLongName = 65536;

// Without leading and trailing blanks and control characters, "/" turned into "\".
std::string CleanName(const std::string& name)
{
    auto blank = [](char c) { return uint8_t(c) <= 32; };
    size_t first = 0;
    while (first < name.size() && blank(name[first]))
        ++first;
    size_t last = name.size();
    while (last > first && blank(name[last - 1]))
        --last;
    return BackslashPath(name.substr(first, last - first));
}

// Some old archivers summed the header bytes as signed characters.
bool HasValidChecksum(const uint8_t* block)
{
    if (IsTarHeader(block)) return true;
    int64_t sum = 0;
    for (int i = 0; i < TarBlock; ++i)
        sum += (i >= 148 && i < 156) ? 32 : int8_t(block[i]);
    return sum >= 0 && TarOctal(block + 148, 8) == uint64_t(sum);
}

bool IsUstar(const uint8_t* block)
{
    return std::memcmp(block + 257, "ustar", 5) == 0;
}

// The value of the "path" record of a pax extended header ("LEN path=VALUE\n" records).
std::string PaxPath(const std::string& records)
{
    size_t pos = 0;
    std::string path;
    while (pos < records.size()) {
        const size_t space = records.find(' ', pos);
        if (space == std::string::npos) break;
        size_t length = 0;
        for (size_t i = pos; i < space; ++i) {
            if (records[i] < '0' || records[i] > '9' || length > records.size()) return path;
            length = length * 10 + size_t(records[i] - '0');
        }
        if (length <= space - pos || pos + length > records.size()) break;
        const std::string record = records.substr(space + 1, pos + length - space - 1);
        if (record.rfind("path=", 0) == 0) {
            path = record.substr(5);
            if (!path.empty() && path.back() == '\n') path.pop_back();
        }
        pos += length;
    }
    return path;
}

} // namespace

void TTarDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = std::max<int64_t>(host.State().StartOffset - 1, 0);
    cursor.E = host.Source().Size();
    m_longName.clear();
}

void TTarDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t> h)
{
    if (CleanName(UpToNul(h.data(), 100)).empty()) { // the zero blocks at the end
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
    if (type == 'L' || type == 'x') { // the name of the next entry
        std::string data(size_t(std::min<uint64_t>(size, MaxLongName)), '\0');
        if (!host.Source().ReadExact(dataPos, data.data(), data.size())) host.Fail(E_READ);
        m_longName = type == 'L'
                         ? UpToNul(reinterpret_cast<const uint8_t*>(data.data()), data.size())
                         : PaxPath(data);
    } else if (type == 0 || type == '0' || type == '1') {
        std::string name = UpToNul(h.data(), 100);
        if (!m_longName.empty())
            name = m_longName;
        else if (IsUstar(h.data()) && h[345] != 0)
            name = UpToNul(&h[345], 155) + "/" + name;
        name = CleanName(name);
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
    if (type != 'L' && type != 'x' && type != 'K') m_longName.clear();
    cursor.P = dataPos + int64_t((size + TarBlock - 1) / TarBlock * TarBlock);
}

} // namespace quorvex
