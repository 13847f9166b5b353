#pragma once
// The ARC and PAK directory: one member header after the other up to the 1A 00 marker.
// The two share the layout; only the names of the methods differ.

#include "ArcHeaders.h"
#include "MemberChainDirectory.h"

namespace quorvex {

class TArcDirectory : public TMemberChainDirectory<TArcHeader>
{
public:
    explicit TArcDirectory(bool pak)
        : TMemberChainDirectory(&TArcHeaders::Read, TArcHeaders::HeaderLength), m_pak(pak)
    {
    }

private:
    bool Describe(TListingHost& host, const TArcHeader& h, TArchiveMember& m) override;

    bool m_pak;
};

} // namespace quorvex
