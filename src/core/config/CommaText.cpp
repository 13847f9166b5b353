#include "config/CommaText.h"

namespace quorvex {

static bool NeedsQuotes(const QString& entry)
{
    if (entry.isEmpty()) return false;
    for (QChar c : entry)
        if (c <= QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char('"')) return true;
    return false;
}

QString ToCommaText(const QStringList& entries)
{
    // A single empty entry needs quotes, or it would read back as no entry at all.
    if (entries.size() == 1 && entries.front().isEmpty()) return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(entries.size());
    for (const QString& entry : entries) {
        if (!NeedsQuotes(entry)) {
            parts.append(entry);
            continue;
        }
        QString quoted = entry;
        quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
        parts.append(QLatin1Char('"') + quoted + QLatin1Char('"'));
    }
    return parts.join(QLatin1Char(','));
}

QStringList FromCommaText(const QString& text)
{
    QStringList entries;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && text[i] <= QLatin1Char(' ')) ++i;
    };
    skipBlanks();
    while (i < n) {
        QString entry;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        entry += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += text[i++];
            }
        } else {
            while (i < n && text[i] > QLatin1Char(' ') && text[i] != QLatin1Char(','))
                entry += text[i++];
        }
        entries.append(entry);
        skipBlanks();
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i == n) entries.append(QString()); // a trailing comma ends an empty entry
        }
    }
    return entries;
}

} // namespace quorvex
