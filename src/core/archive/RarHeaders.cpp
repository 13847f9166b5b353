#include "RarHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quorvex {

namespace {

// Older format.
constexpr uint8_t Rar4FileBlock = 0x74;
constexpr uint8_t Rar4EndBlock = 0x7B;
constexpr uint16_t Rar4LongBlock = 0x8000;
constexpr uint16_t Rar4SplitBefore = 0x01;
constexpr uint16_t Rar4SplitAfter = 0x02;
constexpr uint16_t Rar4Password = 0x04;
constexpr uint16_t Rar4Comment = 0x08;
constexpr uint16_t Rar4FolderMask = 0xE0;
constexpr uint16_t Rar4LargeSizes = 0x100;
constexpr size_t Rar4CommentHeaderLength = 13;

// Newer format.
constexpr uint64_t Rar5FileBlock = 2;
constexpr uint64_t Rar5ServiceBlock = 3;
constexpr uint64_t Rar5EncryptionBlock = 4;
constexpr uint64_t Rar5EndBlock = 5;
constexpr uint64_t Rar5HasExtra = 0x01;
constexpr uint64_t Rar5HasData = 0x02;
constexpr uint64_t Rar5SplitBefore = 0x08;
constexpr uint64_t Rar5SplitAfter = 0x10;
constexpr uint64_t Rar5FileFolder = 0x01;
constexpr uint64_t Rar5FileTime = 0x02;
constexpr uint64_t Rar5FileCrc = 0x04;
constexpr uint64_t Rar5ExtraEncryption = 1;
constexpr uint64_t Rar5ExtraTime = 3;
constexpr uint32_t Rar5MaxHeader = 2 * 1024 * 1024;

const uint8_t Rar4Marker[] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
const uint8_t Rar5Marker[] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};

// Reads the variable-length integers of the newer format from a bounded buffer.
class TVintReader
{
public:
    TVintReader(const uint8_t* p, size_t n) : m_p(p), m_n(n) {}
    bool Next(uint64_t& v)
    {
        v = 0;
        for (int shift = 0; shift < 64 && m_at < m_n; shift += 7) {
            const uint8_t b = m_p[m_at++];
            v |= uint64_t(b & 0x7F) << shift;
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool U32(uint32_t& v)
    {
        if (m_n - m_at < 4) return false;
        v = GetU32(m_p + m_at);
        m_at += 4;
        return true;
    }
    bool Bytes(size_t count, const uint8_t*& p)
    {
        if (m_n - m_at < count) return false;
        p = m_p + m_at;
        m_at += count;
        return true;
    }
    size_t Position() const { return m_at; }

private:
    const uint8_t* m_p;
    size_t m_n;
    size_t m_at = 0;
};

bool ReadRar4(TArchiveSource& src, int64_t pos, TRarBlock& out)
{
    uint8_t fixed[7];
    if (!src.ReadExact(pos, fixed, sizeof fixed)) return false;
    const uint8_t type = fixed[2];
    const uint16_t flags = GetU16(fixed + 3);
    const uint16_t size = GetU16(fixed + 5);
    if (type == Rar4EndBlock) {
        out.Kind = TRarBlock::End;
        return true;
    }
    if (size < sizeof fixed) return false;
    std::vector<uint8_t> h(size);
    if (!src.ReadExact(pos, h.data(), size)) return false;
    const uint32_t added = (flags & Rar4LongBlock) && size >= 11 ? GetU32(&h[7]) : 0;
    out.DataPos = pos + size;
    out.NextPos = out.DataPos + added;
    out.PackedSize = added;
    if (type != Rar4FileBlock) return true;
    if (!(flags & Rar4LongBlock) || size < TRarHeaders::Rar4FileHeaderLength) return false;

    out.Kind = TRarBlock::File;
    out.UnpackedSize = GetU32(&h[11]);
    out.HostOs = h[15];
    out.Crc = GetU32(&h[16]);
    out.Time = GetU32(&h[20]);
    out.Version = h[24];
    out.Method = uint8_t(h[25] - '0');
    out.Attributes = GetU32(&h[28]);
    out.Folder = (flags & Rar4FolderMask) == Rar4FolderMask;
    out.ContinuedFromPrevious = flags & Rar4SplitBefore;
    out.ContinuesInNext = flags & Rar4SplitAfter;
    out.Encrypted = flags & Rar4Password;
    size_t namePos = TRarHeaders::Rar4FileHeaderLength;
    if (flags & Rar4LargeSizes) {
        if (size < namePos + 8) return false;
        out.PackedSize |= uint64_t(GetU32(&h[32])) << 32;
        out.UnpackedSize |= uint64_t(GetU32(&h[36])) << 32;
        out.NextPos = out.DataPos + int64_t(out.PackedSize);
        namePos += 8;
    }
    const uint16_t nameLength = GetU16(&h[26]);
    if (namePos + nameLength > size) return false;
    // A name with a Unicode form keeps the plain form before its NUL.
    out.Name = UpToNul(&h[namePos], nameLength);
    const size_t commentPos = namePos + nameLength;
    if ((flags & Rar4Comment) && size > commentPos + Rar4CommentHeaderLength) {
        const size_t length = std::min<size_t>(GetU16(&h[commentPos + 7]),
                                               size - commentPos - Rar4CommentHeaderLength);
        out.Comment.assign(reinterpret_cast<const char*>(&h[commentPos + 13]), length);
    }
    return true;
}

// The file time record of a file's extra area: UNIX seconds or a Windows file time.
void Rar5ExtraArea(const uint8_t* p, size_t n, TRarBlock& out)
{
    TVintReader r(p, n);
    while (r.Position() < n) {
        uint64_t size = 0, type = 0;
        if (!r.Next(size) || size == 0 || size > n - r.Position()) return;
        const size_t end = r.Position() + size_t(size);
        const uint8_t* record = nullptr;
        r.Bytes(0, record);
        TVintReader rec(record, size_t(size));
        if (rec.Next(type)) {
            uint64_t flags = 0;
            if (type == Rar5ExtraEncryption) out.Encrypted = true;
            if (type == Rar5ExtraTime && rec.Next(flags) && (flags & 0x02)) {
                const uint8_t* t = nullptr;
                if ((flags & 0x01) && rec.Bytes(4, t)) {
                    out.Time = GetU32(t);
                    out.UnixTime = true;
                } else if (!(flags & 0x01) && rec.Bytes(8, t)) {
                    const uint64_t ticks = uint64_t(GetU32(t)) | uint64_t(GetU32(t + 4)) << 32;
                    constexpr uint64_t unixEpoch = 116444736000000000ULL; // 100 ns units
                    if (ticks >= unixEpoch) {
                        out.Time = uint32_t(std::min<uint64_t>((ticks - unixEpoch) / 10000000,
                                                               INT32_MAX));
                        out.UnixTime = true;
                    }
                }
            }
        }
        const uint8_t* skip = nullptr;
        r.Bytes(end - r.Position(), skip);
    }
}

bool ReadRar5(TArchiveSource& src, int64_t pos, TRarBlock& out)
{
    uint8_t start[4 + 3];
    const size_t got = src.ReadAt(pos, start, sizeof start);
    if (got < 5) return false;
    TVintReader sizeReader(start + 4, got - 4);
    uint64_t headerSize = 0;
    if (!sizeReader.Next(headerSize) || headerSize == 0 || headerSize > Rar5MaxHeader)
        return false;
    const int64_t headerStart = pos + 4 + int64_t(sizeReader.Position());
    if (headerStart + int64_t(headerSize) > src.Size()) return false;
    std::vector<uint8_t> h(static_cast<size_t>(headerSize));
    if (!src.ReadExact(headerStart, h.data(), h.size())) return false;

    TVintReader r(h.data(), h.size());
    uint64_t type = 0, flags = 0, extraSize = 0, dataSize = 0;
    if (!r.Next(type) || !r.Next(flags)) return false;
    if ((flags & Rar5HasExtra) && !r.Next(extraSize)) return false;
    if ((flags & Rar5HasData) && !r.Next(dataSize)) return false;
    if (extraSize > h.size()) return false;
    out.DataPos = headerStart + int64_t(headerSize);
    if (dataSize > uint64_t(INT64_MAX / 2)) return false;
    out.NextPos = out.DataPos + int64_t(dataSize);
    out.PackedSize = dataSize;
    if (type == Rar5EndBlock) {
        out.Kind = TRarBlock::End;
        return true;
    }
    if (type == Rar5EncryptionBlock) return false; // the headers after it are encrypted
    if (type != Rar5FileBlock && type != Rar5ServiceBlock) return true;

    uint64_t fileFlags = 0, unpacked = 0, attributes = 0, compression = 0, host = 0,
             nameLength = 0;
    uint32_t time = 0, crc = 0;
    if (!r.Next(fileFlags) || !r.Next(unpacked) || !r.Next(attributes)) return false;
    if ((fileFlags & Rar5FileTime) && !r.U32(time)) return false;
    if ((fileFlags & Rar5FileCrc) && !r.U32(crc)) return false;
    const uint8_t* name = nullptr;
    if (!r.Next(compression) || !r.Next(host) || !r.Next(nameLength) ||
        !r.Bytes(size_t(std::min<uint64_t>(nameLength, h.size())), name))
        return false;
    out.Kind = type == Rar5FileBlock ? TRarBlock::File : TRarBlock::Other;
    out.UnpackedSize = unpacked;
    out.Attributes = uint32_t(attributes);
    out.Time = time;
    out.UnixTime = (fileFlags & Rar5FileTime) != 0;
    out.Crc = crc;
    out.Version = uint8_t(compression & 0x3F);
    out.Method = uint8_t((compression >> 7) & 7);
    out.HostOs = uint8_t(host);
    out.Folder = fileFlags & Rar5FileFolder;
    out.ContinuedFromPrevious = flags & Rar5SplitBefore;
    out.ContinuesInNext = flags & Rar5SplitAfter;
    const std::string text(reinterpret_cast<const char*>(name), size_t(nameLength));
    if (type == Rar5FileBlock)
        out.Name = text;
    else
        out.ServiceName = text;
    if (extraSize) Rar5ExtraArea(h.data() + h.size() - extraSize, size_t(extraSize), out);
    return true;
}

} // namespace

bool TRarHeaders::Format(TArchiveSource& src, int64_t pos, TRarFormat& format)
{
    uint8_t marker[Rar5MarkerLength];
    const size_t got = src.ReadAt(pos, marker, sizeof marker);
    if (got == sizeof marker && std::memcmp(marker, Rar5Marker, sizeof Rar5Marker) == 0) {
        format = TRarFormat::Rar5;
        return true;
    }
    if (got >= MarkerLength && std::memcmp(marker, Rar4Marker, sizeof Rar4Marker) == 0) {
        format = TRarFormat::Rar4;
        return true;
    }
    return false;
}

bool TRarHeaders::Read(TArchiveSource& src, TRarFormat format, int64_t pos, TRarBlock& out)
{
    out = TRarBlock();
    out.HeaderPos = pos;
    return format == TRarFormat::Rar5 ? ReadRar5(src, pos, out) : ReadRar4(src, pos, out);
}

const char* TRarHeaders::MethodName(int method)
{
    static const char* const names[] = {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"};
    return MethodNameOf(names, std::size(names), method);
}

} // namespace quorvex
