#include "extract/UnTAR.h"

#include "archive/DirectoryReader.h"
#include "archive/TarHeader.h"
#include "extract/MemberListing.h"

#include <map>

namespace quorvex {

namespace {

constexpr int LinkNameOffset = 157;
constexpr int LinkNameLength = 100;
constexpr uint8_t HardLinkType = '1';

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
            const std::string target = BackslashPath(UpToNul(header + LinkNameOffset, LinkNameLength));
            if (auto it = byName.find(target); it != byName.end() && m.PackedSize == 0) {
                m.DataPos = it->second.DataPos;
                m.PackedSize = m.UnpackedSize = it->second.PackedSize;
            }
        }
        byName[m.StoredName] = m;
        if (ExtractMember(m, archive) && oneMember) return;
    }
    if (listing.Error) Fail(listing.Error);
}

} // namespace quorvex
