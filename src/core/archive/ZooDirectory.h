#pragma once
// The ZOO directory: the archive header, then the chain of directory entries.

#include "DirectoryReader.h"

namespace quorvex {

class TZooDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
