#include "Wildcard.h"

#include <string>
#include <vector>

namespace quorvex {

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// "*" on either side matches any run of the other side, "?" any one character. Worked as a
// table over the suffixes of both strings (rows kept two at a time), so a name made of
// many "*" costs |a| x |b| steps instead of an exponential search.
bool MatchBothSides(const std::string& a, const std::string& b)
{
    const size_t n = a.size();
    const size_t m = b.size();
    std::vector<char> next(m + 1);
    std::vector<char> row(m + 1);
    next[m] = 1;
    for (size_t j = m; j-- > 0;)
        next[j] = b[j] == '*' && next[j + 1];
    for (size_t i = n; i-- > 0;) {
        row[m] = a[i] == '*' && next[m];
        for (size_t j = m; j-- > 0;) {
            if (a[i] == '*' || b[j] == '*')
                row[j] = next[j] || row[j + 1];
            else
                row[j] = (a[i] == '?' || b[j] == '?' || Upper(a[i]) == Upper(b[j])) && next[j + 1];
        }
        std::swap(row, next);
    }
    return next[0];
}

// Returns false when the side is non-empty but has no file-name part.
bool FileNamePart(std::string_view side, std::string& out)
{
    std::string s(side);
    for (char& c : s)
        if (c == '/') c = '\\';
    size_t sep = s.rfind('\\');
    out = sep == std::string::npos ? s : s.substr(sep + 1);
    if (!s.empty() && out.empty()) return false;
    if (!out.empty() && out.back() == '.') out.pop_back();
    return true;
}

} // namespace

bool WildcardMatch(std::string_view name, std::string_view spec)
{
    if (spec == "*.*" || spec == "*") { // the common case, without copies
        const size_t sep = name.find_last_of("\\/");
        std::string_view file = sep == std::string_view::npos ? name : name.substr(sep + 1);
        if (!name.empty() && file.empty()) return false;
        if (spec == "*") return true;
        if (!file.empty() && file.back() == '.') file.remove_suffix(1);
        return !file.empty();
    }
    std::string a;
    std::string b;
    if (!FileNamePart(name, a) || !FileNamePart(spec, b)) return false;
    if (a.empty() && b == "*.*") return false;
    const bool aHasDot = a.find('.') != std::string::npos;
    const bool bHasDot = b.find('.') != std::string::npos;
    const bool aHasDotStar = a.find(".*") != std::string::npos;
    const bool bHasDotStar = b.find(".*") != std::string::npos;
    if (!aHasDot && bHasDotStar) a += ".*";
    if (!bHasDot && aHasDotStar) b += ".*";
    return MatchBothSides(a, b);
}

} // namespace quorvex
