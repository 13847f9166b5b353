#include "platform/VolumeProbe.h"

#include <QDateTime>
#include <QStringList>

#include <blkid.h>

#include <cctype>

namespace quorvex {

namespace {

QString LookupValue(blkid_probe probe, const char* name)
{
    const char* data = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || !data) return {};
    // length counts the terminating zero.
    if (length > 0 && data[length - 1] == '\0') --length;
    return QString::fromUtf8(data, qsizetype(length));
}

std::optional<uint32_t> IsoTimeSerial(const QString& uuid)
{
    const QStringList parts = uuid.split(QLatin1Char('-'));
    if (parts.size() != 7) return std::nullopt;
    int v[7];
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok) return std::nullopt;
    }
    const QDate date(v[0], v[1], v[2]);
    const QTime time(v[3], v[4], v[5]);
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return uint32_t(QDateTime(date, time, Qt::UTC).toSecsSinceEpoch());
}

} // namespace

// 32-bit FNV-1a of the UTF-8 text.
uint32_t TextSerial(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    uint32_t h = 2166136261u;
    for (char c : bytes) {
        h ^= uint8_t(c);
        h *= 16777619u;
    }
    return h;
}

std::optional<TProbedVolume> ProbeVolume(const QString& path)
{
    const QByteArray name = path.toLocal8Bit();
    blkid_probe probe = blkid_new_probe_from_filename(name.constData());
    if (!probe) return std::nullopt;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID |
                                                 BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
    std::optional<TProbedVolume> result;
    if (blkid_do_safeprobe(probe) == 0) {
        TProbedVolume v;
        v.Type = LookupValue(probe, "TYPE");
        v.Version = LookupValue(probe, "VERSION");
        v.Label = LookupValue(probe, "LABEL");
        v.Uuid = LookupValue(probe, "UUID");
        if (!v.Type.isEmpty()) result = v;
    }
    blkid_free_probe(probe);
    return result;
}

uint32_t FoldVolumeSerial(const QString& type, const QString& uuid)
{
    if (uuid.isEmpty()) return 0;
    if (type == QLatin1String("iso9660"))
        if (const std::optional<uint32_t> t = IsoTimeSerial(uuid)) return *t;
    QString hex = uuid;
    hex.remove(QLatin1Char('-'));
    bool allHex = !hex.isEmpty();
    for (QChar c : hex)
        allHex = allHex && c.unicode() < 128 && std::isxdigit(c.unicode());
    if (!allHex) return TextSerial(uuid);
    if (type == QLatin1String("ntfs") && hex.size() == 16) return hex.right(8).toUInt(nullptr, 16);
    uint32_t folded = 0;
    for (qsizetype i = 0; i < hex.size(); i += 8)
        folded ^= hex.mid(i, 8).leftJustified(8, QLatin1Char('0')).toUInt(nullptr, 16);
    return folded;
}

QString FileSystemName(const QString& type, const QString& version)
{
    if (type == QLatin1String("vfat") || type == QLatin1String("msdos") ||
        type == QLatin1String("fat"))
        return version == QLatin1String("FAT32") ? QStringLiteral("FAT32") : QStringLiteral("FAT");
    if (type == QLatin1String("iso9660")) return QStringLiteral("CDFS");
    if (type == QLatin1String("ntfs3") || type == QLatin1String("ntfs"))
        return QStringLiteral("NTFS");
    QString name = type;
    if (name.startsWith(QLatin1String("fuse."))) name = name.mid(5);
    return name.toUpper().left(8);
}

} // namespace quorvex
