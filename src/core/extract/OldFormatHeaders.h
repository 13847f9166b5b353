#pragma once
// The member headers of ARJ, LHA, ZOO and ARC as the extractors walk them: just what
// unpacking needs. Every size and offset is checked against the file before it is used.

#include <QFile>

#include <cstdint>
#include <string>

namespace quorvex {

struct TOldMember {
    std::string Name;         // as stored
    int64_t DataPos = 0;
    int64_t NextPos = 0;      // the next header
    uint32_t PackedSize = 0;
    uint32_t UnpackedSize = 0;
    uint32_t Crc = 0;
    double MemberDate = 0;
    std::string LhaMethod;    // LHA: "-lh5-"
    int Method = 0;           // ARJ, ZOO, ARC
    uint8_t Flags = 0;        // ARJ flags
    uint8_t VersionMadeBy = 0;
    uint8_t VersionNeeded = 0;
    uint8_t FileType = 0;     // ARJ: 0 binary, 1 text, 3 folder
    bool Skip = false;        // not a member to unpack (folders, deleted entries, records)
};

// ARJ: the main header at pos; NextPos is the first member's header. False when absent.
bool ReadArjMainHeader(QFile& file, int64_t pos, TOldMember& out);
// ARJ, LHA, ZOO and ARC member headers at pos; false at the end or at anything that is not
// a complete header.
bool ReadArjHeader(QFile& file, int64_t pos, TOldMember& out);
bool ReadLhaHeader(QFile& file, int64_t pos, TOldMember& out);
// ZOO: the archive header gives the first entry.
bool ReadZooFirstEntry(QFile& file, int64_t start, int64_t& entryPos);
bool ReadZooEntry(QFile& file, int64_t pos, TOldMember& out);
bool ReadArcHeader(QFile& file, int64_t pos, TOldMember& out);

} // namespace quorvex
