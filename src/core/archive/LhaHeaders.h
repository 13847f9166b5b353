#pragma once
// LHA/LZH member headers of levels 0, 1 and 2. Levels 0 and 1 begin with a one-byte header
// size and carry the name in the base header; level 1 adds a chain of extended headers
// (counted in the packed size) and level 2 has a two-byte size, a UNIX time and its names
// in extended headers only. Shared by the listing and the extractor.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct TLhaHeader {
    int64_t HeaderPos = 0;
    int64_t DataPos = 0;  // the packed data, after every header
    int64_t NextPos = 0;  // the next header
    uint32_t DataSize = 0; // bytes of packed data at DataPos
    uint8_t Level = 0;
    std::string MethodId; // "-lh5-", "-lhd-" (a folder), ...
    uint32_t PackedSize = 0; // as stored: on level 1 the extended headers are counted in
    uint32_t UnpackedSize = 0;
    uint32_t Stamp = 0; // DOS date-time on levels 0 and 1, UNIX time on level 2
    uint8_t Attribute = 0;
    uint16_t Crc = 0; // CRC-16 of the unpacked data
    uint8_t OsId = 0;
    std::string Name; // folder and name joined with "\", as stored otherwise

    bool UnixStamp() const { return Level == 2; }
    bool IsFolder() const { return MethodId == "-lhd-"; }
};

class TLhaHeaders
{
public:
    // Bytes every header has before its name: up to the name length of levels 0 and 1.
    static constexpr size_t MinimumLength = 22;

    // The header at `pos`; false at the end marker (a size of 0) and at anything that is
    // not a complete header of a known level.
    static bool Read(TArchiveSource& src, int64_t pos, TLhaHeader& out);

    // "Stored", "Frozen-1" ... "Frozen-5" for the character of "-lhN-".
    static const char* MethodName(char code);
};

} // namespace quorvex
