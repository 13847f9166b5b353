#include "extract/UnOldFormats.h"

#include "archive/ArchiveErrors.h"
#include "decompress/MethodCodes.h"

namespace quorvex {

namespace {

constexpr uint8_t ArjGarbled = 0x01;
constexpr uint8_t ArjVolume = 0x04;
constexpr uint8_t ArjFirstUnsupportedVersion = 4;
constexpr int MaxMembers = 1 << 20; // a chain of headers longer than this is damage

int64_t StartOf(const TUnBase& unpacker)
{
    return std::max<int64_t>(unpacker.State().StartOffset - 1, 0);
}

TMemberData DataOf(const TOldMember& h, TCheckKind check)
{
    TMemberData m;
    m.StoredName = h.Name;
    m.DataPos = h.DataPos;
    m.PackedSize = h.PackedSize;
    m.UnpackedSize = h.UnpackedSize;
    m.Check = check;
    m.StoredCheck = h.Crc;
    m.MemberDate = h.MemberDate;
    return m;
}

bool HasWildcard(const QString& spec)
{
    return spec.contains(u'*') || spec.contains(u'?');
}

} // namespace

void TUnARJ::ExtractMembers(QFile& archive)
{
    TOldMember h;
    if (!ReadArjMainHeader(archive, StartOf(*this), h)) Fail(E_HEADERID);
    const bool oneMember = !HasWildcard(FileSpec());
    int64_t pos = h.NextPos;
    for (int n = 0; n < MaxMembers && ReadArjHeader(archive, pos, h); ++n) {
        pos = h.NextPos;
        if (h.Skip) continue;
        // Following volumes is switched off, as in the listing.
        if (h.Flags & ArjVolume) Fail(E_MAXVOLUMES);
        TMemberData m = DataOf(h, TCheckKind::Crc32);
        m.Method = ArjDecodeMethod(h.Method);
        if (h.Method == 4 && h.VersionMadeBy == 1) m.Method.reset();
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (h.VersionNeeded >= ArjFirstUnsupportedVersion) Fail(E_VERSION);
        if (h.Flags & ArjGarbled) Fail(E_PASSWORDPROTECTED);
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        if (h.FileType > 1) Fail(E_UNKNOWNFILETYPE);
        if (ExtractMember(m, archive) && oneMember) return;
    }
}

void TUnLHA::ExtractMembers(QFile& archive)
{
    TOldMember h;
    int64_t pos = StartOf(*this);
    for (int n = 0; n < MaxMembers && ReadLhaHeader(archive, pos, h); ++n) {
        pos = h.NextPos;
        if (h.Skip) continue;
        TMemberData m = DataOf(h, TCheckKind::Crc16);
        m.Method = LhaDecodeMethod(h.LhaMethod);
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        ExtractMember(m, archive);
    }
}

void TUnZOO::ExtractMembers(QFile& archive)
{
    int64_t pos = 0;
    if (!ReadZooFirstEntry(archive, StartOf(*this), pos)) Fail(E_HEADERID);
    TOldMember h;
    for (int n = 0; n < MaxMembers && ReadZooEntry(archive, pos, h); ++n) {
        pos = h.NextPos;
        if (h.Skip) continue;
        TMemberData m = DataOf(h, TCheckKind::Crc16);
        m.Method = ZooDecodeMethod(h.Method);
        const QString outName = OutputName(m.StoredName);
        if (outName.isEmpty() || !MatchesSpec(outName)) continue;
        if (!m.Method) Fail(E_UNSUPPORTEDMETHOD);
        ExtractMember(m, archive);
    }
}

void TUnARC::ExtractMembers(QFile& archive)
{
    TOldMember h;
    int64_t pos = StartOf(*this);
    for (int n = 0; n < MaxMembers && ReadArcHeader(archive, pos, h); ++n) {
        pos = h.NextPos;
        if (h.Skip) continue;
        TMemberData m = DataOf(h, TCheckKind::Crc16);
        m.Method = ArcDecodeMethod(h.Method);
        if (!m.Method) { // reported, and the member's data skipped
            Report(E_UNSUPPORTEDMETHOD);
            continue;
        }
        ExtractMember(m, archive);
    }
}

} // namespace quorvex
