#pragma once
// HA member headers: after the 4-byte archive header ("HA" and the member count), each
// member has a 17-byte header, its folder and name (NUL-terminated), a machine-information
// block with its own length byte, then the packed data. Shared by the listing and an
// extractor.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct THaHeader {
    int64_t HeaderPos = 0;
    int64_t DataPos = 0;
    int64_t NextPos = 0;
    uint8_t Method = 0;  // low nibble of the type byte
    uint8_t Version = 0; // high nibble
    uint32_t PackedSize = 0;
    uint32_t UnpackedSize = 0;
    uint32_t Crc = 0;
    uint32_t UnixTime = 0;
    std::string Folder; // "\" between its parts, empty at the top
    std::string Name;

    std::string FullName() const;
};

class THaHeaders
{
public:
    static constexpr size_t ArchiveHeaderLength = 4;
    static constexpr size_t HeaderLength = 17;

    static bool Read(TArchiveSource& src, int64_t pos, THaHeader& out);
    static const char* MethodName(int method);
};

} // namespace quorvex
