#pragma once
// The LHA/LZH directory: one header after the other from the start of the archive, each
// followed by its packed data, up to a header size of 0.

#include "DirectoryReader.h"

namespace quorvex {

class TLhaDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
