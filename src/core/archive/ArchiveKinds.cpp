#include "ArchiveKinds.h"

namespace quorvex {

namespace {

constexpr TArchiveKindRow Rows[ArchiveKindCount] = {
    {"ARC", true, true, false, false, false},  {"ARJ", true, true, true, true, false},
    {"CAB", true, false, false, false, false}, {"HA", true, false, false, false, false},
    {"LHA", true, true, false, false, false},  {"LZH", true, true, false, false, false},
    {"PAK", true, false, false, false, false}, {"RAR", true, true, true, true, true},
    {"ZIP", true, true, true, true, false},    {"ZOO", true, true, true, false, false},
    {"EXE", true, false, false, false, false}, {"TAR", true, true, false, false, false},
    {"GZ", true, true, false, false, false},   {"Z", true, false, false, false, false},
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool RowMatches(const TArchiveKindRow& row, const QString& ext)
{
    if (ext == QLatin1String(row.Extension)) return true;
    return row.VolumeDigits && ext.size() == 3 && ext[0] == QLatin1Char(row.Extension[0]) &&
           IsDigit(ext[1]) && IsDigit(ext[2]);
}

} // namespace

const TArchiveKindRow& ArchiveKindRow(int kind)
{
    static const TArchiveKindRow none{"", false, false, false, false, false};
    return kind >= 1 && kind <= ArchiveKindCount ? Rows[kind - 1] : none;
}

int ArchiveKindOfName(const QString& fileName)
{
    qsizetype sep = std::max(fileName.lastIndexOf(u'\\'), fileName.lastIndexOf(u'/'));
    qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < sep) return akNone;
    const QString ext = fileName.mid(dot + 1).toUpper();
    for (int kind = ArchiveKindCount; kind >= 1; --kind)
        if (RowMatches(Rows[kind - 1], ext)) return kind;
    return akNone;
}

TArchiveKindSwitches::TArchiveKindSwitches()
{
    for (int kind = 1; kind <= ArchiveKindCount; ++kind)
        m_enabled[kind] = Rows[kind - 1].BrowseDefault;
}

bool TArchiveKindSwitches::Enabled(int kind) const
{
    return kind >= 1 && kind <= ArchiveKindCount && m_enabled[kind];
}

void TArchiveKindSwitches::SetEnabled(int kind, bool on)
{
    if (kind >= 1 && kind <= ArchiveKindCount) m_enabled[kind] = on;
}

} // namespace quorvex
