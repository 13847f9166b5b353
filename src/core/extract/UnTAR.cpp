#include "extract/UnTAR.h"

#include "archive/TarHeader.h"
#include "extract/MemberListing.h"

namespace quorvex
{

void TUnTAR::ExtractMembers(QFile& archive)
{
    const TMemberListing listing = ListArchiveMembers(ArchiveFile());
    const bool oneMember = !FileSpec().contains(u'*');
    for (const TListedMember& listed : listing.Members) {
        TMemberData m;
        m.StoredName = listed.Member.MemberName;
        m.DataPos = listed.HeaderPos + TarBlock;
        m.PackedSize = m.UnpackedSize = int64_t(uint32_t(listed.Member.PackedSize));
        m.Method = TDecodeMethod::Stored;
        m.MemberDate = listed.Member.MemberDate;
        if (ExtractMember(m, archive) && oneMember) return;
    }
    if (listing.Error) Fail(listing.Error);
}

} // namespace quorvex
