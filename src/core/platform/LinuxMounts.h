#pragma once
// The mount table as the kernel shows it in /proc/self/mountinfo, and which of its
// entries are volumes a user would catalogue.

#include <QString>

#include <vector>

namespace quorvex {

struct TMountEntry {
    unsigned Major = 0;
    unsigned Minor = 0;
    QString Root; // the part of the file system that is mounted ("/" for all of it)
    QString MountPoint;
    QString Options; // per-mount options: "rw,relatime"
    QString FsType;  // "ext4", "vfat", "fuse.sshfs"
    QString Source;  // "/dev/sda1", "server:/export", "tmpfs"
    QString SuperOptions;
};

// Entries in table order; malformed lines are left out.
std::vector<TMountEntry> ParseMountInfo(const QByteArray& text);

bool IsNetworkFileSystem(const QString& fsType);
bool IsRamFileSystem(const QString& fsType);
// Kernel interfaces, container plumbing, system runtime folders: not a user's volume.
bool IsCataloguableMount(const TMountEntry& entry);
bool HasMountOption(const TMountEntry& entry, const QString& option);
bool HasMountOptionPrefix(const TMountEntry& entry, const QString& prefix);

} // namespace quorvex
