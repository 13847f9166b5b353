#include "search/FileTypes.h"

#include "search/ExtensionList.h"

#include <QMimeDatabase>

#include <algorithm>
#include <map>

namespace quorvex {

std::vector<TFileType> RegisteredFileTypes()
{
    std::map<QString, size_t> byName;
    std::vector<TFileType> types;
    const QMimeDatabase db;
    for (const QMimeType& mime : db.allMimeTypes()) {
        const QString name = mime.comment().trimmed();
        const QStringList suffixes = mime.suffixes();
        if (name.isEmpty() || suffixes.isEmpty()) continue;
        auto [it, added] = byName.try_emplace(name, types.size());
        if (added) types.push_back({name, {}});
        QString& list = types[it->second].Extensions;
        for (const QString& suffix : suffixes) {
            const QString entry = u'.' + suffix + QChar(ExtensionEnd);
            if (!list.contains(entry)) list += entry;
        }
    }
    std::sort(types.begin(), types.end(), [](const TFileType& a, const TFileType& b) {
        return a.Name.localeAwareCompare(b.Name) < 0;
    });
    return types;
}

} // namespace quorvex
