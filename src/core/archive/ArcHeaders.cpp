#include "ArcHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

namespace quorvex {

bool TArcHeaders::Read(TArchiveSource& src, int64_t pos, TArcHeader& out)
{
    uint8_t h[HeaderLength];
    const size_t got = src.ReadAt(pos, h, sizeof h);
    if (got < OldStoredHeaderLength || h[0] != 0x1A || h[1] == 0) return false;
    const bool oldStored = h[1] == 1;
    if (!oldStored && got < HeaderLength) return false;
    out.HeaderPos = pos;
    out.Method = h[1];
    out.Name = UpToNul(h + 2, 13);
    out.PackedSize = GetU32(h + 15);
    out.Date = GetU16(h + 19);
    out.Time = GetU16(h + 21);
    out.Crc = GetU16(h + 23);
    out.UnpackedSize = oldStored ? out.PackedSize : GetU32(h + 25);
    out.DataPos = pos + int64_t(oldStored ? OldStoredHeaderLength : HeaderLength);
    out.NextPos = out.DataPos + int64_t(out.PackedSize);
    return true;
}

const char* TArcHeaders::ArcMethodName(int method)
{
    static const char* const names[] = {nullptr,    "Stored",   "Stored",   "Packed",
                                        "Squeezed", "crunched", "crunched", "crunched",
                                        "Crunched", "Squashed", "Pack10",   "Pack11",
                                        "Pack12"};
    return MethodNameOf(names, std::size(names), method);
}

const char* TArcHeaders::PakMethodName(int method)
{
    static const char* const names[] = {nullptr,    "Stored",   "Stored",   "RLE",
                                        "Squeezed", "FIXEDLEN", "FIXEDLEN", "FIXEDLEN",
                                        "VARIBLE",  "VARIBLE",  "Crushed",  "Distill"};
    return MethodNameOf(names, std::size(names), method);
}

} // namespace quorvex
