#include "extract/RarPattern.h"

#include <string>

namespace quorvex
{

namespace
{

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

bool RarPatternMatch(std::string_view storedName, std::string_view rawPattern)
{
    std::string name, pattern;
    for (char c : storedName)
        name += Upper(c);
    for (char c : rawPattern)
        pattern += Upper(c);
    size_t n = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        const char c = pattern[p];
        if (c == '*') {
            if (p + 1 == pattern.size()) return true;
            const char next = pattern[p + 1];
            while (n < name.size() && name[n] != next)
                ++n;
            // "*.*" matches a name without an extension.
            if (n == name.size() && next == '.' && name.find('.') == std::string::npos) name += '.';
            continue;
        }
        if (n == name.size()) return false;
        if (c != '?' && c != name[n]) return false;
        ++n;
    }
    return n == name.size();
}

} // namespace quorvex
