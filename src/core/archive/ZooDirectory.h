#pragma once
// The ZOO directory: the archive header, then the chain of directory entries.

#include "MemberChainDirectory.h"
#include "ZooHeaders.h"

namespace quorvex {

class TZooDirectory : public TMemberChainDirectory<TZooEntry>
{
public:
    TZooDirectory() : TMemberChainDirectory(&TZooHeaders::ReadEntry, TZooHeaders::EntryLength) {}

private:
    std::optional<int64_t> FirstHeader(TListingHost& host, int64_t archiveStart) override;
    bool Describe(TListingHost& host, const TZooEntry& e, TArchiveMember& m) override;
    bool EndsChain(const TZooEntry& e) const override { return e.NextPos < 1; }
};

} // namespace quorvex
