#include "extract/OldFormatHeaders.h"

#include "archive/ArchiveDates.h"
#include "archive/ByteOrder.h"
#include "extract/UnBase.h"

namespace quorvex {

namespace {

constexpr uint8_t ArcMark = 0x1A;
constexpr int64_t HeaderLength = 29;
constexpr int64_t OldHeaderLength = 25; // method 1: no unpacked size
constexpr int FirstRecordMethod = 20;   // archive notes, folders and the like, not members

} // namespace

bool ReadArcHeader(QFile& file, int64_t pos, TOldMember& out)
{
    uint8_t h[HeaderLength];
    if (!ReadAt(file, pos, h, 2) || h[0] != ArcMark || h[1] == 0) return false;
    const int64_t length = h[1] == 1 ? OldHeaderLength : HeaderLength;
    if (!ReadAt(file, pos, h, length)) return false;
    out = {};
    out.Method = h[1];
    std::string name;
    for (int i = 2; i < 15 && h[i]; ++i)
        name += char(h[i]);
    out.Name = name;
    out.PackedSize = GetU32(h + 15);
    out.MemberDate = DosDateTimeToDateTime(SwapDateTimeHalves(GetU32(h + 19)));
    out.Crc = GetU16(h + 23);
    out.UnpackedSize = h[1] == 1 ? out.PackedSize : GetU32(h + 25);
    out.DataPos = pos + length;
    if (int64_t(out.PackedSize) > file.size() - out.DataPos) return false;
    out.NextPos = out.DataPos + out.PackedSize;
    out.Skip = out.Method >= FirstRecordMethod;
    return true;
}

} // namespace quorvex
