#pragma once
// The ARC and PAK directory: one member header after the other up to the 1A 00 marker.
// The two share the layout; only the names of the methods differ.

#include "DirectoryReader.h"

namespace quorvex {

class TArcDirectory : public TDirectoryReader
{
public:
    explicit TArcDirectory(bool pak) : m_pak(pak) {}
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;

private:
    bool m_pak;
};

} // namespace quorvex
