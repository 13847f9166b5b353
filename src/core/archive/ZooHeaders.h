#pragma once
// ZOO headers: the archive header (with the offset of the first directory entry and its
// check, and the archive comment) and the directory entries, a chain linked by absolute
// offsets. Shared by the listing and the extractor.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct TZooArchiveHeader {
    int64_t FirstEntry = 0;
    std::string Comment; // empty = none
};

struct TZooEntry {
    int64_t HeaderPos = 0;
    int64_t NextPos = 0; // 0: this entry ends the chain
    int64_t DataPos = 0;
    uint8_t Type = 0;
    uint8_t Method = 0;
    uint16_t Date = 0;
    uint16_t Time = 0;
    uint16_t Crc = 0; // CRC-16 of the unpacked data
    uint32_t UnpackedSize = 0;
    uint32_t PackedSize = 0;
    uint8_t VersionMajor = 0;
    uint8_t VersionMinor = 0;
    bool Deleted = false;
    std::string ShortName;  // the 8.3 name
    std::string LongName;   // from the variable part of type-2 entries, empty if none
    std::string FolderName; // the same, with "\" between parts
    std::string Comment;

    // The folder and the long name (else the short name), joined with "\".
    std::string FullName() const;
};

class TZooHeaders
{
public:
    static constexpr uint32_t Tag = 0xFDC4A7DC;
    // A directory entry's fixed part and the two length bytes of its variable part.
    static constexpr size_t EntryLength = 58;

    // False when the header is not that of a ZOO archive or its check fails.
    static bool ReadArchive(TArchiveSource& src, int64_t pos, TZooArchiveHeader& out);
    // False when no directory entry stands at `pos`.
    static bool ReadEntry(TArchiveSource& src, int64_t pos, TZooEntry& out);

    static const char* MethodName(int method);
};

} // namespace quorvex
