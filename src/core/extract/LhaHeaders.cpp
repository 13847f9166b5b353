#include "extract/OldFormatHeaders.h"

#include "archive/ArchiveDates.h"
#include "archive/ByteOrder.h"
#include "extract/UnBase.h"

#include <vector>

namespace quorvex {

namespace {

constexpr size_t BaseLength = 22;
constexpr uint8_t ExtFileName = 0x01;
constexpr uint8_t ExtFolderName = 0x02;
constexpr int MaxExtHeaders = 256;

std::string FolderName(const uint8_t* p, size_t n)
{
    std::string s(reinterpret_cast<const char*>(p), n);
    for (char& c : s)
        if (uint8_t(c) == 0xFF) c = '\\';
    if (!s.empty() && s.back() != '\\') s += '\\';
    return s;
}

// The chain of extended headers starting with the size at sizePos; adds up their length.
bool ReadExtended(QFile& file, int64_t sizePos, std::string& name, std::string& folder, int64_t& length)
{
    uint8_t sz[2];
    if (!ReadAt(file, sizePos, sz, 2)) return false;
    uint16_t next = GetU16(sz);
    int64_t p = sizePos + 2;
    length = 0;
    for (int n = 0; next != 0; ++n) {
        if (n == MaxExtHeaders || next < 3) return false;
        std::vector<uint8_t> ext(next);
        if (!ReadAt(file, p, ext.data(), next)) return false;
        const size_t body = next - 3;
        if (ext[0] == ExtFileName) name.assign(reinterpret_cast<const char*>(&ext[1]), body);
        if (ext[0] == ExtFolderName) folder = FolderName(&ext[1], body);
        p += next;
        length += next;
        next = GetU16(&ext[next - 2]);
    }
    return true;
}

} // namespace

bool ReadLhaHeader(QFile& file, int64_t pos, TOldMember& out)
{
    uint8_t h[BaseLength];
    if (!ReadAt(file, pos, h, sizeof h) || h[0] == 0) return false;
    if (h[2] != '-' || h[6] != '-') return false;
    out = {};
    out.LhaMethod.assign(reinterpret_cast<const char*>(h + 2), 5);
    out.PackedSize = GetU32(h + 7);
    out.UnpackedSize = GetU32(h + 11);
    const uint32_t stamp = GetU32(h + 15);
    const uint8_t level = h[20];
    std::string name, folder;
    int64_t data = 0;
    uint32_t dataSize = out.PackedSize;
    if (level == 0 || level == 1) {
        const int64_t headerEnd = pos + 2 + h[0];
        const uint8_t nameLength = h[21];
        std::vector<uint8_t> rest(size_t(nameLength) + 2);
        if (!ReadAt(file, pos + BaseLength, rest.data(), int64_t(rest.size()))) return false;
        name.assign(reinterpret_cast<const char*>(rest.data()), nameLength);
        out.Crc = GetU16(&rest[nameLength]);
        data = headerEnd;
        if (level == 1) {
            if (headerEnd - 2 < pos + int64_t(BaseLength) + nameLength + 2) return false;
            int64_t extLength = 0;
            if (!ReadExtended(file, headerEnd - 2, name, folder, extLength)) return false;
            if (extLength > int64_t(dataSize)) return false;
            data = headerEnd + extLength;
            dataSize -= uint32_t(extLength);
        }
        out.MemberDate = DosDateTimeToDateTime(stamp);
    } else if (level == 2) {
        const uint16_t total = GetU16(h);
        uint8_t more[4];
        if (total < 26 || !ReadAt(file, pos + BaseLength - 1, more, 4)) return false;
        out.Crc = GetU16(more);
        int64_t extLength = 0;
        if (!ReadExtended(file, pos + 24, name, folder, extLength)) return false;
        data = pos + total;
        out.MemberDate = UnixTimeToDateTime(int32_t(stamp));
    } else {
        return false;
    }
    if (data > file.size() || int64_t(dataSize) > file.size() - data) return false;
    out.Name = folder + name;
    out.DataPos = data;
    out.PackedSize = dataSize;
    out.NextPos = data + dataSize;
    out.Skip = out.LhaMethod == "-lhd-";
    return true;
}

} // namespace quorvex
