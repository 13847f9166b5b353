#include "BhHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

#include <vector>

namespace quorvex {

bool TBhHeaders::Read(TArchiveSource& src, int64_t pos, TBhHeader& out)
{
    uint8_t h[HeaderLength];
    if (!src.ReadExact(pos, h, sizeof h) || h[0] != 'B' || h[1] != 'H' || h[2] != 5 ||
        h[3] != 7 || GetU16(h + 4) == 0)
        return false;
    out = TBhHeader();
    out.HeaderPos = pos;
    out.VersionMadeBy = h[7];
    out.VersionNeeded = h[8];
    out.Method = h[10];
    out.DosDateTime = GetU32(h + 11);
    out.PackedSize = GetU32(h + 15);
    out.UnpackedSize = GetU32(h + 19);
    out.Crc = GetU32(h + 23);
    out.Attributes = GetU16(h + 27);
    const uint16_t nameLength = GetU16(h + 33);
    std::vector<uint8_t> name(nameLength);
    if (!src.ReadExact(pos + int64_t(HeaderLength), name.data(), nameLength)) return false;
    out.Name.assign(name.begin(), name.end());
    out.DataPos = pos + int64_t(HeaderLength) + nameLength;
    out.NextPos = out.DataPos + int64_t(out.PackedSize);
    return true;
}

const char* TBhHeaders::MethodName(int method)
{
    static const char* const names[] = {"Stored", "Fused", "Ionized"};
    return MethodNameOf(names, std::size(names), method);
}

} // namespace quorvex
