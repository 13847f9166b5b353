#pragma once
// RAR block headers of both formats. The older one (signature "Rar!" 1A 07 00) has fixed
// little-endian fields; the newer one (signature "Rar!" 1A 07 01 00) variable-length
// integers. Both come here as one kind of block record, so that the listing and an
// extractor walk either the same way.

#include <cstdint>
#include <string>

namespace quorvex {

class TArchiveSource;

enum class TRarFormat { Rar4, Rar5 };

struct TRarBlock {
    enum TKind { File, Other, End };
    TKind Kind = Other;
    int64_t HeaderPos = 0;
    int64_t DataPos = 0;
    int64_t NextPos = 0;
    uint64_t PackedSize = 0; // the data of this block (the part in this volume)
    uint64_t UnpackedSize = 0;
    uint32_t Crc = 0; // CRC-32 of the data (of the part, for a member split over volumes)
    // Older format: a DOS date-time. Newer: seconds since 1970 UTC, or 0 when none.
    uint32_t Time = 0;
    bool UnixTime = false;
    uint8_t HostOs = 0;
    uint8_t Version = 0; // version needed to unpack (older format: 29 for 2.9)
    uint8_t Method = 0;  // 0 (stored) to 5 (best)
    uint32_t Attributes = 0;
    bool Folder = false;
    bool ContinuedFromPrevious = false;
    bool ContinuesInNext = false;
    bool Encrypted = false;
    std::string Name;    // as stored, "/" or "\" between folders
    std::string Comment; // older format: the member's comment, taken as stored
    std::string ServiceName; // newer format: "CMT", "QO", ... of a service block
};

class TRarHeaders
{
public:
    static constexpr size_t MarkerLength = 7;
    static constexpr size_t Rar5MarkerLength = 8;
    // The fixed part of an older file header; the smallest header of the newer format.
    static constexpr size_t Rar4FileHeaderLength = 32;
    static constexpr size_t Rar5MinimumLength = 7;
    static constexpr size_t Rar4MainHeaderLength = 13;

    // Which format starts at `pos`, from its marker; false when neither does.
    static bool Format(TArchiveSource& src, int64_t pos, TRarFormat& format);

    // The block at `pos`; false when none can be read there.
    static bool Read(TArchiveSource& src, TRarFormat format, int64_t pos, TRarBlock& out);

    static const char* MethodName(int method);
};

} // namespace quorvex
