#include "extract/UnGZIP.h"

#include "archive/ArchiveErrors.h"
#include "archive/ByteOrder.h"
#include "decompress/MethodCodes.h"
#include "extract/MemberListing.h"

#include <QFileInfo>

namespace quorvex
{

namespace
{

constexpr uint8_t FlagHeaderCrc = 0x02;
constexpr uint8_t FlagExtra = 0x04;
constexpr uint8_t FlagName = 0x08;
constexpr uint8_t FlagComment = 0x10;
constexpr uint8_t FlagEncrypted = 0x20;
constexpr int64_t HeaderLength = 10;
constexpr int64_t TrailerLength = 8;
constexpr int64_t OlderDataStart = 3;

// Position after the NUL ending the text field at pos; -1 when the file ends first.
int64_t SkipText(QFile& archive, int64_t pos)
{
    if (!archive.seek(pos)) return -1;
    char c;
    while (archive.getChar(&c)) {
        ++pos;
        if (c == 0) return pos;
    }
    return -1;
}

} // namespace

TUnGZIP::TUnGZIP()
{
    m_decoderErrorsShown = true;
}

void TUnGZIP::ExtractMembers(QFile& archive)
{
    const TMemberListing listing = ListArchiveMembers(ArchiveFile());
    if (listing.Members.empty()) Fail(listing.Error ? listing.Error : E_BADFILEHEADER);
    const TArchiveMember& listed = listing.Members.front().Member;

    uint8_t h[HeaderLength];
    if (!ReadAt(archive, 0, h, sizeof h)) Fail(E_READ);
    const bool gzipStream = h[1] == 0x8B || h[1] == 0x9E;
    TMemberData m;
    m.StoredName = listed.MemberName;
    m.MemberDate = listed.MemberDate;
    if (gzipStream) {
        if (h[3] & FlagHeaderCrc) Fail(E_MULTIPARTGZIP);
        if (h[3] & FlagEncrypted) Fail(E_PASSWORDPROTECTED);
        int64_t pos = HeaderLength;
        if (h[3] & FlagExtra) {
            uint8_t xlen[2];
            if (!ReadAt(archive, pos, xlen, 2)) Fail(E_READ);
            pos += 2 + GetU16(xlen);
        }
        if (h[3] & FlagName) pos = SkipText(archive, pos);
        // A comment in front of the data would otherwise be taken for packed data.
        if (pos >= 0 && (h[3] & FlagComment)) pos = SkipText(archive, pos);
        if (pos < 0 || pos > archive.size() - TrailerLength) Fail(E_READ);
        uint8_t trailer[TrailerLength];
        if (!ReadAt(archive, archive.size() - TrailerLength, trailer, sizeof trailer)) Fail(E_READ);
        m.DataPos = pos;
        m.PackedSize = archive.size() - TrailerLength - pos;
        m.UnpackedSize = GetU32(trailer + 4);
        m.Method = ZipDecodeMethod(h[2] == 0 || h[2] == 8 ? h[2] : -1);
        m.Check = TCheckKind::Crc32;
        m.StoredCheck = GetU32(trailer);
    } else {
        m.DataPos = OlderDataStart;
        m.PackedSize = m.UnpackedSize = archive.size() - OlderDataStart;
        m.Method = std::nullopt;
    }
    // One member: the file specification is not consulted.
    const QString spec = m_fileSpec;
    m_fileSpec = QStringLiteral("*");
    try {
        ExtractMember(m, archive);
    } catch (...) {
        m_fileSpec = spec;
        throw;
    }
    m_fileSpec = spec;
    if (m_unpacked == 0) Fail(E_NOTHINGTODO);
}

} // namespace quorvex
