#pragma once
// What the listing hands to its caller: the current member (valid during OnRead only) and
// the state of the archive being read.

#include "ArcType.h"
#include "ArchiveDates.h"

#include <QString>

#include <cstdint>
#include <string>

namespace quorvex {

struct TArchiveMember {
    std::string MemberName; // as stored, folders separated by "\"
    int32_t PackedSize = 0;
    int32_t UnpackedSize = 0;
    uint8_t Ratio = 0;
    uint32_t CRC = 0; // CRC-32, or CRC-16 in the low half, or 0
    double MemberDate = NullArchiveDate;
    int16_t Method = 0;
    std::string MethodName;
    int16_t VersionMadeBy = 0;
    int16_t VersionNeeded = 0;
    int16_t InternalAttr = 0;
    uint32_t ExternalAttr = 0; // low byte: DOS attributes
    uint8_t CompressOption = 0;
    std::string MemberComment; // empty = none
};

struct TArchiveState {
    QString ArchiveFile; // empty when the file does not exist
    TArcType ArcType = atNA;
    int32_t ArchiveSize = 0;
    int32_t ArchiveDate = NullArchiveDosDate;
    uint32_t ArchiveAttr = 0;   // DOS attributes of the archive file itself
    int32_t StartOffset = 1;    // 1 + offset of the archive data in the file
    int32_t EmbeddedBase = 0;   // ZIP inside an executable found through its string resources
    std::string ArchiveComment; // empty = none
    QString VolumeFileName;
    int32_t MemberCount = 0;
    int32_t TotalPacked = 0;
    int32_t TotalUnpacked = 0;
};

// Percentage saved, 0..100 (a tiny saving shows as 1; above 100000 bytes saved both sizes
// are divided by 100 first). Sizes are taken as unsigned 32-bit.
uint8_t CompressionRatio(uint32_t packed, uint32_t unpacked);

} // namespace quorvex
