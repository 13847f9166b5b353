#pragma once
// tar and ustar: one 512-byte header block per entry, the data padded to whole blocks.

#include "DirectoryReader.h"

namespace quorvex {

class TTarDirectory : public TDirectoryReader {
public:
    size_t HeaderLength() const override { return 512; }
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
