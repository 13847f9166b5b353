#include "HaHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

namespace quorvex {

namespace {

constexpr size_t MaxPath = 1024;

// A NUL-terminated text at `pos`; moves `pos` past its NUL.
bool ReadText(TArchiveSource& src, int64_t& pos, std::string& out)
{
    uint8_t buf[MaxPath];
    const size_t got = src.ReadAt(pos, buf, sizeof buf);
    out = UpToNul(buf, got);
    if (out.size() == got) return false;
    pos += int64_t(out.size()) + 1;
    return true;
}

} // namespace

std::string THaHeader::FullName() const
{
    if (Folder.empty()) return Name;
    return Folder.back() == '\\' ? Folder + Name : Folder + '\\' + Name;
}

bool THaHeaders::Read(TArchiveSource& src, int64_t pos, THaHeader& out)
{
    uint8_t h[HeaderLength];
    if (!src.ReadExact(pos, h, sizeof h)) return false;
    out = THaHeader();
    out.HeaderPos = pos;
    out.Method = h[0] & 0x0F;
    out.Version = h[0] >> 4;
    out.PackedSize = GetU32(h + 1);
    out.UnpackedSize = GetU32(h + 5);
    out.Crc = GetU32(h + 9);
    out.UnixTime = GetU32(h + 13);
    int64_t at = pos + int64_t(HeaderLength);
    if (!ReadText(src, at, out.Folder) || !ReadText(src, at, out.Name)) return false;
    for (char& c : out.Folder)
        if (c == '/' || uint8_t(c) == 0xFF) c = '\\';
    out.Name = BackslashPath(out.Name);
    uint8_t machineLength = 0;
    if (!src.ReadExact(at, &machineLength, 1)) return false;
    out.DataPos = at + 1 + machineLength;
    out.NextPos = out.DataPos + int64_t(out.PackedSize);
    return true;
}

const char* THaHeaders::MethodName(int method)
{
    switch (method) {
    case 0:
        return "Cpy";
    case 1:
        return "Asc";
    case 2:
        return "HSC";
    case 14:
        return "Dir";
    case 15:
        return "Special";
    default:
        return "Unknown";
    }
}

} // namespace quorvex
