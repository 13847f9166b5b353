#include "browser/DisplayText.h"

#include <QDir>
#include <QStringDecoder>

namespace quorvex {

namespace {

// 0x80..0x9F of Windows-1252; 0 where the code page leaves a hole.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

QString DisplayText(std::string_view bytes)
{
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    text.resize(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const char16_t high = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : 0;
        text[static_cast<qsizetype>(i)] = QChar(high ? high : char16_t(b));
    }
    return text;
}

QString PathText(std::string_view catalogPath)
{
    QString text = DisplayText(catalogPath);
    text.replace(QLatin1Char('\\'), QDir::separator());
    return text;
}

std::string StoredText(const QString& text) { return text.toStdString(); }

} // namespace quorvex
