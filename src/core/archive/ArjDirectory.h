#pragma once
// The ARJ directory: the main header with the archive comment, then one header per member.
// Volumes are not followed: a member that continues in the next volume ends the listing.

#include "DirectoryReader.h"

namespace quorvex {

class TArjDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
