#pragma once
// Which file names are archives: the archive kind table (kind 1..14, 0 = not an archive)
// with its per-kind switches. The kind comes from the extension alone; the content decides
// the type (ArcType.h).

#include <QString>

#include <array>

namespace quorvex {

constexpr int ArchiveKindCount = 14;

enum TArchiveKind : int {
    akNone = 0,
    akARC = 1,
    akARJ,
    akCAB,
    akHA,
    akLHA,
    akLZH,
    akPAK,
    akRAR,
    akZIP,
    akZOO,
    akEXE,
    akTAR,
    akGZ,
    akZ,
};

struct TArchiveKindRow {
    const char* Extension;     // at most 3 characters, upper case
    bool BrowseDefault;        // looking inside is allowed until the settings say otherwise
    bool Extractable;          // an extractor exists
    bool CommentImportable;    // the archive comment may become the archive's description
    bool VolumeDigits;         // X01..X99 style volume extensions match the row
    bool MemberListExtraction; // several members go to the extractor in one call
};

// Row for kind 1..14.
const TArchiveKindRow& ArchiveKindRow(int kind);

// The kind of a file name (folders allowed in front), 0 when no row matches.
int ArchiveKindOfName(const QString& fileName);

// The browse switches, one per kind, all on at start; the settings set them.
class TArchiveKindSwitches
{
public:
    TArchiveKindSwitches();
    bool Enabled(int kind) const;
    void SetEnabled(int kind, bool on);

private:
    std::array<bool, ArchiveKindCount + 1> m_enabled{};
};

} // namespace quorvex
