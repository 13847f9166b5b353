#include "search/SearchMatch.h"

#include "catalog/ItemRecords.h"
#include "catalog/ItemRoutines.h"
#include "search/DosTime.h"
#include "search/ExtensionList.h"
#include "search/MaskMatch.h"
#include "search/MatchText.h"

#include <cstring>

namespace quorvex {

namespace {

constexpr uint8_t AttrBits[4] = {faArchive, faHidden, faSysFile, faReadOnly};

// Met and unmet criteria of one item.
struct TTally {
    int Met = 0;
    int Unmet = 0;
    void Add(bool met) { ++(met ? Met : Unmet); }
    bool Hit(const TSearchSnapshot& s) const
    {
        return s.CombineRule == crAny ? Met > 0 : Unmet == 0 && Met > 0;
    }
};

// Names differing only in letter case are one row of the merged lists.
bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
    return DecodeStoredText(a).compare(DecodeStoredText(b), Qt::CaseInsensitive) == 0;
}

bool Checked(const std::vector<std::string>& rows, std::string_view name)
{
    if (name.empty()) return false;
    for (const std::string& row : rows)
        if (SameName(row, name)) return true;
    return false;
}

bool Contains(std::string_view text, std::string_view pattern)
{
    return text.find(pattern) != std::string_view::npos;
}

void TestAttributes(const TSearchSnapshot& s, uint8_t attr, TTally& t)
{
    if (!s.AttrOn) return;
    for (int i = 0; i < 4; ++i)
        if (s.Attr[i] != asIgnore) t.Add(((attr & AttrBits[i]) != 0) == (s.Attr[i] == asSet));
}

void TestDescription(const TSearchSnapshot& s, std::string_view desc, TTally& t)
{
    if (!s.DescOn) return;
    switch (s.DescMode) {
    case dcAny: t.Add(!desc.empty()); break;
    case dcWithout: t.Add(desc.empty()); break;
    default:
        t.Add(!desc.empty() && Contains(StripDescription(desc, !s.DescCase), s.DescPattern));
        break;
    }
}

void TestCategory(const TSearchSnapshot& s, uint8_t categoryByte, const TCategoryMatch& m, TTally& t)
{
    if (!s.CategoryOn) return;
    if (categoryByte == 0) {
        t.Add(m.WithoutCategory);
        return;
    }
    t.Add(m.Category[categoryByte & 31] || (categoryByte & m.FlagBits) != 0);
}

void TestSize(const TSearchSnapshot& s, int64_t size, TTally& t)
{
    if (!s.SizeOn) return;
    const bool between = s.SizeLower <= size && size <= s.SizeUpper;
    switch (s.SizeMode) {
    case smSmaller: t.Add(size < s.SizeUpper); break;
    case smLarger: t.Add(size > s.SizeLower); break;
    case smNotBetween: t.Add(!between); break;
    default: t.Add(between); break;
    }
}

bool CompareRange(int op, double value, double lower, double upper)
{
    const bool between = lower <= value && value <= upper;
    switch (op) {
    case doBefore: return value < upper;
    case doAfter: return value > lower;
    case doNotBetween: return !between;
    default: return between;
    }
}

int32_t DateOf(int field, int32_t created, int32_t modified, int32_t accessed)
{
    return field == dfCreated ? created : field == dfAccessed ? accessed : modified;
}

// Files and folders; in archives only the modification time is known.
void TestDates(const TSearchSnapshot& s, const TItemRec& rec, int32_t created, int32_t modified,
               int32_t accessed, TTally& t)
{
    if (!s.DateOn) return;
    const bool archive = ItemIs(rec.KindFlags, ifArchive);
    if (s.DateField != dfNone && (s.DateField == dfModified || !archive)) {
        const auto value = static_cast<uint32_t>(DateOf(s.DateField, created, modified, accessed));
        t.Add(CompareRange(s.DateOp, double(value), double(s.DateLower), double(s.DateUpper)));
    }
    if (s.TimeField != dfNone && (s.TimeField == dfModified || !archive)) {
        const auto value = static_cast<uint32_t>(DateOf(s.TimeField, created, modified, accessed));
        t.Add(CompareRange(s.TimeOp, DosTimeOfDay(value), s.TimeLower, s.TimeUpper));
    }
}

} // namespace

TCategoryMatch ResolveCategoryChecks(const TCatalogRec* catalog, const TCategoryChecks& checks)
{
    TCategoryMatch m;
    m.WithoutCategory = checks.WithoutCategory;
    if (!catalog) return m;
    std::array<bool, 32> seen{};
    for (const auto& [name, number] : catalog->Categories) {
        if (number == 0 || number > 31 || seen[number]) continue; // the first entry of a number counts
        seen[number] = true;
        m.Category[number] = Checked(checks.Categories, name);
    }
    for (int i = 0; i < 3; ++i)
        if (Checked(checks.Flags, catalog->FlagNames[size_t(i)].View())) m.FlagBits |= uint8_t(0x20 << i);
    return m;
}

bool MaskTest(const TSearchSnapshot& s, std::string_view name)
{
    return MaskMatch(name, s.MaskPattern);
}

bool NameTest(const TSearchSnapshot& s, std::string_view name)
{
    thread_local std::string buffer;
    switch (s.NameMode) {
    case nmMask: return MaskTest(s, name);
    case nmExact: return TextForMatch(name, !s.NameCase, buffer) == s.NamePattern;
    case nmExtension:
    case nmFileType: {
        const std::string key = ExtensionKey(name, buffer);
        return key.size() >= 2 && Contains(s.NamePattern, key);
    }
    default: return ContainsForMatch(name, s.NamePattern, !s.NameCase);
    }
}

bool FileTest(const TSearchSnapshot& s, const TFileRec& f, const TCategoryMatch& categories)
{
    TTally t;
    TestAttributes(s, f.Attr, t);
    if (s.NameOn) t.Add(NameTest(s, f.Name()));
    if (s.DescOn) TestDescription(s, f.Description.View(), t);
    TestCategory(s, f.CategoryByte, categories, t);
    TestSize(s, f.Size, t);
    TestDates(s, f, f.Created, f.Modified, f.Accessed, t);
    return t.Hit(s);
}

bool FolderTest(const TSearchSnapshot& s, const TFolderRec& f, std::string_view name,
                const TCategoryMatch& categories)
{
    TTally t;
    TestAttributes(s, f.Attr, t);
    if (s.NameOn) t.Add(NameTest(s, name));
    TestDescription(s, f.Description.View(), t);
    TestCategory(s, f.CategoryByte, categories, t);
    TestSize(s, f.TotalSize / CurrencyScale, t);
    TestDates(s, f, f.Created, f.Modified, f.Accessed, t);
    return t.Hit(s);
}

bool DiskTest(const TSearchSnapshot& s, const TDiskRec& d, std::string_view name)
{
    TTally t;
    if (s.NameOn) t.Add(NameTest(s, name));
    TestDescription(s, d.Description.View(), t);
    if (s.CategoryOn) t.Add(false);
    TestSize(s, DiskSize(&d, TDiskSizeKind::Capacity) / CurrencyScale, t);
    if (s.DateOn) {
        if (s.DateField != dfNone)
            t.Add(CompareRange(s.DateOp, double(DosFromDayCount(d.Catalogued)), double(s.DateLower),
                               double(s.DateUpper)));
        if (s.TimeField != dfNone)
            t.Add(CompareRange(s.TimeOp, DayCountTimeOfDay(d.Catalogued), s.TimeLower, s.TimeUpper));
    }
    return t.Hit(s);
}

} // namespace quorvex
