#pragma once
// BH member headers: the signature "BH" 05 07, a 37-byte fixed part, the name, then the
// packed data. Shared by the listing and an extractor.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

struct TBhHeader {
    int64_t HeaderPos = 0;
    int64_t DataPos = 0;
    int64_t NextPos = 0;
    uint8_t VersionMadeBy = 0;
    uint8_t VersionNeeded = 0;
    uint8_t Method = 0;
    uint32_t DosDateTime = 0;
    uint32_t PackedSize = 0;
    uint32_t UnpackedSize = 0;
    uint32_t Crc = 0;
    uint16_t Attributes = 0;
    std::string Name;
};

class TBhHeaders
{
public:
    static constexpr size_t HeaderLength = 37;

    // False when no BH header stands at `pos`.
    static bool Read(TArchiveSource& src, int64_t pos, TBhHeader& out);
    static const char* MethodName(int method);
};

} // namespace quorvex
