#pragma once
// The LHA/LZH directory: one header after the other from the start of the archive, each
// followed by its packed data, up to a header size of 0.

#include "LhaHeaders.h"
#include "MemberChainDirectory.h"

namespace quorvex {

class TLhaDirectory : public TMemberChainDirectory<TLhaHeader>
{
public:
    TLhaDirectory() : TMemberChainDirectory(&TLhaHeaders::Read, TLhaHeaders::MinimumLength) {}

private:
    bool Describe(TListingHost& host, const TLhaHeader& h, TArchiveMember& m) override;
};

} // namespace quorvex
