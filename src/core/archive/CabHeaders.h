#pragma once
// Cabinet headers: the cabinet header with the names of the cabinets before and after it in
// a set, the folder entries (where each folder's compressed data start and how they are
// compressed) and the file entries. Shared by the listing and an extractor.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

class TArchiveSource;

struct TCabFolder {
    uint32_t DataOffset = 0; // the first data block, from the start of the cabinet
    uint16_t DataBlocks = 0;
    uint16_t CompressionType = 0;
};

struct TCabinet {
    int64_t Start = 0; // where "MSCF" stands
    uint32_t FirstFile = 0;
    uint8_t VersionMinor = 0;
    uint8_t VersionMajor = 0;
    uint16_t FolderCount = 0;
    uint16_t FileCount = 0;
    uint16_t Flags = 0;
    uint16_t SetId = 0;
    uint16_t Index = 0; // the cabinet's number in its set, from 0
    uint8_t DataReserve = 0;
    std::string PreviousCabinet, PreviousDisk;
    std::string NextCabinet, NextDisk; // empty when the set ends here
    std::vector<TCabFolder> Folders;

    static constexpr uint16_t FlagPrevious = 0x01;
    static constexpr uint16_t FlagNext = 0x02;
    static constexpr uint16_t FlagReserve = 0x04;
    bool HasNext() const { return Flags & FlagNext; }
};

struct TCabFile {
    int64_t HeaderPos = 0;
    int64_t NextPos = 0;
    uint32_t Size = 0;
    uint32_t FolderOffset = 0; // of the file's data in its folder's unpacked stream
    uint16_t Folder = 0;       // an index, or one of the values for files across cabinets
    uint16_t Date = 0;
    uint16_t Time = 0;
    uint16_t Attributes = 0;
    std::string Name;

    static constexpr uint16_t ContinuedFromPrevious = 0xFFFD;
    static constexpr uint16_t ContinuedToNext = 0xFFFE;
    static constexpr uint16_t ContinuedBoth = 0xFFFF;
    // The folder entry that holds the file's data in this cabinet.
    size_t FolderIndex(const TCabinet& cab) const;
};

class TCabHeaders
{
public:
    static constexpr size_t FileEntryLength = 16;

    // Reads the cabinet header, its folder entries and the start of the first data block.
    // Returns 0, or the error: 25108 without the signature, 25135 when the folder entry or
    // the data block cannot be read.
    static int ReadCabinet(TArchiveSource& src, int64_t start, TCabinet& out);
    // The file entry at `pos`; false when it cannot be read whole.
    static bool ReadFile(TArchiveSource& src, int64_t pos, TCabFile& out);

    // "Stored", "MSZIP", "LZX" (the two codes of the older listing only), else "Unknown".
    static const char* MethodName(int compressionType);
};

} // namespace quorvex
