#pragma once
// Primitive encodings of the catalog file: packed little-endian fields, strings with a
// 16-bit length (at most 4096 bytes) and short strings with an 8-bit length.

#include "catalog/ItemRecords.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvex {

class TReadAheadStream;
class TWriteTarget;

inline constexpr char CatalogSignature[] = "Catalog 1.01"; // written with its zero byte
constexpr size_t SignatureSize = 13;
constexpr size_t DiskCountsSize = 24;   // RecordLength .. FileDescBytes
constexpr size_t DiskRunSize = 47;      // MediaType .. Reserved91
constexpr size_t FolderRunSize = 39;    // FilesOffset .. CategoryByte
constexpr size_t FileRunSize = 18;      // Attr .. CategoryByte
constexpr size_t MinFileEntrySize = 21; // name length, run, description length

inline uint16_t GetU16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t GetU32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t GetI32(const unsigned char* p) { return static_cast<int32_t>(GetU32(p)); }
inline int64_t GetI64(const unsigned char* p)
{
    return static_cast<int64_t>(uint64_t(GetU32(p)) | uint64_t(GetU32(p + 4)) << 32);
}
inline double GetF64(const unsigned char* p)
{
    const uint64_t bits = static_cast<uint64_t>(GetI64(p));
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}
inline void PutU16(unsigned char* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void PutU32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void PutI32(unsigned char* p, int32_t v) { PutU32(p, static_cast<uint32_t>(v)); }
inline void PutI64(unsigned char* p, int64_t v)
{
    PutU32(p, uint32_t(uint64_t(v)));
    PutU32(p + 4, uint32_t(uint64_t(v) >> 32));
}
inline void PutF64(unsigned char* p, double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof d);
    PutI64(p, static_cast<int64_t>(bits));
}

// Checked reads from the catalog's stream: a short read is a damaged catalog.
class TCatalogInput {
public:
    explicit TCatalogInput(TReadAheadStream& stream) : m_stream(stream) {}
    TReadAheadStream& Stream() { return m_stream; }
    void Read(void* dest, size_t count);
    uint8_t U8();
    int32_t I32();
    std::string String();      // L > 4096 skips the text and fails "String data too long!"
    std::string ShortString(); // up to 255 characters
    void SkipString();

private:
    TReadAheadStream& m_stream;
};

// Field encoders over a write target.
void WriteU8(TWriteTarget& out, uint8_t v);
void WriteI32(TWriteTarget& out, int32_t v);
void WriteString(TWriteTarget& out, std::string_view text); // capped at 4096 bytes
void WriteShortString(TWriteTarget& out, std::string_view s); // capped at 255

// The fixed runs of the records, field by field.
void DecodeDiskRun(const unsigned char* p, TDiskRec& d);
void EncodeDiskRun(unsigned char* p, const TDiskRec& d);
void DecodeFolderRun(const unsigned char* p, TFolderRec& f);
void EncodeFolderRun(unsigned char* p, const TFolderRec& f);
void DecodeFileRun(const unsigned char* p, TFileRec& f);
void EncodeFileRun(unsigned char* p, const TFileRec& f);
void EncodeDiskCounts(unsigned char* p, const TDiskRec& d);

} // namespace quorvex
