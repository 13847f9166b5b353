#include "extract/UnTAR.h"

#include "archive/DirectoryReader.h"
#include "archive/TarHeader.h"
#include "extract/MemberListing.h"
#include "extract/OutputPath.h"
#include "platform/NativeNames.h"
#include "platform/SafeOutputFile.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

#include <map>

namespace quorvex
{

namespace
{

constexpr int LinkNameOffset = 157;
constexpr int LinkNameLength = 100;
constexpr uint8_t HardLinkType = '1';
constexpr uint8_t FolderType = '5';

} // namespace

void TUnTAR::ExtractMembers(QFile& archive)
{
    const TMemberListing listing = ListArchiveMembers(ArchiveFile());
    const bool oneMember = !FileSpec().contains(u'*');
    // A hard link carries no data of its own: it gets the data of the entry it names.
    std::map<std::string, TMemberData> byName;
    for (const TListedMember& listed : listing.Members) {
        TMemberData m;
        m.StoredName = listed.Member.MemberName;
        m.DataPos = listed.HeaderPos + TarBlock;
        m.PackedSize = m.UnpackedSize = int64_t(uint32_t(listed.Member.PackedSize));
        m.Method = TDecodeMethod::Stored;
        m.MemberDate = listed.Member.MemberDate;
        uint8_t header[TarBlock];
        if (ReadAt(archive, listed.HeaderPos, header, TarBlock) && header[156] == HardLinkType) {
            const std::string target =
                BackslashPath(UpToNul(header + LinkNameOffset, LinkNameLength));
            if (auto it = byName.find(target); it != byName.end() && m.PackedSize == 0) {
                m.DataPos = it->second.DataPos;
                m.PackedSize = m.UnpackedSize = it->second.PackedSize;
            }
        }
        byName[m.StoredName] = m;
        if (ExtractMember(m, archive) && oneMember) return;
    }
    if (listing.Error) Fail(listing.Error);
    if (UseStoredDirs) CreateStoredFolders(archive);
}

// The listing passes folder entries over; with stored folders they are made, empty ones too.
void TUnTAR::CreateStoredFolders(QFile& archive)
{
    const QString root = QDir::fromNativeSeparators(ExtractDir);
    if (root.isEmpty()) return;
    uint8_t h[TarBlock];
    for (int64_t pos = std::max<int64_t>(State().StartOffset - 1, 0);
         ReadAt(archive, pos, h, TarBlock) && h[0] != 0 && IsTarHeader(h);) {
        const uint64_t size = TarOctal(h + 124, 12);
        if (size > uint64_t(archive.size())) return;
        if (h[156] == FolderType) {
            std::string name = UpToNul(h, 100);
            if (std::memcmp(h + 257, "ustar", 5) == 0 && h[345] != 0)
                name = UpToNul(h + 345, 155) + "/" + name;
            // The folder of a file inside it, so that the usual name rules apply.
            const QString inside = OutputName(BackslashPath(name) + "\\x");
            const QString base = ExtractOutputRoot(ExtractDir, ArchiveFile());
            if (inside.startsWith(base)) {
                const QString folder = QFileInfo(inside.mid(base.size())).path();
                TSafeFolder made; // a link in the way is left alone
                made.Open(NativeString(base),
                          NativeString(folder));
            }
        }
        pos += TarBlock + int64_t((size + TarBlock - 1) / TarBlock * TarBlock);
    }
}

} // namespace quorvex
