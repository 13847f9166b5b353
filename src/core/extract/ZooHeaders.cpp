#include "extract/OldFormatHeaders.h"

#include "archive/ArchiveDates.h"
#include "archive/ByteOrder.h"
#include "extract/UnBase.h"

namespace quorvex {

namespace {

constexpr uint32_t ZooTag = 0xFDC4A7DC;
constexpr int64_t EntryLength = 51;
constexpr int64_t LongNamePart = 7; // var_dir_len, tz, dir_crc, namlen, dirlen after the entry

std::string Text(const uint8_t* p, size_t n)
{
    std::string s;
    for (size_t i = 0; i < n && p[i]; ++i)
        s += char(p[i]);
    return s;
}

} // namespace

bool ReadZooFirstEntry(QFile& file, int64_t start, int64_t& entryPos)
{
    uint8_t h[28];
    if (!ReadAt(file, start, h, sizeof h) || GetU32(h + 20) != ZooTag) return false;
    entryPos = start + int64_t(GetU32(h + 24));
    return true;
}

bool ReadZooEntry(QFile& file, int64_t pos, TOldMember& out)
{
    uint8_t e[EntryLength];
    if (!ReadAt(file, pos, e, sizeof e) || GetU32(e) != ZooTag) return false;
    const uint32_t next = GetU32(e + 6);
    if (next == 0) return false; // the closing entry
    out = {};
    out.Method = e[5];
    out.DataPos = int64_t(GetU32(e + 10));
    out.MemberDate = DosDateTimeToDateTime(SwapDateTimeHalves(GetU32(e + 14)));
    out.Crc = GetU16(e + 18);
    out.UnpackedSize = GetU32(e + 20);
    out.PackedSize = GetU32(e + 24);
    out.VersionNeeded = e[28];
    out.Skip = e[30] != 0; // deleted
    out.Name = Text(e + 38, 13);
    if (e[4] == 2) { // long file name and folder
        uint8_t v[LongNamePart];
        if (ReadAt(file, pos + EntryLength, v, sizeof v)) {
            const uint8_t nameLength = v[5], dirLength = v[6];
            std::string names(size_t(nameLength) + dirLength, '\0');
            if (GetU16(v) >= nameLength + dirLength &&
                ReadAt(file, pos + EntryLength + LongNamePart, names.data(), int64_t(names.size()))) {
                if (nameLength) out.Name = Text(reinterpret_cast<const uint8_t*>(names.data()), nameLength);
                const std::string dir =
                    Text(reinterpret_cast<const uint8_t*>(names.data()) + nameLength, dirLength);
                if (!dir.empty()) out.Name = dir + "/" + out.Name;
            }
        }
    }
    if (out.DataPos > file.size() || int64_t(out.PackedSize) > file.size() - out.DataPos) return false;
    out.NextPos = int64_t(next);
    // Entries chain forward; one pointing back would loop for ever.
    return out.NextPos > pos;
}

} // namespace quorvex
