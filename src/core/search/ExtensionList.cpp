#include "search/ExtensionList.h"

#include "search/MatchText.h"

#include <QStringList>

namespace quorvex {

namespace {

QString ExtensionPiece(QString piece)
{
    const qsizetype dot = piece.lastIndexOf(u'.');
    if (dot >= 0) piece = piece.mid(dot + 1);
    piece.remove(u' ');
    return piece;
}

} // namespace

QString ExtensionListString(const QString& typed)
{
    QString list;
    for (const QString& raw : typed.split(u',')) {
        const QString piece = ExtensionPiece(raw.trimmed());
        if (piece.isEmpty()) continue;
        list += u'.' + piece + QChar(ExtensionEnd);
    }
    return list;
}

QString NormalizeExtensionText(const QString& typed)
{
    QStringList pieces;
    for (const QString& raw : typed.split(u',')) pieces << ExtensionPiece(raw);
    return pieces.join(u',');
}

std::string ExtensionKey(std::string_view name, std::string& buffer)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string key(TextForMatch(name.substr(dot), true, buffer));
    key.push_back(ExtensionEnd);
    return key;
}

} // namespace quorvex
