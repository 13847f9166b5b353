#pragma once
// The extractors walk an archive with the directory readers of the listing: every member
// with the position of its header, and the error that ended the walk early, if any.

#include "archive/ArchiveMember.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace quorvex
{

struct TListedMember {
    TArchiveMember Member;
    int64_t HeaderPos = 0;
};

struct TMemberListing {
    std::vector<TListedMember> Members;
    TArchiveState State;
    int Error = 0; // the code that ended the walk, 0 when it ran to its end
};

TMemberListing ListArchiveMembers(const QString& archiveFile);

} // namespace quorvex
