#include "scan/NameCase.h"

#include <QByteArrayView>
#include <QString>

namespace quorvex
{

namespace
{

bool IsAsciiLower(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

void LowerAsciiTail(std::string& name)
{
    for (size_t i = 1; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z' && name[i - 1] != '\\') name[i] = static_cast<char>(c + 32);
    }
}

} // namespace

void ApplyNameCaseRule(std::string& name)
{
    if (name.size() < 2) return;
    bool ascii = true;
    for (const char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (IsAsciiLower(c)) return;
        ascii &= c < 0x80;
    }
    // Bytes that are not UTF-8 are kept as they are; only their ASCII letters follow the rule.
    if (ascii || !QByteArrayView(name).isValidUtf8()) {
        LowerAsciiTail(name);
        return;
    }
    const QString text = QString::fromStdString(name);
    if (text.size() < 2) return;
    for (const QChar c : text)
        if (c.isLower()) return;
    QString result;
    result.reserve(text.size());
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\\', start);
        if (end < 0) end = text.size();
        const QString part = text.mid(start, end - start);
        const qsizetype head =
            !part.isEmpty() && part.at(0).isHighSurrogate() && part.size() > 1 ? 2 : 1;
        result += part.left(head) + part.mid(head).toLower();
        if (end < text.size()) result += u'\\';
        start = end + 1;
    }
    name = result.toStdString();
}

} // namespace quorvex
