#include "search/MatchText.h"

#include "browser/DisplayText.h"

#include <QList>

#include <cstdint>
#include <cstring>

namespace quorvex {

namespace {

bool IsAscii(std::string_view s)
{
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
    return true;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

// The common case of a search over a million names: an ASCII name, compared without a copy.
bool AsciiContains(std::string_view text, std::string_view pattern, bool upper)
{
    const size_t n = text.size();
    const size_t m = pattern.size();
    if (m == 0) return true;
    if (m > n) return false;
    const char first = pattern[0];
    const char last = pattern[m - 1];
    for (size_t i = 0; i + m <= n; ++i) {
        if ((upper ? AsciiUpper(text[i]) : text[i]) != first) continue;
        if ((upper ? AsciiUpper(text[i + m - 1]) : text[i + m - 1]) != last) continue;
        size_t k = 1;
        if (upper) {
            while (k < m && AsciiUpper(text[i + k]) == pattern[k]) ++k;
        } else {
            while (k < m && text[i + k] == pattern[k]) ++k;
        }
        if (k == m) return true;
    }
    return false;
}

} // namespace

QString DecodeStoredText(std::string_view bytes) { return DisplayText(bytes); }

std::string_view TextForMatch(std::string_view text, bool upper, std::string& buffer)
{
    if (IsAscii(text)) {
        if (!upper) return text;
        buffer.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) buffer[i] = AsciiUpper(text[i]);
        return buffer;
    }
    QString decoded = DecodeStoredText(text);
    if (upper) decoded = decoded.toUpper();
    const QByteArray utf8 = decoded.toUtf8();
    buffer.assign(utf8.constData(), size_t(utf8.size()));
    return buffer;
}

std::u32string_view CodePointsForMatch(std::string_view text, bool upper, std::u32string& buffer)
{
    if (IsAscii(text)) {
        buffer.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i)
            buffer[i] = static_cast<unsigned char>(upper ? AsciiUpper(text[i]) : text[i]);
        return buffer;
    }
    QString decoded = DecodeStoredText(text);
    if (upper) decoded = decoded.toUpper();
    const QList<uint> ucs4 = decoded.toUcs4();
    buffer.assign(ucs4.begin(), ucs4.end());
    return buffer;
}

bool ContainsForMatch(std::string_view text, std::string_view pattern, bool upper)
{
    if (IsAscii(text)) return AsciiContains(text, pattern, upper);
    std::string buffer;
    return TextForMatch(text, upper, buffer).find(pattern) != std::string_view::npos;
}

std::string PatternForMatch(const QString& pattern, bool caseSensitive)
{
    const QByteArray utf8 = (caseSensitive ? pattern : pattern.toUpper()).toUtf8();
    return {utf8.constData(), size_t(utf8.size())};
}

} // namespace quorvex
