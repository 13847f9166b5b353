#pragma once
// The HA directory: the member headers after the 4-byte archive header.

#include "HaHeaders.h"
#include "MemberChainDirectory.h"

namespace quorvex {

class THaDirectory : public TMemberChainDirectory<THaHeader>
{
public:
    THaDirectory() : TMemberChainDirectory(&THaHeaders::Read, THaHeaders::HeaderLength) {}

private:
    std::optional<int64_t> FirstHeader(TListingHost& host, int64_t archiveStart) override;
    bool Describe(TListingHost& host, const THaHeader& h, TArchiveMember& m) override;
};

} // namespace quorvex
