#pragma once
// The program-wide icon indexes: the standard icons, drive icons by media type, and file icons
// looked up once per extension. What an index looks like is the GUI's business.

#include "catalog/ItemRecords.h"

#include <QHash>
#include <QString>

#include <functional>

namespace quorvex {

enum TStandardIcon : int {
    siDefault = 0,
    siApplication,
    siFolderClosed,
    siFolderOpen,
    siHardDisk,
    siCdRom,
    siFloppy35,
    siFloppy525,
    siNetwork,
    siUnnamed,
    siRemovable,
    siRamDisk,
    siCatalog,
    siTape,
    siZipDrive,
    siJazDrive,
    siBack,
    siSetup,
    siArchiveClosed,
    siArchiveOpen,
    siVirtual,
    StandardIconCount
};

int GetDriveIcon(uint8_t mediaType, uint8_t kindFlags);

class TIconList {
public:
    struct TLookup {
        int Index = siDefault; // siDefault: nothing better known, not cached
        QString TypeName;
    };
    // Resolves "." + extension to an icon index (appending the icon where needed).
    std::function<TLookup(const QString& dotExtension)> LookupExtension;

    int AddIcon(const QString& fileName);
    // Whether the extension is cached; when it is, its type name becomes current.
    bool FindExt(const QString& extension);
    const QString& CurrentTypeName() const { return m_currentTypeName; }
    int CachedCount() const { return static_cast<int>(m_entries.size()); }

private:
    struct TEntry {
        int Index;
        QString TypeName;
    };
    QHash<QString, TEntry> m_entries; // extension in lower case
    QString m_currentTypeName = QStringLiteral("(unknown)");
};

// The image of an item in the lists and the tree; a file's index is looked up once and kept
// in its record.
int ItemImage(TItemRec* rec, TIconList& icons, bool expanded = false);

} // namespace quorvex
