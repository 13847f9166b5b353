#pragma once
// The BH directory: one member header after the other from the start of the archive.

#include "BhHeaders.h"
#include "MemberChainDirectory.h"

namespace quorvex {

class TBhDirectory : public TMemberChainDirectory<TBhHeader>
{
public:
    TBhDirectory() : TMemberChainDirectory(&TBhHeaders::Read, TBhHeaders::HeaderLength) {}

private:
    bool Describe(TListingHost& host, const TBhHeader& h, TArchiveMember& m) override;
};

} // namespace quorvex
