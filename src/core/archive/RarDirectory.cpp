#include "RarDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "ByteOrder.h"

namespace quorvex {

namespace {

constexpr uint8_t HostUnix = 1;
constexpr uint64_t MaxComment = 65536;

// DOS attributes in the low byte, the UNIX mode in the high half (as ZIP keeps them).
uint32_t AttributesOf(const TRarBlock& b)
{
    if (b.HostOs != HostUnix) return b.Attributes;
    const uint32_t mode = b.Attributes & 0xFFFF;
    uint32_t dos = b.Folder ? 0x10 : 0x20;
    if (!(mode & 0200)) dos |= 0x01;
    return mode << 16 | dos;
}

} // namespace

size_t TRarDirectory::HeaderLength() const
{
    return m_format == TRarFormat::Rar5 ? TRarHeaders::Rar5MinimumLength
                                        : TRarHeaders::Rar4FileHeaderLength;
}

void TRarDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    const int64_t start = host.State().StartOffset - 1;
    cursor.E = host.Source().Size();
    if (!TRarHeaders::Format(host.Source(), start, m_format)) m_format = TRarFormat::Rar4;
    if (m_format == TRarFormat::Rar5)
        SetupRar5(host, cursor, start);
    else
        SetupRar4(host, cursor, start);
}

void TRarDirectory::SetupRar4(TListingHost& host, TListingCursor& cursor, int64_t start)
{
    const int64_t pos = start + int64_t(TRarHeaders::MarkerLength);
    if (pos >= host.Source().Size()) host.Fail(E_OPEN);
    uint8_t h[TRarHeaders::Rar4MainHeaderLength];
    if (!host.Source().ReadExact(pos, h, sizeof h)) host.Fail(E_READ);
    const uint16_t size = GetU16(h + 5);
    if (size > sizeof h) {
        host.State().ArchiveComment = PackedCommentText;
        cursor.P = pos + size;
    } else {
        cursor.P = pos + int64_t(sizeof h);
    }
}

void TRarDirectory::SetupRar5(TListingHost& host, TListingCursor& cursor, int64_t start)
{
    TRarBlock main;
    const int64_t pos = start + int64_t(TRarHeaders::Rar5MarkerLength);
    if (!TRarHeaders::Read(host.Source(), m_format, pos, main)) host.Fail(E_READ);
    cursor.P = main.NextPos;
}

void TRarDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TRarBlock b;
    if (!TRarHeaders::Read(host.Source(), m_format, headerPos, b) || b.Kind == TRarBlock::End) {
        cursor.End();
        return;
    }
    // The newer format keeps the archive comment in a stored service block named CMT.
    if (b.Kind == TRarBlock::Other && b.ServiceName == "CMT" && b.Method == 0 &&
        b.PackedSize <= MaxComment && host.State().ArchiveComment.empty()) {
        std::string text(size_t(b.PackedSize), '\0');
        text.resize(host.Source().ReadAt(b.DataPos, text.data(), text.size()));
        host.State().ArchiveComment = text;
    }
    if (b.Kind == TRarBlock::File && !(m_format == TRarFormat::Rar5 && b.Folder))
        ReportFile(host, b);
    cursor.P = b.NextPos;
}

void TRarDirectory::ReportFile(TListingHost& host, const TRarBlock& b)
{
    TArchiveMember& m = host.Member();
    m.MemberName = BackslashPath(b.Name);
    m.MemberComment = b.Comment;
    m.PackedSize = int32_t(uint32_t(b.PackedSize));
    m.UnpackedSize = int32_t(uint32_t(b.UnpackedSize));
    m.CRC = b.Crc;
    if (m_format == TRarFormat::Rar5) {
        m.MemberDate = b.UnixTime ? UnixTimeToDateTime(int32_t(b.Time)) : NullArchiveDate;
        m.VersionMadeBy = b.Version == 1 ? 70 : 50;
        m.ExternalAttr = AttributesOf(b);
    } else {
        m.MemberDate = DosDateTimeToDateTime(b.Time);
        m.VersionMadeBy = b.Version;
        m.ExternalAttr = b.Attributes;
    }
    m.Method = int16_t('0' + b.Method);
    m.MethodName = TRarHeaders::MethodName(b.Method);
    m.InternalAttr = 32;
    host.ReportMember(b.HeaderPos);
}

} // namespace quorvex
