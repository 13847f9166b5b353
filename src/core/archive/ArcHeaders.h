#pragma once
// ARC and PAK member headers: 1A, the method, the 8.3 name and the sizes, each followed by
// the packed data; 1A 00 ends the archive. Shared by the listing and the extractor.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct TArcHeader {
    int64_t HeaderPos = 0;
    int64_t DataPos = 0;
    int64_t NextPos = 0;
    uint8_t Method = 0;
    std::string Name;
    uint32_t PackedSize = 0;
    uint32_t UnpackedSize = 0;
    uint16_t Date = 0;
    uint16_t Time = 0;
    uint16_t Crc = 0; // CRC-16 of the unpacked data
};

class TArcHeaders
{
public:
    static constexpr size_t HeaderLength = 29;
    // Method 1, the oldest stored form, has no unpacked size: its header is 4 bytes shorter.
    static constexpr size_t OldStoredHeaderLength = 25;

    // False at the end marker and at anything that is not a member header.
    static bool Read(TArchiveSource& src, int64_t pos, TArcHeader& out);

    static const char* ArcMethodName(int method);
    static const char* PakMethodName(int method);
};

} // namespace quorvex
