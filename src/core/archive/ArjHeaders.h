#pragma once
// ARJ headers: the main header at the start of the archive and one header per member. Each
// is a basic header (60 EA, size, the fixed part, name, comment, CRC-32) followed by a
// chain of extended headers that ends with a size of 0. Shared by the listing and the
// extractor, which walk an archive the same way.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct TArjHeader {
    int64_t HeaderPos = 0; // where 60 EA stands
    int64_t DataPos = 0;   // the packed data, after the extended headers
    int64_t NextPos = 0;   // the next header
    uint8_t VersionMadeBy = 0;
    uint8_t VersionNeeded = 0;
    uint8_t HostOs = 0;
    uint8_t Flags = 0;
    uint8_t Method = 0;
    uint8_t FileType = 0; // 0 binary, 1 text, 2 main header, 3 folder
    // A DOS date-time, but seconds since 1970 UTC when the archiver ran on UNIX.
    uint32_t DosDateTime = 0;
    uint32_t PackedSize = 0;
    uint32_t UnpackedSize = 0;
    uint32_t Crc = 0;
    uint16_t FileMode = 0;
    std::string Name;    // as stored
    std::string Comment; // empty = none

    static constexpr uint8_t HostUnix = 2;
    static constexpr uint8_t FlagGarbled = 0x01;
    static constexpr uint8_t FlagVolume = 0x04;  // continues in the next volume
    static constexpr uint8_t FlagExtFile = 0x08; // started in a previous volume
    bool ContinuesInNextVolume() const { return Flags & FlagVolume; }
    bool ContinuedFromPrevious() const { return Flags & FlagExtFile; }
};

class TArjHeaders
{
public:
    // The shortest basic header: id, size and the fixed part of ARJ 2.
    static constexpr size_t MinimumLength = 34;
    static constexpr size_t MaxComment = 2500;

    // A header at `pos`; false at the end marker (size 0) and at anything that is not a
    // complete header. For the main header NextPos is the first member's header.
    static bool Read(TArchiveSource& src, int64_t pos, TArjHeader& out);

    static const char* MethodName(int method);
};

} // namespace quorvex
