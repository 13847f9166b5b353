#include "ZooHeaders.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "DirectoryReader.h"

namespace quorvex {

namespace {

constexpr size_t ArchiveHeaderLength = 42;
constexpr uint8_t EntryWithVariablePart = 2;
constexpr size_t FixedPart = 56;

std::string ReadText(TArchiveSource& src, int64_t pos, uint16_t length)
{
    std::string text(length, '\0');
    text.resize(src.ReadAt(pos, text.data(), length));
    return text;
}

} // namespace

std::string TZooEntry::FullName() const
{
    std::string name = BackslashPath(LongName.empty() ? ShortName : LongName);
    if (FolderName.empty() || name.empty()) return name;
    return FolderName.back() == '\\' ? FolderName + name : FolderName + '\\' + name;
}

bool TZooHeaders::ReadArchive(TArchiveSource& src, int64_t pos, TZooArchiveHeader& out)
{
    uint8_t h[ArchiveHeaderLength];
    if (!src.ReadExact(pos, h, sizeof h) || GetU32(h + 20) != Tag) return false;
    const uint32_t start = GetU32(h + 24);
    if (uint32_t(start + GetU32(h + 28)) != 0) return false;
    out.FirstEntry = start;
    out.Comment.clear();
    if (const uint16_t length = GetU16(h + 39)) out.Comment = ReadText(src, GetU32(h + 35), length);
    return true;
}

bool TZooHeaders::ReadEntry(TArchiveSource& src, int64_t pos, TZooEntry& out)
{
    uint8_t h[EntryLength];
    if (!src.ReadExact(pos, h, sizeof h) || GetU32(h) != Tag) return false;
    out = TZooEntry();
    out.HeaderPos = pos;
    out.Type = h[4];
    out.Method = h[5];
    out.NextPos = GetU32(h + 6);
    out.DataPos = GetU32(h + 10);
    out.Date = GetU16(h + 14);
    out.Time = GetU16(h + 16);
    out.Crc = GetU16(h + 18);
    out.UnpackedSize = GetU32(h + 20);
    out.PackedSize = GetU32(h + 24);
    out.VersionMajor = h[28];
    out.VersionMinor = h[29];
    out.Deleted = h[30] != 0;
    out.ShortName = UpToNul(h + 38, 13);
    if (const uint16_t length = GetU16(h + 36)) out.Comment = ReadText(src, GetU32(h + 32), length);

    // Type 2: the variable part holds the long name and the folder, each with its length.
    const uint16_t variableLength = GetU16(h + 51);
    if (out.Type == EntryWithVariablePart && variableLength >= 2) {
        const uint8_t nameLength = h[56], folderLength = h[57];
        if (2u + nameLength + folderLength <= variableLength) {
            std::string names = ReadText(src, pos + int64_t(FixedPart) + 2,
                                         uint16_t(nameLength + folderLength));
            if (names.size() == size_t(nameLength + folderLength)) {
                out.LongName = UpToNul(reinterpret_cast<const uint8_t*>(names.data()), nameLength);
                out.FolderName = BackslashPath(UpToNul(
                    reinterpret_cast<const uint8_t*>(names.data()) + nameLength, folderLength));
            }
        }
    }
    return true;
}

const char* TZooHeaders::MethodName(int method)
{
    static const char* const names[] = {"Stored", "Fastest", "Greatest"};
    return MethodNameOf(names, std::size(names), method);
}

} // namespace quorvex
