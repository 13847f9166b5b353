#pragma once
// tar, ustar and pax: one 512-byte header block per entry, the data padded to whole blocks.
// Names longer than the 100-byte field are put together from the ustar prefix, a GNU
// long-name entry or a pax "path" record.

#include "DirectoryReader.h"

#include <string>

namespace quorvex {

class TTarDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override { return 512; }
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;

private:
    // A long name carried by the entry before (GNU long-name entry or pax "path" record).
    std::string m_longName;
};

} // namespace quorvex
