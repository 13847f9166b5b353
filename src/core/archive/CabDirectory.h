#pragma once
// The cabinet directory: the file entries of a cabinet, and of the cabinets after it in its
// set, which are looked for in the archive's folder and opened in turn.

#include "CabHeaders.h"
#include "DirectoryReader.h"

#include <QString>

#include <set>

namespace quorvex {

class TCabDirectory : public TDirectoryReader
{
public:
    size_t HeaderLength() const override { return TCabHeaders::FileEntryLength; }
    void Setup(TListingHost& host, TListingCursor& cursor) override;
    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t> header) override;

    // The file `name` in the folder of `archiveFile`: the exact name, else the only one that
    // differs from it in case alone. Empty when there is none.
    static QString FindInFolder(const QString& archiveFile, const std::string& name);

private:
    void StartCabinet(TListingHost& host, TListingCursor& cursor);
    // Moves on to the next cabinet of the set, or ends the listing.
    void NextCabinet(TListingHost& host, TListingCursor& cursor);

    TCabinet m_cabinet;
    int m_filesLeft = 0;
    std::set<QString> m_visited; // a set that names a cabinet again ends there
};

} // namespace quorvex
