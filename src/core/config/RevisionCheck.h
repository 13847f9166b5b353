#pragma once
// The store revision check at start: a store not marked with this program's revision is
// deleted, so the program starts from its defaults.

namespace quorvex {

class ISettingsStore;

constexpr unsigned char SettingsRevision = 2;
inline constexpr char RevisionMarkerValue[] = "RevisionMarker";

struct TRevisionCheck {
    bool MarkerPresent = false; // a one-byte marker was read: the settings count as present
    bool StoreDeleted = false;
};

// Deletes the whole store unless it exists and its marker is SettingsRevision. Whether the
// marker was present decides the first-run logic at start-up.
TRevisionCheck RunRevisionCheck(ISettingsStore& store);
bool WriteRevisionMarker(ISettingsStore& store);

} // namespace quorvex
