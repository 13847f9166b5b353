#include "extract/UnOldFormats.h"

#include "archive/ArcHeaders.h"
#include "archive/ArchiveDates.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveSource.h"
#include "archive/ArjHeaders.h"
#include "archive/LhaHeaders.h"
#include "archive/ZooHeaders.h"
#include "decompress/MethodCodes.h"

#include <QDir>

namespace quorvex
{

namespace
{

constexpr uint8_t ArjFirstUnsupportedVersion = 4;
constexpr uint8_t ArjFolder = 3;
constexpr int FirstArcRecordMethod = 20; // archive notes, folders and the like: not members

bool HasWildcard(const QString& spec)
{
    return spec.contains(u'*') || spec.contains(u'?');
}

uint32_t DosStamp(uint16_t date, uint16_t time)
{
    return uint32_t(date) << 16 | time;
}

} // namespace

// The header walkers read through a window of their own on the same file.
class TOldFormatWalk
{
public:
    TOldFormatWalk(TUnBase& unpacker, QFile& archive) : m_unpacker(unpacker), m_archive(archive)
    {
        if (!m_source.Open(QDir::fromNativeSeparators(unpacker.ArchiveFile())))
            throw E_RAISE(E_OPEN);
    }
    TArchiveSource& Source() { return m_source; }
    int64_t Start() const { return std::max<int64_t>(m_unpacker.State().StartOffset - 1, 0); }
    // The data must lie inside the file, and every next header after the one before.
    bool Sane(int64_t headerPos, int64_t dataPos, int64_t packed, int64_t nextPos) const
    {
        return dataPos >= 0 && dataPos <= m_archive.size() &&
               packed <= m_archive.size() - dataPos && nextPos > headerPos;
    }

private:
    TUnBase& m_unpacker;
    QFile& m_archive;
    TArchiveSource m_source;
};

namespace
{

TMemberData DataOf(std::string name, int64_t dataPos, uint32_t packed, uint32_t unpacked,
                   uint32_t crc, TCheckKind check, double date)
{
    TMemberData m;
    m.StoredName = std::move(name);
    m.DataPos = dataPos;
    m.PackedSize = packed;
    m.UnpackedSize = unpacked;
    m.Check = check;
    m.StoredCheck = crc;
    m.MemberDate = date;
    return m;
}

} // namespace

void TUnARJ::ExtractMembers(QFile& archive)
{
    TOldFormatWalk walk(*this, archive);
    TArjHeader h;
    if (!TArjHeaders::Read(walk.Source(), walk.Start(), h)) Fail(E_HEADERID);
    const bool oneMember = !HasWildcard(FileSpec());
    int64_t pos = h.NextPos;
    while (TArjHeaders::Read(walk.Source(), pos, h)) {
        if (!walk.Sane(h.HeaderPos, h.DataPos, h.PackedSize, h.NextPos)) Fail(E_READ);
        pos = h.NextPos;
        if (h.FileType == ArjFolder) continue;
        // Following volumes is switched off, as in the listing.
        if (h.ContinuesInNextVolume()) Fail(E_MAXVOLUMES);
        const double date = h.HostOs == TArjHeader::HostUnix
                                ? UnixTimeToDateTime(int32_t(h.DosDateTime))
                                : DosDateTimeToDateTime(h.DosDateTime);
        TMemberData m =
            DataOf(h.Name, h.DataPos, h.PackedSize, h.UnpackedSize, h.Crc, TCheckKind::Crc32, date);
        m.Method = ArjDecodeMethod(h.Method);
        if (h.Method == 4 && h.VersionMadeBy == 1) m.Method.reset();
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (h.VersionNeeded >= ArjFirstUnsupportedVersion) Fail(E_VERSION);
        if (h.Flags & TArjHeader::FlagGarbled) Fail(E_PASSWORDPROTECTED);
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        if (h.FileType > 1) Fail(E_UNKNOWNFILETYPE);
        if (ExtractMember(m, archive) && oneMember) return;
    }
}

void TUnLHA::ExtractMembers(QFile& archive)
{
    TOldFormatWalk walk(*this, archive);
    TLhaHeader h;
    int64_t pos = walk.Start();
    while (TLhaHeaders::Read(walk.Source(), pos, h)) {
        if (!walk.Sane(h.HeaderPos, h.DataPos, h.DataSize, h.NextPos)) Fail(E_READ);
        pos = h.NextPos;
        if (h.IsFolder()) continue;
        const double date =
            h.UnixStamp() ? UnixTimeToDateTime(int32_t(h.Stamp)) : DosDateTimeToDateTime(h.Stamp);
        TMemberData m =
            DataOf(h.Name, h.DataPos, h.DataSize, h.UnpackedSize, h.Crc, TCheckKind::Crc16, date);
        m.Method = LhaDecodeMethod(h.MethodId);
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        ExtractMember(m, archive);
    }
}

void TUnZOO::ExtractMembers(QFile& archive)
{
    TOldFormatWalk walk(*this, archive);
    TZooArchiveHeader header;
    if (!TZooHeaders::ReadArchive(walk.Source(), walk.Start(), header)) Fail(E_HEADERID);
    TZooEntry e;
    int64_t pos = walk.Start() + header.FirstEntry;
    while (TZooHeaders::ReadEntry(walk.Source(), pos, e) && e.NextPos != 0) {
        if (!walk.Sane(e.HeaderPos, e.DataPos, e.PackedSize, e.NextPos)) Fail(E_READ);
        pos = e.NextPos;
        if (e.Deleted) continue;
        TMemberData m = DataOf(e.FullName(), e.DataPos, e.PackedSize, e.UnpackedSize, e.Crc,
                               TCheckKind::Crc16, DosDateTimeToDateTime(DosStamp(e.Date, e.Time)));
        m.Method = ZooDecodeMethod(e.Method);
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        ExtractMember(m, archive);
    }
}

void TUnARC::ExtractMembers(QFile& archive)
{
    TOldFormatWalk walk(*this, archive);
    TArcHeader h;
    int64_t pos = walk.Start();
    while (TArcHeaders::Read(walk.Source(), pos, h)) {
        if (!walk.Sane(h.HeaderPos, h.DataPos, h.PackedSize, h.NextPos)) Fail(E_READ);
        pos = h.NextPos;
        if (h.Method >= FirstArcRecordMethod) continue;
        TMemberData m = DataOf(h.Name, h.DataPos, h.PackedSize, h.UnpackedSize, h.Crc,
                               TCheckKind::Crc16, DosDateTimeToDateTime(DosStamp(h.Date, h.Time)));
        m.Method = ArcDecodeMethod(h.Method);
        if (!m.Method) { // reported, and the member's data skipped
            Report(E_UNSUPPORTEDMETHOD);
            continue;
        }
        ExtractMember(m, archive);
    }
}

} // namespace quorvex
