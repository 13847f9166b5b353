#include "search/MaskMatch.h"

#include "search/MatchText.h"

#include <QList>

namespace quorvex {

bool MaskMatch(std::u32string_view upperName, std::u32string_view mask)
{
    std::u32string_view name = upperName;
    std::u32string withDot; // the working copy once a "." had to be appended
    size_t i = 0;
    size_t j = 0;
    bool ok = true;
    while (ok && j < mask.size() && (i < name.size() || mask[j] == U'*')) {
        const char32_t c = mask[j];
        if (c != U'*') {
            if (c != U'?' && c != name[i]) ok = false;
            ++i;
            ++j;
        } else if (j + 1 < mask.size()) {
            const char32_t next = mask[j + 1];
            const size_t found = name.find(next, i);
            if (found != std::u32string_view::npos) {
                i = found + 1;
            } else if (next == U'.' && name.find(U'.') == std::u32string_view::npos) {
                withDot.assign(name);
                withDot.push_back(U'.');
                name = withDot;
                i = name.size();
            } else {
                ok = false;
            }
            j += 2;
        } else {
            i = name.size();
            ++j;
        }
    }
    return ok && j == mask.size() && i == name.size();
}

bool MaskMatch(std::string_view storedName, std::u32string_view mask)
{
    thread_local std::u32string buffer;
    return MaskMatch(CodePointsForMatch(storedName, true, buffer), mask);
}

bool MaskMatch(const QString& name, const QString& mask)
{
    const QByteArray utf8 = name.toUtf8();
    return MaskMatch(std::string_view(utf8.constData(), size_t(utf8.size())), MaskPattern(mask));
}

std::u32string MaskPattern(const QString& mask)
{
    const QList<uint> ucs4 = mask.toUpper().toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

} // namespace quorvex
