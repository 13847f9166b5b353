#pragma once
// The BH directory: one member header after the other from the start of the archive.

#include "DirectoryReader.h"

namespace quorvex {

class TBhDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
