#pragma once
// The ZIP directory: the end-of-central-directory record, the archive comment and one
// central directory header per member.

#include "DirectoryReader.h"

namespace quorvex {

class TZipDirectory : public TDirectoryReader
{
public:
    static constexpr size_t CentralHeaderLength = 46;

    size_t HeaderLength() const override { return CentralHeaderLength; }
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;
    void Finish(TListingHost& host) override;

    // "Stored", "DeflateX", ... for a method and its general-purpose flags.
    static const char* MethodName(int method, unsigned flags);
};

} // namespace quorvex
