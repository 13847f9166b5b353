#include "catalog/CatalogFormat.h"

#include "catalog/CatalogErrors.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/WriteTarget.h"

namespace quorvex {

inline const char* MsgTruncated = "Unexpected end of the catalog file: the file is truncated.";

void TCatalogInput::Read(void* dest, size_t count)
{
    if (m_stream.Read(dest, static_cast<int32_t>(count)) != static_cast<int32_t>(count))
        throw EInvalidCatalog(MsgTruncated);
}

uint8_t TCatalogInput::U8()
{
    uint8_t b;
    Read(&b, 1);
    return b;
}

int32_t TCatalogInput::I32()
{
    unsigned char b[4];
    Read(b, 4);
    return GetI32(b);
}

std::string TCatalogInput::String()
{
    unsigned char len[2];
    Read(len, 2);
    const uint16_t n = GetU16(len);
    if (n > MaxStoredString) {
        m_stream.Seek(m_stream.Position() + n);
        throw EInvalidCatalog(MsgStringTooLong);
    }
    std::string s(n, '\0');
    if (n) Read(s.data(), n);
    return s;
}

void TCatalogInput::SkipString()
{
    unsigned char len[2];
    Read(len, 2);
    const uint16_t n = GetU16(len);
    if (n > MaxStoredString) {
        m_stream.Seek(m_stream.Position() + n);
        throw EInvalidCatalog(MsgStringTooLong);
    }
    if (m_stream.Position() + n > m_stream.Size()) throw EInvalidCatalog(MsgTruncated);
    m_stream.Seek(m_stream.Position() + n);
}

std::string TCatalogInput::ShortString()
{
    const uint8_t n = U8();
    std::string s(n, '\0');
    if (n) Read(s.data(), n);
    return s;
}

void WriteU8(TWriteTarget& out, uint8_t v) { out.Write(&v, 1); }

void WriteI32(TWriteTarget& out, int32_t v)
{
    unsigned char b[4];
    PutI32(b, v);
    out.Write(b, 4);
}

void WriteString(TWriteTarget& out, std::string_view text)
{
    if (text.size() > MaxStoredString) text = text.substr(0, MaxStoredString);
    unsigned char len[2];
    PutU16(len, static_cast<uint16_t>(text.size()));
    out.Write(len, 2);
    if (!text.empty()) out.Write(text.data(), text.size());
}

void WriteShortString(TWriteTarget& out, std::string_view s)
{
    if (s.size() > MaxShortString) s = s.substr(0, MaxShortString);
    WriteU8(out, static_cast<uint8_t>(s.size()));
    if (!s.empty()) out.Write(s.data(), s.size());
}

void DecodeDiskRun(const unsigned char* p, TDiskRec& d)
{
    d.MediaType = p[0];
    d.ScanFlags = p[1];
    d.Reserved[0] = d.Reserved[1] = 0;
    d.BytesPerSector = GetI32(p + 4);
    d.SectorsPerCluster = GetI32(p + 8);
    d.MaxNameLength = GetI32(p + 12);
    d.TotalFiles = GetI32(p + 16);
    d.TotalArchiveMembers = GetI32(p + 20);
    d.TotalFolders = GetU16(p + 24);
    d.TotalClusters = GetI32(p + 26);
    d.FreeClusters = GetI32(p + 30);
    d.Catalogued = GetF64(p + 34);
    d.SerialNumber = GetU32(p + 42);
    d.Reserved91 = p[46];
}

void EncodeDiskRun(unsigned char* p, const TDiskRec& d)
{
    p[0] = d.MediaType;
    p[1] = d.ScanFlags;
    p[2] = p[3] = 0;
    PutI32(p + 4, d.BytesPerSector);
    PutI32(p + 8, d.SectorsPerCluster);
    PutI32(p + 12, d.MaxNameLength);
    PutI32(p + 16, d.TotalFiles);
    PutI32(p + 20, d.TotalArchiveMembers);
    PutU16(p + 24, d.TotalFolders);
    PutI32(p + 26, d.TotalClusters);
    PutI32(p + 30, d.FreeClusters);
    PutF64(p + 34, d.Catalogued);
    PutU32(p + 42, d.SerialNumber);
    p[46] = d.Reserved91;
}

void DecodeFolderRun(const unsigned char* p, TFolderRec& f)
{
    f.FilesOffset = GetI32(p);
    f.FilesLength = GetI32(p + 4);
    f.FileCount = GetI32(p + 8);
    f.FileDescBytes = GetI32(p + 12);
    f.TotalSize = GetI64(p + 16);
    f.Attr = p[24];
    f.Created = GetI32(p + 25);
    f.Modified = GetI32(p + 29);
    f.Accessed = GetI32(p + 33);
    f.Reserved57 = p[37];
    f.CategoryByte = p[38];
}

void EncodeFolderRun(unsigned char* p, const TFolderRec& f)
{
    PutI32(p, f.FilesOffset);
    PutI32(p + 4, f.FilesLength);
    PutI32(p + 8, f.FileCount);
    PutI32(p + 12, f.FileDescBytes);
    PutI64(p + 16, f.TotalSize);
    p[24] = f.Attr;
    PutI32(p + 25, f.Created);
    PutI32(p + 29, f.Modified);
    PutI32(p + 33, f.Accessed);
    p[37] = f.Reserved57;
    p[38] = f.CategoryByte;
}

void DecodeFileRun(const unsigned char* p, TFileRec& f)
{
    f.Attr = p[0];
    f.Created = GetI32(p + 1);
    f.Modified = GetI32(p + 5);
    f.Accessed = GetI32(p + 9);
    f.Size = GetI32(p + 13);
    f.CategoryByte = p[17];
}

void EncodeFileRun(unsigned char* p, const TFileRec& f)
{
    p[0] = f.Attr;
    PutI32(p + 1, f.Created);
    PutI32(p + 5, f.Modified);
    PutI32(p + 9, f.Accessed);
    PutI32(p + 13, f.Size);
    p[17] = f.CategoryByte;
}

void EncodeDiskCounts(unsigned char* p, const TDiskRec& d)
{
    PutI32(p, d.RecordLength);
    PutI32(p + 4, d.FolderIndexOffset);
    PutI32(p + 8, d.FilesOffset);
    PutI32(p + 12, d.FilesLength);
    PutI32(p + 16, d.FileCount);
    PutI32(p + 20, d.FileDescBytes);
}

} // namespace quorvex
