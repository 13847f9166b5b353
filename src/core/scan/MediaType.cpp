#include "scan/MediaType.h"

#include "catalog/ItemRecords.h"
#include "platform/Drives.h"

#include <QHash>

#include <iterator>

namespace quorvex {

QString MediaTypeName(uint8_t mediaType, uint8_t kindFlags)
{
    static const char* const names[] = {
        "Floppy 5.25\" DD", "Floppy 5.25\" HD", "Floppy 3.5\" DD", "Floppy 8\" SD",
        "Floppy 8\" DD",    "Hard disk",        "Tape drive",      "Floppy 3.5\" HD",
        "Optical drive",    "Floppy 3.5\" EHD", "CD-ROM",          "Network drive",
        "RAM disk",         "Removable drive",  "iomega ZIP 100",  "iomega JAZ 1GB",
    };
    QString name = QString::fromLatin1(mediaType < std::size(names) ? names[mediaType] : "Unknown");
    if (kindFlags & ifVirtualRoot) name.prepend(QLatin1String("Virtual "));
    return name;
}

bool StrictlyCompatible(uint8_t a, uint8_t b)
{
    if (a == b) return true;
    const auto zipOrJaz = [](uint8_t t) { return t == mtZip100 || t == mtJaz1GB; };
    return (a == mtRemovable && zipOrJaz(b)) || (b == mtRemovable && zipOrJaz(a));
}

bool DriveCompatible(uint8_t a, uint8_t b)
{
    const auto wide = [](uint8_t t) {
        return t == mtFloppy525DD || t == mtFloppy525HD || t == mtFloppy8SD || t == mtFloppy8DD;
    };
    const auto small = [](uint8_t t) {
        return t == mtFloppy35DD || t == mtFloppy35HD || t == mtFloppy35EHD;
    };
    return StrictlyCompatible(a, b) || (wide(a) && wide(b)) || (small(a) && small(b));
}

bool IsRemovableMediaType(uint8_t mediaType)
{
    return mediaType != mtHardDisk && mediaType != mtNetwork && mediaType != mtRamDisk;
}

bool IsFloppyMediaType(uint8_t t)
{
    return t <= mtFloppy8DD || t == mtFloppy35HD || t == mtFloppy35EHD;
}

uint8_t RemovableTypeFromProduct(const QString& productId)
{
    const QString head = productId.left(7);
    if (head.compare(QLatin1String("ZIP 100"), Qt::CaseInsensitive) == 0) return mtZip100;
    if (head.compare(QLatin1String("JAZ 1GB"), Qt::CaseInsensitive) == 0) return mtJaz1GB;
    return mtRemovable;
}

namespace {

struct TMediaTypeCache {
    uint64_t Generation = 0;
    QHash<QString, uint8_t> Types;
};

TMediaTypeCache& Cache()
{
    static TMediaTypeCache cache;
    if (cache.Generation != DrivesGeneration()) {
        cache.Types.clear();
        cache.Generation = DrivesGeneration();
    }
    return cache;
}

} // namespace

void ClearMediaTypeCache()
{
    Cache().Types.clear();
}

uint8_t DriveMediaType(const QString& drive)
{
    IDrives& drives = Drives();
    const TDriveType type = drives.DriveType(drive);
    switch (type) {
    case dtFixed:
        return mtHardDisk;
    case dtRemote:
        return mtNetwork;
    case dtCDROM:
        return mtCDROM;
    case dtRamDisk:
        return mtRamDisk;
    default:
        break;
    }
    TMediaTypeCache& cache = Cache();
    const QString key = drive.toUpper();
    if (const auto it = cache.Types.constFind(key); it != cache.Types.constEnd() && *it < 128)
        return *it;
    uint8_t answer = drives.DeviceType(drive);
    if (type == dtRemovable && !IsFloppyMediaType(answer))
        answer = RemovableTypeFromProduct(drives.ProductId(drive));
    cache.Types.insert(key, answer);
    return answer;
}

} // namespace quorvex
