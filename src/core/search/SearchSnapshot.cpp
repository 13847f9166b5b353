#include "search/SearchSnapshot.h"

#include "search/DosTime.h"
#include "search/ExtensionList.h"
#include "search/MaskMatch.h"
#include "search/MatchText.h"
#include "search/SizeValue.h"

#include <algorithm>

namespace quorvex {

namespace {

constexpr int64_t PackedDay = 65536;
// The largest time part of a packed value: "On" and the end of a range cover the whole day.
constexpr int64_t EndOfDay = 0xFFFF;

void BuildName(const TSearchCriteria& c, TSearchSnapshot& s)
{
    s.NameMode = std::clamp(c.NameMode, int(nmPartOfName), int(nmFileType));
    s.NameCase = c.NameCaseSensitive();
    QString pattern;
    switch (s.NameMode) {
    case nmExtension: pattern = ExtensionListString(c.NameText); break;
    case nmFileType: pattern = c.FileTypeExtensions; break;
    default: pattern = c.NameText; break;
    }
    s.NamePattern = PatternForMatch(pattern, s.NameCase);
    if (s.NameMode == nmMask) s.MaskPattern = MaskPattern(pattern);
    s.NameOn = !s.NamePattern.empty();
    s.Attr = c.Attr;
    s.AttrOn = std::any_of(s.Attr.begin(), s.Attr.end(), [](int a) { return a != asIgnore; });
}

void BuildDescription(const TSearchCriteria& c, TSearchSnapshot& s)
{
    s.DescMode = std::clamp(c.DescChoice, int(dcAny), int(dcWithout));
    s.DescCase = c.DescCase;
    s.DescOn = true;
    if (s.DescMode != dcText) return;
    const QByteArray utf8 = c.DescText.toUtf8();
    s.DescPattern = StripDescription({utf8.constData(), size_t(utf8.size())}, !s.DescCase);
    s.DescOn = !s.DescPattern.empty();
}

int64_t SaturatingSum(int64_t a, int64_t b)
{
    int64_t r;
    return __builtin_add_overflow(a, b, &r) ? (b > 0 ? INT64_MAX : INT64_MIN) : r;
}

void BuildSize(const TSearchCriteria& c, TSearchSnapshot& s)
{
    s.SizeMode = c.SizeMode;
    s.SizeOn = c.SizeMode >= smEqual && c.SizeMode <= smNotBetween;
    if (!s.SizeOn) return;
    const int64_t first = SizeValueBytes(c.SizeValue1, c.SizeUnits1);
    const int64_t second = SizeValueBytes(c.SizeValue2, c.SizeUnits2);
    const int64_t tolerance = c.SizeAllowTolerance ? SizeValueBytes(c.SizeValue3, c.SizeUnits3) : 0;
    s.SizeLower = SaturatingSum(first, -tolerance);
    s.SizeUpper = SaturatingSum(c.SecondSizeVisible() ? second : first, tolerance);
}

void BuildDate(const TSearchCriteria& c, TSearchSnapshot& s)
{
    s.DateField = c.DateField >= dfCreated && c.DateField <= dfAccessed ? c.DateField : dfNone;
    s.TimeField = c.TimeField == dfCreated || c.TimeField == dfModified ? c.TimeField : dfNone;
    s.DateOn = s.DateField != dfNone || s.TimeField != dfNone;
    if (s.DateField != dfNone) {
        s.DateOp = std::clamp(c.DateOp, int(doOn), int(doNotBetween));
        const int64_t d1 = PackDosDate(c.Date1);
        const int64_t d2 = PackDosDate(c.Date2);
        const int64_t tolerance = c.DateAllowTolerance ? int64_t(std::clamp(c.DateTolerance, 0, 99)) * PackedDay : 0;
        s.DateLower = d1 - tolerance;
        s.DateUpper = (c.SecondDateVisible() ? d2 : d1) + tolerance;
        if (s.DateOp == doOn || s.DateOp == doBetween || s.DateOp == doNotBetween) s.DateUpper += EndOfDay;
    }
    if (s.TimeField != dfNone) {
        s.TimeOp = std::clamp(c.TimeOp, int(doOn), int(doNotBetween));
        const double tolerance = c.TimeAllowTolerance ? std::clamp(c.TimeTolerance, 0, 999) / 1440.0 : 0.0;
        const double t1 = TimeOfDayFraction(c.Time1);
        const double t2 = TimeOfDayFraction(c.Time2);
        s.TimeLower = t1 - tolerance;
        s.TimeUpper = (c.SecondTimeVisible() ? t2 : t1) + tolerance;
    }
}

} // namespace

std::string StripDescription(std::string_view text, bool upper)
{
    std::string buffer;
    std::string out(TextForMatch(text, upper, buffer));
    std::erase_if(out, [](char ch) { return ch == '\n' || ch == '\r' || ch == ' ' || ch == ',' || ch == '.'; });
    return out;
}

bool BuildSnapshot(const TSearchCriteria& c, TSearchSnapshot& s)
{
    s = TSearchSnapshot{};
    if (c.ByName) BuildName(c, s);
    if (c.ByDesc) BuildDescription(c, s);
    s.CategoryOn = c.ByCategory;
    if (c.BySize) BuildSize(c, s);
    if (c.ByDate) BuildDate(c, s);
    s.CombineRule = c.CombineRule == crAny ? crAny : crAll;
    s.HitLimit = c.LimitFound ? std::clamp(c.MaxFound, 1, 9999) : 0;
    s.Files = c.SearchForFiles;
    s.Folders = c.SearchForFolders;
    s.Disks = c.SearchForDisks;
    s.InsideArchives = !c.SearchForCompressed;
    const bool others = s.NameOn || s.AttrOn || s.CategoryOn || s.SizeOn || s.DateOn;
    s.DescriptionOnly = s.DescOn && !others && (s.DescMode == dcAny || s.DescMode == dcText);
    return others || s.DescOn;
}

} // namespace quorvex
