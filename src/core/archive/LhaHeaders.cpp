#include "LhaHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

#include <algorithm>
#include <vector>

namespace quorvex {

namespace {

constexpr uint8_t ExtFileName = 0x01;
constexpr uint8_t ExtFolderName = 0x02;
constexpr size_t Level2FixedPart = 26;

bool LooksLikeMethod(const uint8_t* p)
{
    return p[0] == '-' && p[4] == '-';
}

// Folders are stored with FF (or "/") between their parts.
std::string FolderText(const uint8_t* p, size_t n)
{
    std::string s = UpToNul(p, n);
    for (char& c : s)
        if (uint8_t(c) == 0xFF || c == '/') c = '\\';
    return s;
}

std::string Joined(std::string folder, const std::string& name)
{
    if (folder.empty()) return name;
    if (folder.back() != '\\') folder += '\\';
    return folder + (!name.empty() && name.front() == '\\' ? name.substr(1) : name);
}

// Walks a chain of extended headers from `at`, each [type][data][u16 size of the next],
// the first of size `size`, not past `limit`. Picks up the name and folder headers.
// Returns the position after the chain, or -1 when it runs out of the file.
int64_t WalkExtended(TArchiveSource& src, int64_t at, uint16_t size, int64_t limit,
                     std::string& name, std::string& folder)
{
    std::vector<uint8_t> ext;
    while (size != 0) {
        if (size < 3 || at + size > limit) return -1;
        ext.resize(size);
        if (!src.ReadExact(at, ext.data(), size)) return -1;
        const size_t dataLength = size - 3;
        if (ext[0] == ExtFileName) name = BackslashPath(UpToNul(ext.data() + 1, dataLength));
        if (ext[0] == ExtFolderName) folder = FolderText(ext.data() + 1, dataLength);
        at += size;
        size = GetU16(ext.data() + size - 2);
    }
    return at;
}

bool ReadLevel01(TArchiveSource& src, int64_t pos, TLhaHeader& out)
{
    uint8_t b[257];
    uint8_t size = 0;
    if (!src.ReadExact(pos, &size, 1) || size == 0) return false;
    const size_t length = size_t(size) + 2;
    if (!src.ReadExact(pos, b, length)) return false;
    const size_t nameLength = b[21];
    if (22 + nameLength + 2 > length) return false;
    out.Name = BackslashPath(std::string(reinterpret_cast<const char*>(b + 22), nameLength));
    out.Crc = GetU16(b + 22 + nameLength);
    out.DataPos = pos + int64_t(length);
    out.NextPos = out.DataPos + int64_t(out.PackedSize);
    out.DataSize = out.PackedSize;
    if (out.Level == 1) {
        // The OS id, then the size of the first extended header closing the base header.
        if (length < 22 + nameLength + 2 + 3) return false;
        out.OsId = b[22 + nameLength + 2];
        std::string folder;
        const int64_t end = WalkExtended(src, out.DataPos, GetU16(b + length - 2),
                                         std::min(src.Size(), out.NextPos), out.Name, folder);
        if (end < 0) return false;
        out.Name = Joined(folder, out.Name);
        out.DataSize = uint32_t(out.NextPos - end);
        out.DataPos = end;
    }
    return true;
}

bool ReadLevel2(TArchiveSource& src, int64_t pos, const uint8_t* fixed, TLhaHeader& out)
{
    const uint16_t total = GetU16(fixed);
    if (total < Level2FixedPart) return false;
    out.Crc = GetU16(fixed + 21);
    out.OsId = fixed[23];
    std::string name, folder;
    const int64_t end = WalkExtended(src, pos + int64_t(Level2FixedPart), GetU16(fixed + 24),
                                     pos + total, name, folder);
    if (end < 0) return false;
    out.Name = Joined(folder, name);
    out.DataPos = pos + total;
    out.DataSize = out.PackedSize;
    out.NextPos = out.DataPos + int64_t(out.PackedSize);
    return true;
}

} // namespace

bool TLhaHeaders::Read(TArchiveSource& src, int64_t pos, TLhaHeader& out)
{
    uint8_t fixed[Level2FixedPart];
    const size_t got = src.ReadAt(pos, fixed, sizeof fixed);
    if (got < MinimumLength || !LooksLikeMethod(fixed + 2)) return false;
    out = TLhaHeader();
    out.HeaderPos = pos;
    out.Level = fixed[20];
    out.MethodId.assign(reinterpret_cast<const char*>(fixed + 2), 5);
    out.PackedSize = GetU32(fixed + 7);
    out.UnpackedSize = GetU32(fixed + 11);
    out.Stamp = GetU32(fixed + 15);
    out.Attribute = fixed[19];
    switch (out.Level) {
    case 0:
    case 1:
        return ReadLevel01(src, pos, out);
    case 2:
        return got == sizeof fixed && ReadLevel2(src, pos, fixed, out);
    default: // level 3 and anything else
        return false;
    }
}

const char* TLhaHeaders::MethodName(char code)
{
    static const char* const names[] = {"Stored",   "Frozen-1", "Frozen-2",
                                        "Frozen-3", "Frozen-4", "Frozen-5"};
    return MethodNameOf(names, std::size(names), code - '0');
}

} // namespace quorvex
