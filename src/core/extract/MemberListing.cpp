#include "extract/MemberListing.h"

#include "archive/ArchiveLister.h"

namespace quorvex
{

TMemberListing ListArchiveMembers(const QString& archiveFile)
{
    TMemberListing listing;
    TArchiveLister lister;
    lister.OnRead = [&](TArchiveLister& l, int32_t offset, int32_t) {
        listing.Members.push_back({l.Member(), int64_t(uint32_t(offset))});
    };
    lister.OnError = [&](TZipCommon&, const QString&, const QString&, int code) {
        if (!listing.Error) listing.Error = code;
    };
    lister.SetFileSpec(QStringLiteral("*.*"));
    lister.SetArchiveFile(archiveFile);
    const bool ok = lister.Activate();
    listing.State = lister.State();
    if (ok) listing.Error = 0;
    return listing;
}

} // namespace quorvex
