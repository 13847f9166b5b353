#pragma once
// The ARJ directory: the main header with the archive comment, then one header per member.
// Volumes are not followed: a member that continues in the next volume ends the listing.

#include "ArjHeaders.h"
#include "MemberChainDirectory.h"

namespace quorvex {

class TArjDirectory : public TMemberChainDirectory<TArjHeader>
{
public:
    TArjDirectory() : TMemberChainDirectory(&TArjHeaders::Read, TArjHeaders::MinimumLength) {}

private:
    std::optional<int64_t> FirstHeader(TListingHost& host, int64_t archiveStart) override;
    bool Describe(TListingHost& host, const TArjHeader& h, TArchiveMember& m) override;
};

} // namespace quorvex
