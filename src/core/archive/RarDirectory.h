#pragma once
// The RAR directory, older and newer format: the marker and the archive header, then one
// block after the other; file blocks are reported, other blocks skipped.

#include "DirectoryReader.h"
#include "RarHeaders.h"

namespace quorvex {

class TRarDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override;
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;

    // What the older format's listing shows for an archive header that carries a comment.
    static constexpr const char* PackedCommentText = "Archive Comment encrypted...";

private:
    void SetupRar4(TListingHost& host, TListingCursor& cursor, int64_t start);
    void SetupRar5(TListingHost& host, TListingCursor& cursor, int64_t start);
    void ReportFile(TListingHost& host, const TRarBlock& b);

    TRarFormat m_format = TRarFormat::Rar4;
};

} // namespace quorvex
