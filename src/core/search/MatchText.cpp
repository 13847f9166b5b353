#include "search/MatchText.h"

#include <QList>
#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace quorvex {

namespace {

// Windows-1252 characters 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

QString DecodeStoredText(std::string_view bytes)
{
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError()) return text;
    text.resize(qsizetype(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[qsizetype(i)] = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

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
