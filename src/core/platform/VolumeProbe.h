#pragma once
// What a volume's own superblock says about it, read with libblkid, and how that becomes
// the label, 32-bit serial number and file-system name of a Disk.

#include <QString>

#include <cstdint>
#include <optional>

namespace quorvex {

struct TProbedVolume {
    QString Type;    // libblkid's name: "vfat", "iso9660", "ext4"
    QString Version; // "FAT12", "FAT16", "FAT32" for vfat; may be empty
    QString Label;
    QString Uuid;
};

// Probes a block device or an image file; nullopt when unreadable or no file system found.
std::optional<TProbedVolume> ProbeVolume(const QString& path);

// The serial number of a volume from its UUID text:
// - "1A2B-3C4D" (FAT, exFAT: the volume ID itself) -> 0x1A2B3C4D;
// - ntfs: the low 32 bits of its 64-bit serial, as other systems show it;
// - iso9660: its creation time "YYYY-MM-DD-HH-MM-SS-cc" as seconds since 1970 (UTC);
// - other hexadecimal UUIDs: the exclusive or of their 32-bit groups;
// - anything else: TextSerial of the text. Empty gives 0.
uint32_t FoldVolumeSerial(const QString& type, const QString& uuid);

// A serial number for a volume known only by a name (a network share's source).
uint32_t TextSerial(const QString& text);

// The file-system name a Disk records: "FAT" (FAT12/16), "FAT32", "CDFS", "UDF", "NTFS",
// otherwise the type in capitals without a "fuse." prefix, at most 8 characters.
QString FileSystemName(const QString& type, const QString& version);

} // namespace quorvex
