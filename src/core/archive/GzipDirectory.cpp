#include "GzipDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "ByteOrder.h"

#include "platform/NativeNames.h"

#include <QFileInfo>

namespace quorvex {

namespace {

constexpr uint8_t FlagExtra = 0x04;
constexpr uint8_t FlagName = 0x08;
constexpr int64_t TrailerLength = 8;
constexpr size_t MaxStoredName = 255;

const char* GzipMethodName(int method)
{
    static const char* const names[] = {"Stored", "Compress", "Packed", "Lzh",    nullptr,
                                        nullptr,  nullptr,    nullptr,  "Deflate"};
    return MethodNameOf(names, std::size(names), method);
}

// BACKUP.TAR.GZ gives BACKUP.TAR; a name without "." is taken whole.
std::string NameFromArchive(const QString& archiveFile)
{
    QString name = QFileInfo(archiveFile).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    return NativeString(name);
}

} // namespace

void TGzipDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    cursor.P = 0;
    cursor.E = host.Source().Size();
}

void TGzipDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                                std::span<const uint8_t> h)
{
    TArchiveSource& src = host.Source();
    const TArchiveState& state = host.State();
    TArchiveMember& m = host.Member();
    const bool gzipStream = h[0] == 0x1F && (h[1] == 0x8B || h[1] == 0x9E);
    const bool olderCompressor = h[0] == 0x1F && (h[1] == 0x1E || h[1] == 0x9D || h[1] == 0xA0);
    if (!gzipStream && !olderCompressor) {
        cursor.End();
        return;
    }

    m.MemberName = NameFromArchive(state.ArchiveFile);
    if (gzipStream) {
        const int64_t trailerPos = src.Size() - TrailerLength;
        int64_t pos = headerPos + 10;
        int64_t extraLength = 0;
        if (h[3] & FlagExtra) {
            uint8_t xlen[2];
            if (!src.ReadExact(pos, xlen, 2)) host.Fail(E_READ);
            extraLength = GetU16(xlen);
            pos += 2 + extraLength;
        }
        if (pos > trailerPos) host.Fail(E_READ); // header and trailer overlap: cut short
        if (h[3] & FlagName) {
            uint8_t name[MaxStoredName];
            const size_t got =
                src.ReadAt(pos, name, size_t(std::min<int64_t>(MaxStoredName, trailerPos - pos)));
            m.MemberName = UpToNul(name, got);
        }
        uint8_t trailer[TrailerLength];
        if (!src.ReadExact(trailerPos, trailer, sizeof trailer)) host.Fail(E_READ);
        m.MemberDate = UnixTimeToDateTime(int32_t(GetU32(&h[4])));
        m.CRC = GetU32(trailer);
        m.UnpackedSize = int32_t(GetU32(trailer + 4));
        m.PackedSize = int32_t(state.ArchiveSize - extraLength - TrailerLength);
        m.Method = int16_t(h[2] == 0 || h[2] == 8 ? h[2] : 10);
    } else {
        m.CRC = 0;
        m.PackedSize = m.UnpackedSize = state.ArchiveSize;
        m.MemberDate = DosDateTimeToDateTime(uint32_t(state.ArchiveDate));
        m.Method = h[1] == 0x1E ? 2 : h[1] == 0x9D ? 1 : 3;
    }
    m.MemberName = BackslashPath(std::move(m.MemberName));
    m.MethodName = GzipMethodName(m.Method);
    m.ExternalAttr = state.ArchiveAttr;
    m.InternalAttr = m.VersionMadeBy = m.VersionNeeded = 0;
    m.CompressOption = 0;
    m.MemberComment.clear();
    host.ReportMember(headerPos);
    cursor.End();
}

} // namespace quorvex
