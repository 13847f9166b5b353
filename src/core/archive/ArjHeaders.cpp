#include "ArjHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {

constexpr uint16_t MaxBasicHeader = 2600;
constexpr uint8_t MinFixedPart = 30;

} // namespace

bool TArjHeaders::Read(TArchiveSource& src, int64_t pos, TArjHeader& out)
{
    uint8_t id[4];
    if (!src.ReadExact(pos, id, sizeof id) || id[0] != 0x60 || id[1] != 0xEA) return false;
    const uint16_t size = GetU16(id + 2);
    if (size == 0 || size > MaxBasicHeader) return false;
    uint8_t b[MaxBasicHeader];
    if (!src.ReadExact(pos + 4, b, size)) return false;
    // The fixed part has grown over the versions (ARJ 3 adds the access and creation
    // dates): the name follows it wherever it ends.
    const uint8_t fixed = b[0];
    if (fixed < MinFixedPart || fixed > size) return false;

    out.HeaderPos = pos;
    out.VersionMadeBy = b[1];
    out.VersionNeeded = b[2];
    out.HostOs = b[3];
    out.Flags = b[4];
    out.Method = b[5];
    out.FileType = b[6];
    out.DosDateTime = GetU32(b + 8);
    out.PackedSize = GetU32(b + 12);
    out.UnpackedSize = GetU32(b + 16);
    out.Crc = GetU32(b + 20);
    out.FileMode = GetU16(b + 26);
    const uint8_t* name = b + fixed;
    const size_t rest = size - fixed;
    out.Name = UpToNul(name, rest);
    const size_t afterName = std::min(rest, out.Name.size() + 1);
    out.Comment = UpToNul(name + afterName, std::min(rest - afterName, MaxComment));

    // After the basic header's CRC-32: extended headers, each with its own CRC-32.
    int64_t at = pos + 4 + size + 4;
    for (;;) {
        uint8_t ext[2];
        if (!src.ReadExact(at, ext, sizeof ext)) return false;
        at += 2;
        const uint16_t extSize = GetU16(ext);
        if (extSize == 0) break;
        at += int64_t(extSize) + 4;
        if (at > src.Size()) return false;
    }
    out.DataPos = at;
    out.NextPos = out.FileType == 2 ? at : at + int64_t(out.PackedSize);
    return true;
}

const char* TArjHeaders::MethodName(int method)
{
    static const char* const names[] = {"Stored", "Most", "2nd Most", "2nd Fast", "Fastest"};
    return MethodNameOf(names, std::size(names), method);
}

} // namespace quorvex
