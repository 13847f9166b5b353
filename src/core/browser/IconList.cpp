#include "browser/IconList.h"

#include "browser/BackItem.h"
#include "browser/DisplayText.h"
#include "browser/ItemText.h"
#include "catalog/ItemRoutines.h"

namespace quorvex {

int GetDriveIcon(uint8_t mediaType, uint8_t kindFlags)
{
    if (kindFlags & ifVirtualRoot) return siVirtual;
    switch (mediaType) {
    case 0: case 1: case 3: case 4: return siFloppy525;
    case 2: case 7: case 9: return siFloppy35;
    case 6: return siTape;
    case 8: case 10: return siCdRom;
    case 11: return siNetwork;
    case 12: return siRamDisk;
    case 13: return siRemovable;
    case 14: return siZipDrive;
    case 15: return siJazDrive;
    default: return siHardDisk;
    }
}

int TIconList::AddIcon(const QString& fileName)
{
    const QString base = fileName.mid(fileName.lastIndexOf('\\') + 1);
    if (base.compare("setup.exe", Qt::CaseInsensitive) == 0 || base.compare("install.exe", Qt::CaseInsensitive) == 0)
        return siSetup;
    const QString ext = ExtensionOf(base).toLower();
    if (auto it = m_entries.constFind(ext); it != m_entries.constEnd()) return it->Index;
    if (ext == "exe") {
        m_entries.insert(ext, {siApplication, QStringLiteral("Application")});
        return siApplication;
    }
    const TLookup found = LookupExtension ? LookupExtension("." + ext) : TLookup{};
    if (found.Index != siDefault) m_entries.insert(ext, {found.Index, found.TypeName});
    return found.Index;
}

bool TIconList::FindExt(const QString& extension)
{
    auto it = m_entries.constFind(extension.toLower());
    if (it == m_entries.constEnd()) return false;
    m_currentTypeName = it->TypeName.isEmpty() ? QStringLiteral("(unknown)") : it->TypeName;
    return true;
}

int ItemImage(TItemRec* rec, TIconList& icons, bool expanded)
{
    if (!rec) return siDefault;
    if (IsBackItem(rec)) return siBack;
    switch (ItemKind(rec->KindFlags)) {
    case ikFile: {
        auto* file = static_cast<TFileRec*>(rec);
        if (file->IconIndex < 0) file->IconIndex = static_cast<int16_t>(icons.AddIcon(DisplayText(file->Name())));
        return file->IconIndex;
    }
    case ikFolder:
        if (rec->KindFlags & ifArchive) return expanded ? siArchiveOpen : siArchiveClosed;
        return expanded ? siFolderOpen : siFolderClosed;
    case ikDisk: return GetDriveIcon(static_cast<TDiskRec*>(rec)->MediaType, rec->KindFlags);
    case ikCatalog: return siCatalog;
    default: return siDefault;
    }
}

} // namespace quorvex
