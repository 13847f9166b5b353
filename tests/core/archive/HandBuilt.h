#pragma once
// Small archives of the formats no archiver on this system writes, put together byte by
// byte from the formats' published descriptions (stored members only).

#include "ListingHelpers.h"

#include "decompress/Crc.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace quorvex::test {

struct TBuiltMember {
    QByteArray Name;
    QByteArray Data;
    uint16_t DosDate = 0x5865; // 2024-03-05
    uint16_t DosTime = 0x645C; // 12:34:56
    QByteArray Comment;
    QByteArray Folder;   // ZOO: folder of the variable part
    QByteArray LongName; // ZOO: long name of the variable part
};

inline TBuiltMember Built(QByteArray name, QByteArray data, QByteArray comment = {})
{
    TBuiltMember m;
    m.Name = std::move(name);
    m.Data = std::move(data);
    m.Comment = std::move(comment);
    return m;
}

inline uint16_t Crc16Of(const QByteArray& b)
{
    return Crc16Update(0, reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size()));
}
inline uint32_t Crc32Of(const QByteArray& b)
{
    return Crc32(reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size()));
}
inline QByteArray U16(uint16_t v)
{
    QByteArray b(2, '\0');
    PutU16(b, 0, v);
    return b;
}
inline QByteArray U32(uint32_t v)
{
    QByteArray b(4, '\0');
    PutU32(b, 0, v);
    return b;
}
// `text` in a field of `size` bytes, NUL-padded.
inline QByteArray Field(const QByteArray& text, int size)
{
    return text.left(size) + QByteArray(size - std::min<int>(size, int(text.size())), '\0');
}

// A ZOO archive: archive header, one type-2 directory entry per member (each followed by
// its comment and data), and the empty entry that ends the chain.
inline QByteArray ZooArchive(const std::vector<TBuiltMember>& members,
                             const QByteArray& comment = {})
{
    constexpr uint32_t tag = 0xFDC4A7DC;
    QByteArray out = Field("ZOO 2.10 Archive.\x1a", 20) + U32(tag) + U32(0) + U32(0) +
                     QByteArray("\x02\x00\x01", 3) + U32(0) + U16(uint16_t(comment.size())) +
                     U16(0);
    PutU32(out, 35, uint32_t(out.size()));
    out += comment;
    PutU32(out, 24, uint32_t(out.size()));
    PutU32(out, 28, uint32_t(-out.size()));
    auto entry = [&](const TBuiltMember* m) {
        QByteArray variable;
        if (m) {
            variable = QByteArray(1, char(m->LongName.size())) +
                       QByteArray(1, char(m->Folder.size())) + m->LongName + m->Folder;
        }
        QByteArray e = U32(tag) + QByteArray(1, '\2') + QByteArray(1, '\0') + U32(0) + U32(0) +
                       U16(m ? m->DosDate : 0) + U16(m ? m->DosTime : 0) +
                       U16(m ? Crc16Of(m->Data) : 0) + U32(m ? uint32_t(m->Data.size()) : 0) +
                       U32(m ? uint32_t(m->Data.size()) : 0) + QByteArray("\x02\x01\x00\x00", 4) +
                       U32(0) + U16(m ? uint16_t(m->Comment.size()) : 0) +
                       Field(m ? m->Name : QByteArray(), 13) +
                       U16(uint16_t(variable.size())) + QByteArray(1, '\x7f') + U16(0);
        const qsizetype start = out.size();
        out += e + variable;
        if (!m) return;
        PutU32(out, start + 32, uint32_t(out.size()));
        out += m->Comment;
        PutU32(out, start + 10, uint32_t(out.size()));
        out += m->Data;
        PutU32(out, start + 6, uint32_t(out.size()));
    };
    for (const TBuiltMember& m : members)
        entry(&m);
    entry(nullptr);
    return out;
}

struct TBuiltArcMember {
    TBuiltMember Member;
    uint8_t Method = 2;
};

// An ARC-layout archive (ARC or PAK): a 29-byte header per member, the data, 1A 00. The
// data are taken as the packed bytes whatever the method says; the unpacked size is
// `unpackedFactor` times theirs.
inline QByteArray ArcArchive(const std::vector<TBuiltArcMember>& members, int unpackedFactor = 1)
{
    QByteArray out;
    for (const TBuiltArcMember& a : members) {
        const TBuiltMember& m = a.Member;
        out += QByteArray(1, '\x1a') + QByteArray(1, char(a.Method)) + Field(m.Name, 13) +
               U32(uint32_t(m.Data.size())) + U16(m.DosDate) + U16(m.DosTime) +
               U16(Crc16Of(m.Data));
        if (a.Method != 1) out += U32(uint32_t(m.Data.size() * unpackedFactor));
        out += m.Data;
    }
    return out + QByteArray("\x1a\x00", 2);
}

// An archive of the older RAR format: marker, archive header (longer than 13 bytes when it
// carries a comment), one file block per member (with its comment as a sub-block when it
// has one), optionally a service block before the first member, and the end block. Header
// CRCs are left 0: the listing does not check them.
inline QByteArray Rar4Archive(const std::vector<TBuiltMember>& members, bool archiveComment,
                              bool serviceBlock = false)
{
    auto block = [](uint8_t type, uint16_t flags, const QByteArray& body) {
        QByteArray b = U16(0) + QByteArray(1, char(type)) + U16(flags) +
                       U16(uint16_t(7 + body.size())) + body;
        return b;
    };
    QByteArray out("Rar!\x1a\x07\x00", 7);
    const QByteArray mainComment = archiveComment ? QByteArray(20, 'c') : QByteArray();
    out += block(0x73, archiveComment ? 0x02 : 0, QByteArray(6, '\0') + mainComment);
    auto file = [&](uint8_t type, const TBuiltMember& m, uint8_t method, uint32_t attributes) {
        QByteArray body = U32(uint32_t(m.Data.size())) + U32(uint32_t(m.Data.size())) +
                          QByteArray(1, '\2') + U32(Crc32Of(m.Data)) +
                          U32(uint32_t(m.DosDate) << 16 | m.DosTime) + QByteArray(1, char(29)) +
                          QByteArray(1, char('0' + method)) + U16(uint16_t(m.Name.size())) +
                          U32(attributes) + m.Name;
        uint16_t flags = 0x8000;
        if (!m.Comment.isEmpty()) {
            flags |= 0x08;
            body += U16(0) + QByteArray(1, '\x75') + U16(0) +
                    U16(uint16_t(13 + m.Comment.size())) + U16(uint16_t(m.Comment.size())) +
                    QByteArray(1, char(15)) + QByteArray(1, '0') + U16(0) + m.Comment;
        }
        return block(type, flags, body) + m.Data;
    };
    if (serviceBlock) out += file(0x7A, Built("CMT", "packed comment"), 0, 0);
    int method = 0;
    for (const TBuiltMember& m : members)
        out += file(0x74, m, uint8_t(method++ % 6), 0x20);
    return out + block(0x7B, 0x4000, {});
}

struct TBuiltCabFile {
    TBuiltMember Member;
    uint16_t Folder = 0; // 0, or 0xFFFD / 0xFFFE / 0xFFFF for a file across cabinets
    uint16_t Attributes = 0x20;
};

// One cabinet of a set: header (with the previous and next cabinet's names when given),
// one folder holding every file's data in one stored data block, the file entries.
// With `reserve`, the header has 3 reserved bytes and each folder entry 1.
inline QByteArray Cabinet(const std::vector<TBuiltCabFile>& files, uint16_t compression = 0,
                          const QByteArray& previous = {}, const QByteArray& next = {},
                          uint16_t index = 0, bool reserve = false)
{
    const uint16_t flags = uint16_t((previous.isEmpty() ? 0 : 1) | (next.isEmpty() ? 0 : 2) |
                                    (reserve ? 4 : 0));
    const QByteArray headerReserve =
        reserve ? U16(3) + QByteArray("\x01\x00", 2) + QByteArray(3, 'r') : QByteArray();
    const QByteArray folderReserve = reserve ? QByteArray(1, 'f') : QByteArray();
    QByteArray names;
    if (!previous.isEmpty()) names += previous + '\0' + "DISK " + QByteArray::number(index) + '\0';
    if (!next.isEmpty()) names += next + '\0' + "DISK " + QByteArray::number(index + 2) + '\0';
    QByteArray entries, data;
    for (const TBuiltCabFile& f : files) {
        entries += U32(uint32_t(f.Member.Data.size())) + U32(uint32_t(data.size())) +
                   U16(f.Folder) + U16(f.Member.DosDate) + U16(f.Member.DosTime) +
                   U16(f.Attributes) + f.Member.Name + '\0';
        data += f.Member.Data;
    }
    const uint32_t firstFile =
        uint32_t(36 + headerReserve.size() + names.size() + 8 + folderReserve.size());
    const uint32_t dataOffset = firstFile + uint32_t(entries.size());
    QByteArray out = QByteArray("MSCF") + U32(0) + U32(0) + U32(0) + U32(firstFile) + U32(0) +
                     QByteArray("\x03\x01", 2) + U16(1) + U16(uint16_t(files.size())) +
                     U16(flags) + U16(0x1234) + U16(index) + headerReserve + names +
                     U32(dataOffset) + U16(1) + U16(compression) + folderReserve + entries + U32(0) + U16(uint16_t(data.size())) +
                     U16(uint16_t(data.size())) + data;
    PutU32(out, 8, uint32_t(out.size()));
    return out;
}

// An HA archive: "HA", the member count, then per member the 17-byte header, folder and
// name, a machine-information block of `machineLength` bytes after its length byte, data.
// `unixTime` is the members' time; the folder comes from TBuiltMember::Folder.
inline QByteArray HaArchive(const std::vector<TBuiltMember>& members, uint32_t unixTime,
                            uint8_t machineLength = 2)
{
    QByteArray out = QByteArray("HA") + U16(uint16_t(members.size()));
    uint8_t method = 0;
    for (const TBuiltMember& m : members) {
        out += QByteArray(1, char(0x20 | method)) + U32(uint32_t(m.Data.size())) +
               U32(uint32_t(m.Data.size())) + U32(Crc32Of(m.Data)) + U32(unixTime) + m.Folder +
               '\0' + m.Name + '\0' + QByteArray(1, char(machineLength)) +
               QByteArray(machineLength, '\x01') + m.Data;
        method = uint8_t((method + 1) % 3);
    }
    return out;
}

// A BH archive: per member the signature, a 37-byte header, the name, the data.
inline QByteArray BhArchive(const std::vector<TBuiltMember>& members)
{
    QByteArray out;
    uint8_t method = 0;
    for (const TBuiltMember& m : members) {
        QByteArray h = QByteArray("BH\x05\x07", 4) + U16(uint16_t(37 + m.Name.size())) +
                       QByteArray(1, '\0') + QByteArray(1, char(0x14)) + QByteArray(1, char(0x0A)) +
                       QByteArray(1, '\0') + QByteArray(1, char(method)) +
                       U32(uint32_t(m.DosDate) << 16 | m.DosTime) + U32(uint32_t(m.Data.size())) +
                       U32(uint32_t(m.Data.size())) + U32(Crc32Of(m.Data)) + U16(0x21) +
                       QByteArray(4, '\0') + U16(uint16_t(m.Name.size())) + QByteArray(2, '\0');
        out += h + m.Name + m.Data;
        method = uint8_t((method + 1) % 4);
    }
    return out;
}

} // namespace quorvex::test
