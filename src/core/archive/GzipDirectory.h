#pragma once
// gzip and the older single-file compressors sharing its first byte: one member, named
// after the stored name or the archive itself.

#include "DirectoryReader.h"

namespace quorvex {

class TGzipDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override { return 10; }
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
};

} // namespace quorvex
