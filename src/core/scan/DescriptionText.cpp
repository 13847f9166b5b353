#include "scan/DescriptionText.h"

#include <array>

namespace quorvex {

namespace {

bool IsTrimmed(unsigned char c) { return c == '\t' || c == ' ' || c == 26 || c == 255; }

constexpr std::array<unsigned char, 256> BuildBoxTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (unsigned char c : {0xC9, 0xBB, 0xC8, 0xBC, 0xCE, 0xDA, 0xBF, 0xC0, 0xD9, 0xC3, 0xC5, 0xD5, 0xB8, 0xD6,
                            0xB7, 0xD8, 0xD7, 0xD4, 0xBE, 0xD3, 0xBD})
        t[c] = '+';
    for (unsigned char c : {0xCD, 0xCB, 0xCA, 0xC4, 0xC2, 0xC1, 0xD1, 0xD2, 0xCF, 0xD0}) t[c] = '-';
    for (unsigned char c : {0xBA, 0xCC, 0xB9, 0xB3, 0xB4, 0xC6, 0xB5, 0xC7, 0xB6}) t[c] = '|';
    for (unsigned char c : {0xF0, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xB0, 0xB1, 0xB2}) t[c] = '#';
    t[0xFA] = 0xB7;
    for (unsigned char c : {0xF9, 0xF8, 0xFE}) t[c] = 0x95;
    return t;
}

constexpr std::array<unsigned char, 256> BoxTable = BuildBoxTable();

std::string TrimLines(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    bool first = true;
    while (pos <= text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        std::string_view line = text.substr(pos, end - pos);
        size_t b = 0, e = line.size();
        while (b < e && IsTrimmed(static_cast<unsigned char>(line[b]))) ++b;
        while (e > b && IsTrimmed(static_cast<unsigned char>(line[e - 1]))) --e;
        if (!first) out += "\r\n";
        first = false;
        if (b == e && !line.empty()) out += line[0]; // a line of blanks keeps one of them
        else out.append(line.substr(b, e - b));
        if (end >= text.size()) break;
        // CR LF and LF CR are one line break.
        const char c = text[end];
        pos = end + 1;
        if (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n') && text[pos] != c) ++pos;
    }
    size_t e = out.size();
    while (e > 0) {
        const unsigned char c = static_cast<unsigned char>(out[e - 1]);
        if (IsTrimmed(c) || c == '\r' || c == '\n') --e;
        else break;
    }
    out.resize(e);
    return out;
}

} // namespace

std::string MapBoxCharacters(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(BoxTable[static_cast<unsigned char>(c)]);
    return out;
}

std::string CleanDescription(std::string_view text) { return MapBoxCharacters(TrimLines(text)); }

std::string WrapDescription(std::string_view text, int lineLimit, bool* truncated)
{
    std::string t(text);
    if (truncated) *truncated = false;
    // Positions below are 1-based as in the rule: s is where the current line starts.
    size_t s = 1;
    int lines = 1;
    while (t.size() > s + 51) {
        const size_t cr = t.find('\r', s - 1);
        if (cr != std::string::npos && cr + 1 <= s + 50) {
            s = cr + 1 + 2;
        } else {
            size_t brk = 0;
            for (size_t p = s + 51; p >= s + 1; --p) {
                const char c = t[p - 1];
                if (c == ' ' || c == ',' || c == '-' || c == '.') {
                    brk = p;
                    break;
                }
            }
            if (brk == 0 || brk == s + 1) brk = s + 50;
            t.insert(brk - 1, "\r\n");
            s = brk + 2;
        }
        ++lines;
        if (lineLimit > 0 && lines > lineLimit) {
            t.resize(std::min(t.size(), s - 1));
            while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r' || t.back() == '\n'))
                t.pop_back();
            if (truncated) *truncated = true;
            break;
        }
    }
    return t;
}

} // namespace quorvex
