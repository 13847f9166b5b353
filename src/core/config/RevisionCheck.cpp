#include "config/RevisionCheck.h"

#include "platform/SettingsStore.h"

namespace quorvex {

TRevisionCheck RunRevisionCheck(ISettingsStore& store)
{
    TRevisionCheck result;
    const QString root;
    const bool exists = store.KeyExists(root);
    const auto marker = store.ReadBinaryOfSize(root, QLatin1String(RevisionMarkerValue), 1);
    result.MarkerPresent = marker.has_value();
    if (!(exists && marker && uint8_t((*marker)[0]) == SettingsRevision)) {
        result.StoreDeleted = exists;
        store.DeleteKey(root);
        store.Flush();
    }
    return result;
}

bool WriteRevisionMarker(ISettingsStore& store)
{
    return store.WriteBinary(QString(), QLatin1String(RevisionMarkerValue),
                             QByteArray(1, char(SettingsRevision)));
}

} // namespace quorvex
