#include "FixtureMembers.h"

#include <stdexcept>

namespace testdata {

namespace {

uint32_t U16(const Bytes& b, size_t at)
{
    if (at + 2 > b.size()) throw std::runtime_error("short header");
    return uint32_t(b[at] | b[at + 1] << 8);
}

uint32_t U32(const Bytes& b, size_t at)
{
    return U16(b, at) | U16(b, at + 2) << 16;
}

Bytes Slice(const Bytes& b, size_t at, size_t size)
{
    if (at + size > b.size()) throw std::runtime_error("short data");
    return Bytes(b.begin() + long(at), b.begin() + long(at + size));
}

std::string CString(const Bytes& b, size_t at)
{
    std::string s;
    while (at < b.size() && b[at]) s += char(b[at++]);
    return s;
}

} // namespace

std::vector<TMember> ZipMembers(const Bytes& a)
{
    std::vector<TMember> out;
    size_t pos = 0;
    while (pos + 30 <= a.size() && U32(a, pos) == 0x04034B50) {
        TMember m;
        m.flags = U16(a, pos + 6);
        m.method = int(U16(a, pos + 8));
        m.dosTime = uint16_t(U16(a, pos + 10));
        m.crc = U32(a, pos + 14);
        uint32_t packed = U32(a, pos + 18);
        m.unpackedSize = U32(a, pos + 22);
        uint32_t nameLen = U16(a, pos + 26), extraLen = U16(a, pos + 28);
        m.name.assign(a.begin() + long(pos + 30), a.begin() + long(pos + 30 + nameLen));
        size_t data = pos + 30 + nameLen + extraLen;
        m.packed = Slice(a, data, packed);
        pos = data + packed;
        if (m.flags & 8) pos += U32(a, pos) == 0x08074B50 ? 16 : 12;
        out.push_back(std::move(m));
    }
    return out;
}

std::vector<TMember> ArjMembers(const Bytes& a)
{
    std::vector<TMember> out;
    size_t pos = 0;
    bool mainHeader = true;
    while (pos + 4 <= a.size() && U16(a, pos) == 0xEA60) {
        uint32_t size = U16(a, pos + 2);
        if (size == 0) break;
        size_t h = pos + 4;
        TMember m;
        m.method = a[h + 5];
        uint32_t packed = U32(a, h + 12);
        m.unpackedSize = U32(a, h + 16);
        m.crc = U32(a, h + 20);
        m.name = CString(a, h + a[h]);
        size_t next = h + size + 4;
        while (uint32_t ext = U16(a, next)) next += 2 + ext + 4;
        next += 2;
        if (!mainHeader) {
            m.packed = Slice(a, next, packed);
            next += packed;
            out.push_back(std::move(m));
        }
        mainHeader = false;
        pos = next;
    }
    return out;
}

std::vector<TMember> LhaMembers(const Bytes& a)
{
    std::vector<TMember> out;
    size_t pos = 0;
    while (pos + 24 <= a.size() && a[pos] != 0) {
        if (a[pos + 2] != '-' || a[pos + 3] != 'l' || a[pos + 4] != 'h')
            throw std::runtime_error("not an LHA header");
        int level = a[pos + 20];
        TMember m;
        m.method = a[pos + 5] - '0';
        uint32_t packed = U32(a, pos + 7);
        m.unpackedSize = U32(a, pos + 11);
        size_t data;
        if (level == 2) {
            m.crc = U16(a, pos + 21);
            data = pos + U16(a, pos);
        } else if (level == 0) {
            uint32_t nameLen = a[pos + 21];
            m.name.assign(a.begin() + long(pos + 22), a.begin() + long(pos + 22 + nameLen));
            m.crc = U16(a, pos + 22 + nameLen);
            data = pos + a[pos] + 2;
        } else {
            throw std::runtime_error("header level 1 not needed here");
        }
        m.packed = Slice(a, data, packed);
        pos = data + packed;
        out.push_back(std::move(m));
    }
    return out;
}

std::vector<TMember> ArcMembers(const Bytes& a)
{
    std::vector<TMember> out;
    size_t pos = 0;
    while (pos + 2 <= a.size() && a[pos] == 0x1A && a[pos + 1] != 0) {
        TMember m;
        m.method = a[pos + 1];
        m.name = CString(Slice(a, pos + 2, 13), 0);
        uint32_t packed = U32(a, pos + 15);
        m.crc = U16(a, pos + 23);
        size_t data = pos + (m.method == 1 ? 25 : 29);
        m.unpackedSize = m.method == 1 ? packed : U32(a, pos + 25);
        m.packed = Slice(a, data, packed);
        pos = data + packed;
        out.push_back(std::move(m));
    }
    return out;
}

TMember GzipMember(const Bytes& f)
{
    TMember m;
    if (f.size() < 18 || f[0] != 0x1F || f[1] != 0x8B) throw std::runtime_error("not gzip");
    m.method = f[2];
    m.flags = f[3];
    size_t pos = 10;
    if (m.flags & 4) pos += 2 + U16(f, pos);
    if (m.flags & 8) pos += CString(f, pos).size() + 1;
    if (m.flags & 16) pos += CString(f, pos).size() + 1;
    if (m.flags & 2) pos += 2;
    m.crc = U32(f, f.size() - 8);
    m.unpackedSize = U32(f, f.size() - 4);
    m.packed = Slice(f, pos, f.size() - 8 - pos);
    return m;
}

} // namespace testdata
