#include "ZipDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"
#include "ByteOrder.h"
#include "ZipNames.h"

#include <algorithm>
#include <vector>

namespace quorvex {

namespace {

constexpr uint32_t EndOfCentralDirSignature = 0x06054B50;
constexpr uint32_t CentralHeaderSignature = 0x02014B50;
constexpr size_t EndRecordLength = 22;
constexpr int64_t TailWindow = 32768;

// Reads `length` bytes at `offset` as text up to the first NUL; a short read ends the
// listing.
void ReadField(TListingHost& host, int64_t offset, size_t length, std::string& out)
{
    out.resize(length);
    if (length == 0) return;
    if (!host.Source().ReadExact(offset, out.data(), length)) host.Fail(E_READ);
    const size_t nul = out.find('\0');
    if (nul != std::string::npos) out.resize(nul);
}

} // namespace

const char* TZipDirectory::MethodName(int method, unsigned flags)
{
    if (method == 8) {
        static const char* const deflate[] = {"DeflateN", "DeflateX", "DeflateF", "DeflateS"};
        return deflate[(flags >> 1) & 3];
    }
    static const char* const names[] = {"Stored",   "Shrunk",   "Reduce-1", "Reduce-2",
                                        "Reduce-3", "Reduce-4", "Imploded", "Tokened"};
    return MethodNameOf(names, std::size(names), method);
}

void TZipDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    TArchiveSource& src = host.Source();
    TArchiveState& state = host.State();
    const int64_t size = src.Size();
    const int64_t window = size > TailWindow - 1 ? TailWindow : size - 1;
    std::vector<uint8_t> tail(size_t(std::max<int64_t>(window, 0)));
    if (window < int64_t(EndRecordLength) ||
        !src.ReadExact(size - window, tail.data(), tail.size()))
        host.Fail(E_HEADERID);

    int64_t record = -1;
    for (size_t i = tail.size() - EndRecordLength + 1; i-- > 0;) {
        if (GetU32(tail.data() + i) == EndOfCentralDirSignature) {
            record = int64_t(i);
            break;
        }
    }
    if (record < 0) host.Fail(E_HEADERID);
    const uint8_t* end = tail.data() + record;
    const int64_t recordPos = size - window + record;

    if (const uint16_t commentLength = GetU16(end + 20)) {
        // A comment cut short by the end of the file keeps what is there.
        std::vector<uint8_t> comment(commentLength);
        const size_t got =
            src.ReadAt(recordPos + int64_t(EndRecordLength), comment.data(), commentLength);
        state.ArchiveComment = UpToNul(comment.data(), got);
    }

    int64_t directory = GetU32(end + 16);
    if (state.EmbeddedBase > 0 && state.StartOffset == state.EmbeddedBase + 1)
        directory += state.EmbeddedBase;
    uint8_t first[CentralHeaderLength];
    if (!src.ReadExact(directory, first, sizeof first) || GetU32(first) != CentralHeaderSignature)
        host.Fail(E_HEADERID);
    cursor.P = directory;
    cursor.E = size;
}

void TZipDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t> h)
{
    if (GetU32(h.data()) != CentralHeaderSignature) {
        cursor.End();
        return;
    }
    const uint16_t nameLength = GetU16(&h[28]);
    const uint16_t extraLength = GetU16(&h[30]);
    const uint16_t commentLength = GetU16(&h[32]);
    const unsigned flags = GetU16(&h[8]);
    const uint16_t method = GetU16(&h[10]);
    const int64_t namePos = headerPos + int64_t(CentralHeaderLength);

    TArchiveMember& m = host.Member();
    ReadField(host, namePos, nameLength, m.MemberName);
    m.MemberName = ZipNameText(m.MemberName, flags, GetU16(&h[4]));
    std::replace(m.MemberName.begin(), m.MemberName.end(), '/', '\\');
    ReadField(host, namePos + nameLength + extraLength, commentLength, m.MemberComment);
    m.VersionMadeBy = int16_t(GetU16(&h[4]));
    m.VersionNeeded = int16_t(GetU16(&h[6]));
    m.Method = int16_t(method);
    m.MethodName = MethodName(method, flags);
    m.MemberDate = DosDateTimeToDateTime(GetU32(&h[12]));
    m.CRC = GetU32(&h[16]);
    m.PackedSize = int32_t(GetU32(&h[20]));
    m.UnpackedSize = int32_t(GetU32(&h[24]));
    m.InternalAttr = int16_t(GetU16(&h[36]));
    m.ExternalAttr = GetU32(&h[38]);
    m.CompressOption = 0;
    if (flags > 1) {
        if ((flags & 6) == 6)
            m.CompressOption = 6;
        else if (flags & 4)
            m.CompressOption = 4;
        else if (flags & 2)
            m.CompressOption = 2;
    }
    host.ReportMember(headerPos);
    cursor.P = namePos + nameLength + extraLength + commentLength;
}

// Also when the end record is too short to be read as a header and so ends the loop.
void TZipDirectory::Finish(TListingHost& host)
{
    if (host.State().MemberCount == 0) host.Fail(E_BADFILEHEADER);
}

} // namespace quorvex
