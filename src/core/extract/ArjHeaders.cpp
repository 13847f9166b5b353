#include "extract/OldFormatHeaders.h"

#include "archive/ArchiveDates.h"
#include "archive/ByteOrder.h"
#include "extract/UnBase.h"

#include <vector>

namespace quorvex {

namespace {

constexpr uint16_t ArjId = 0xEA60;
constexpr uint16_t MaxBasicHeader = 2600;
constexpr size_t FixedPart = 30;
constexpr uint8_t HostUnix = 2;

std::string TextAt(const std::vector<uint8_t>& h, size_t from)
{
    std::string s;
    for (size_t i = from; i < h.size() && h[i]; ++i)
        s += char(h[i]);
    return s;
}

// The basic header and its extended headers; false when there is none at pos.
bool ReadBasic(QFile& file, int64_t pos, std::vector<uint8_t>& basic, int64_t& after)
{
    uint8_t idSize[4];
    if (!ReadAt(file, pos, idSize, 4) || GetU16(idSize) != ArjId) return false;
    const uint16_t size = GetU16(idSize + 2);
    if (size == 0 || size > MaxBasicHeader || size < FixedPart) return false;
    basic.resize(size);
    if (!ReadAt(file, pos + 4, basic.data(), size)) return false;
    int64_t p = pos + 4 + size + 4; // the header's CRC-32 follows it
    for (;;) {
        uint8_t ext[2];
        if (!ReadAt(file, p, ext, 2)) return false;
        const uint16_t extSize = GetU16(ext);
        p += 2;
        if (extSize == 0) break;
        p += extSize + 4;
        if (p > file.size()) return false;
    }
    after = p;
    return basic[0] <= size;
}

} // namespace

bool ReadArjMainHeader(QFile& file, int64_t pos, TOldMember& out)
{
    std::vector<uint8_t> h;
    int64_t after = 0;
    if (!ReadBasic(file, pos, h, after)) return false;
    out = {};
    out.NextPos = after;
    return true;
}

bool ReadArjHeader(QFile& file, int64_t pos, TOldMember& out)
{
    std::vector<uint8_t> h;
    int64_t after = 0;
    if (!ReadBasic(file, pos, h, after)) return false;
    out = {};
    out.VersionMadeBy = h[1];
    out.VersionNeeded = h[2];
    out.Flags = h[4];
    out.Method = h[5];
    out.FileType = h[6];
    const uint32_t stamp = GetU32(&h[8]);
    out.MemberDate = h[3] == HostUnix ? UnixTimeToDateTime(int32_t(stamp)) : DosDateTimeToDateTime(stamp);
    out.PackedSize = GetU32(&h[12]);
    out.UnpackedSize = GetU32(&h[16]);
    out.Crc = GetU32(&h[20]);
    out.Name = TextAt(h, h[0]);
    out.DataPos = after;
    if (int64_t(out.PackedSize) > file.size() - after) return false;
    out.NextPos = after + out.PackedSize;
    out.Skip = out.FileType == 3;
    return true;
}

} // namespace quorvex
