#include "CabHeaders.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

namespace quorvex {

namespace {

constexpr uint32_t Signature = 0x4643534D; // "MSCF"
constexpr size_t HeaderLength = 36;
constexpr size_t MaxName = 255;
constexpr size_t FolderEntryLength = 8;
constexpr size_t DataBlockHeaderLength = 8;

// A NUL-terminated text of at most 255 bytes at `pos`; moves `pos` past its NUL.
bool ReadName(TArchiveSource& src, int64_t& pos, std::string& out)
{
    uint8_t buf[MaxName + 1];
    const size_t got = src.ReadAt(pos, buf, sizeof buf);
    out = UpToNul(buf, got);
    if (out.size() == got) return false; // no NUL
    pos += int64_t(out.size()) + 1;
    return true;
}

} // namespace

size_t TCabFile::FolderIndex(const TCabinet& cab) const
{
    if (Folder == ContinuedToNext) return cab.Folders.empty() ? 0 : cab.Folders.size() - 1;
    if (Folder == ContinuedFromPrevious || Folder == ContinuedBoth) return 0;
    return Folder;
}

int TCabHeaders::ReadCabinet(TArchiveSource& src, int64_t start, TCabinet& out)
{
    uint8_t h[HeaderLength];
    if (!src.ReadExact(start, h, sizeof h) || GetU32(h) != Signature) return E_BADFILEHEADER;
    out = TCabinet();
    out.Start = start;
    out.FirstFile = GetU32(h + 16);
    out.VersionMinor = h[24];
    out.VersionMajor = h[25];
    out.FolderCount = GetU16(h + 26);
    out.FileCount = GetU16(h + 28);
    out.Flags = GetU16(h + 30);
    out.SetId = GetU16(h + 32);
    out.Index = GetU16(h + 34);
    int64_t pos = start + int64_t(HeaderLength);
    uint8_t folderReserve = 0;
    if (out.Flags & TCabinet::FlagReserve) {
        uint8_t r[4];
        if (!src.ReadExact(pos, r, sizeof r)) return E_READ;
        folderReserve = r[2];
        out.DataReserve = r[3];
        pos += 4 + GetU16(r);
    }
    if (out.Flags & TCabinet::FlagPrevious) {
        if (!ReadName(src, pos, out.PreviousCabinet) || !ReadName(src, pos, out.PreviousDisk))
            return E_READ;
    }
    if (out.Flags & TCabinet::FlagNext) {
        if (!ReadName(src, pos, out.NextCabinet) || !ReadName(src, pos, out.NextDisk))
            return E_READ;
    }
    // Every folder entry must be there; the count cannot outgrow the file.
    if (pos + int64_t(out.FolderCount) * int64_t(FolderEntryLength + folderReserve) >
        src.Size())
        return E_READ;
    for (uint16_t i = 0; i < out.FolderCount || i == 0; ++i) {
        uint8_t f[FolderEntryLength];
        if (!src.ReadExact(pos, f, sizeof f)) return E_READ;
        out.Folders.push_back({GetU32(f), GetU16(f + 4), GetU16(f + 6)});
        pos += int64_t(FolderEntryLength + folderReserve);
        if (out.FolderCount == 0) break;
    }
    uint8_t block[DataBlockHeaderLength];
    if (!src.ReadExact(start + out.Folders.front().DataOffset, block, sizeof block)) return E_READ;
    return 0;
}

bool TCabHeaders::ReadFile(TArchiveSource& src, int64_t pos, TCabFile& out)
{
    uint8_t h[FileEntryLength];
    if (!src.ReadExact(pos, h, sizeof h)) return false;
    out = TCabFile();
    out.HeaderPos = pos;
    out.Size = GetU32(h);
    out.FolderOffset = GetU32(h + 4);
    out.Folder = GetU16(h + 8);
    out.Date = GetU16(h + 10);
    out.Time = GetU16(h + 12);
    out.Attributes = GetU16(h + 14);
    int64_t at = pos + int64_t(FileEntryLength);
    if (!ReadName(src, at, out.Name)) return false;
    out.NextPos = at;
    return true;
}

const char* TCabHeaders::MethodName(int compressionType)
{
    switch (compressionType) {
    case 0:
        return "Stored";
    case 1:
        return "MSZIP";
    case 3487:
    case 5490:
        return "LZX";
    default:
        return "Unknown";
    }
}

} // namespace quorvex
