#include "platform/LinuxDrives.h"

#include "catalog/CatalogErrors.h"
#include "platform/VolumeProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <linux/fd.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>

namespace quorvex {

namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : m_fd(fd) {}
    ~TFileDescriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

bool IsBlockDeviceOrFile(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(Native(path).constData(), &st) == 0 &&
           (S_ISBLK(st.st_mode) || S_ISREG(st.st_mode));
}

QString BaseName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

// "\x20" and friends, as udev writes them in /dev/disk/by-label names.
QString DecodeUdevName(const QString& name)
{
    QByteArray in = name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

uint8_t FloppyTypeFromSectors(int64_t sectors)
{
    switch (sectors) {
    case 320:
    case 360:
    case 640:
    case 720:
        return 0; // 160 KB to 360 KB, 5.25"
    case 2400:
        return 1; // 1.2 MB
    case 1440:
        return 2; // 720 KB
    case 2880:
        return 7; // 1.44 MB
    case 5760:
        return 9; // 2.88 MB
    default:
        return 255;
    }
}

// The kernel's name of a file system from its magic number, for file systems the mount
// table does not show.
QString FileSystemTypeOf(const QString& folder)
{
    struct statfs fs {};
    if (::statfs(Native(folder).constData(), &fs) != 0) return QStringLiteral("unknown");
    struct TMagic {
        unsigned long Magic;
        const char* Name;
    };
    static const TMagic magics[] = {
        {0xEF53, "ext4"},          {0x58465342, "xfs"},     {0x9123683E, "btrfs"},
        {0x01021994, "tmpfs"},     {0x858458F6, "ramfs"},   {0x794C7630, "overlay"},
        {0x4D44, "vfat"},          {0x2011BAB0, "exfat"},   {0x5346544E, "ntfs"},
        {0x7366746E, "ntfs3"},     {0x9660, "iso9660"},     {0x15013346, "udf"},
        {0x73717368, "squashfs"},  {0xF2F52010, "f2fs"},    {0x2FC12FC1, "zfs"},
        {0x6969, "nfs"},           {0xFF534D42, "cifs"},    {0xFE534D42, "smb3"},
        {0x65735546, "fuse"},      {0x01021997, "9p"},      {0x52654973, "reiserfs"},
        {0x3153464A, "jfs"},       {0x24051905, "ubifs"},   {0x28CD3D45, "cramfs"},
    };
    for (const TMagic& m : magics)
        if ((unsigned long)(fs.f_type) == m.Magic) return QLatin1String(m.Name);
    return QStringLiteral("unknown");
}

} // namespace

TLinuxDrives::TLinuxDrives(TLinuxPaths paths) : m_paths(std::move(paths)) {}

QString TLinuxDrives::ReadSys(const QString& dir, const char* file) const
{
    if (dir.isEmpty()) return {};
    QFile f(dir + QLatin1Char('/') + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.read(4096)).trimmed();
}

int64_t TLinuxDrives::DiskSectors(const TEntry& e) const
{
    return ReadSys(e.DiskDir, "size").toLongLong();
}

std::vector<TLinuxDrives::TEntry> TLinuxDrives::Entries()
{
    std::vector<TEntry> entries;
    QSet<QString> ids;
    const auto uniqueId = [&ids](QString id) {
        if (id.isEmpty()) id = QStringLiteral("drive");
        QString candidate = id;
        for (int n = 2; ids.contains(candidate); ++n)
            candidate = id + QLatin1Char('-') + QString::number(n);
        ids.insert(candidate);
        return candidate;
    };

    QFile file(m_paths.MountInfo);
    const QByteArray table = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QSet<QString> seenDevices;
    QSet<QString> mountedDisks;
    std::vector<TMountEntry> mounts = ParseMountInfo(table);
    const size_t listed = mounts.size();
    mounts.insert(mounts.end(), m_madeFromFolders.begin(), m_madeFromFolders.end());
    for (size_t i = 0; i < mounts.size(); ++i) {
        const TMountEntry& m = mounts[i];
        const bool madeFromFolder = i >= listed;
        if (!madeFromFolder) {
            if (!IsCataloguableMount(m)) continue;
            // Files bind-mounted into containers are no drives. Shares are not looked at: a
            // server that went away would hang the listing.
            if (!IsNetworkFileSystem(m.FsType) && !QFileInfo(m.MountPoint).isDir()) continue;
            // One drive per volume: bind mounts repeat the device numbers.
            const QString device = QStringLiteral("%1:%2").arg(m.Major).arg(m.Minor);
            if (seenDevices.contains(device)) continue;
            seenDevices.insert(device);
        }

        TEntry e;
        e.Mount = m;
        e.MadeFromFolder = madeFromFolder;
        QString partName;
        if (m.Major != 0 || m.Source.startsWith(QLatin1Char('/'))) {
            unsigned major = m.Major;
            unsigned minor = m.Minor;
            struct stat st {};
            if (m.Source.startsWith(QLatin1Char('/')) &&
                ::stat(Native(m.Source).constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
                major = ::major(st.st_rdev);
                minor = ::minor(st.st_rdev);
            }
            const QString link =
                QStringLiteral("%1/dev/block/%2:%3").arg(m_paths.Sys).arg(major).arg(minor);
            const QString devDir = QFileInfo(link).canonicalFilePath();
            if (major != 0 && !devDir.isEmpty()) {
                partName = BaseName(devDir);
                e.DiskDir = QFileInfo::exists(devDir + QStringLiteral("/partition"))
                                ? QFileInfo(devDir).path()
                                : devDir;
                e.DiskName = BaseName(e.DiskDir);
                mountedDisks.insert(e.DiskName);
            }
            if (IsBlockDeviceOrFile(m.Source))
                e.DevicePath = m.Source;
            else if (!partName.isEmpty())
                e.DevicePath = m_paths.Dev + QLatin1Char('/') + partName;
        }
        QString id;
        if (m.Source.startsWith(m_paths.Dev + QLatin1Char('/')))
            id = BaseName(m.Source);
        else if (!partName.isEmpty())
            id = partName;
        else if (m.MountPoint == QLatin1String("/"))
            id = QStringLiteral("root");
        else
            id = BaseName(m.MountPoint);
        e.Drive = {uniqueId(id), m.MountPoint};
        entries.push_back(e);
    }

    // Removable and optical devices without a mounted medium are drives too: not ready.
    const QDir block(m_paths.Sys + QStringLiteral("/block"));
    for (const QString& name :
         block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
        if (mountedDisks.contains(name)) continue;
        const QString dir = QFileInfo(block.filePath(name)).canonicalFilePath();
        const bool optical = name.startsWith(QLatin1String("sr"));
        const bool floppy = name.startsWith(QLatin1String("fd"));
        if (!optical && !floppy && ReadSys(dir, "removable") != QLatin1String("1")) continue;
        TEntry e;
        e.DiskDir = dir;
        e.DiskName = name;
        e.DevicePath = m_paths.Dev + QLatin1Char('/') + name;
        e.Drive = {uniqueId(name), QString()};
        entries.push_back(e);
    }
    return entries;
}

std::vector<TDrive> TLinuxDrives::List()
{
    std::vector<TDrive> drives;
    for (const TEntry& e : Entries())
        drives.push_back(e.Drive);
    return drives;
}

std::optional<TLinuxDrives::TEntry> TLinuxDrives::Find(const QString& id)
{
    for (TEntry& e : Entries())
        if (e.Drive.Id == id) return e;
    return std::nullopt;
}

TDriveType TLinuxDrives::DriveType(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    if (!e) return dtNoRootDir;
    if (e->Mount && IsNetworkFileSystem(e->Mount->FsType)) return dtRemote;
    if (e->Mount && IsRamFileSystem(e->Mount->FsType)) return dtRamDisk;
    const QString& disk = e->DiskName;
    if (disk.isEmpty()) return dtFixed;
    if (disk.startsWith(QLatin1String("sr"))) return dtCDROM;
    if (disk.startsWith(QLatin1String("zram")) || disk.startsWith(QLatin1String("ram")))
        return dtRamDisk;
    if (disk.startsWith(QLatin1String("fd")) ||
        ReadSys(e->DiskDir, "removable") == QLatin1String("1"))
        return dtRemovable;
    return dtFixed;
}

std::optional<TFreeSpace> TLinuxDrives::FreeSpace(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || !e->Mount) return std::nullopt;
    struct statvfs vfs {};
    if (::statvfs(Native(e->Mount->MountPoint).constData(), &vfs) != 0) return std::nullopt;
    const int64_t frsize = int64_t(vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize);
    if (frsize <= 0) return std::nullopt;
    int64_t sector = ReadSys(e->DiskDir, "queue/logical_block_size").toLongLong();
    if (sector <= 0) sector = 512;
    TFreeSpace space;
    if (frsize >= sector && frsize % sector == 0) {
        space.BytesPerSector = sector;
        space.SectorsPerCluster = frsize / sector;
    } else {
        space.BytesPerSector = frsize;
        space.SectorsPerCluster = 1;
    }
    space.TotalClusters = int64_t(vfs.f_blocks);
    space.FreeClusters = int64_t(vfs.f_bavail);
    space.TotalBytes = space.TotalClusters * frsize;
    space.FreeBytes = space.FreeClusters * frsize;
    return space;
}

std::optional<TVolumeInfo> TLinuxDrives::VolumeInfo(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || !e->Mount) return std::nullopt;
    const TMountEntry& m = *e->Mount;
    struct statvfs vfs {};
    if (::statvfs(Native(m.MountPoint).constData(), &vfs) != 0) return std::nullopt;

    TVolumeInfo info;
    info.MaxComponentLength = uint32_t(vfs.f_namemax);
    if (HasMountOptionPrefix(m, QStringLiteral("compress")))
        info.FileSystemFlags |= fsfCompressedVolume;

    std::optional<TProbedVolume> probed;
    if (IsBlockDeviceOrFile(e->DevicePath)) probed = ProbeVolume(e->DevicePath);
    if (!probed && !e->DevicePath.isEmpty()) {
        // Without read access to the device, udev's links still tell label and UUID.
        TProbedVolume v;
        v.Type = m.FsType;
        const QString target = QFileInfo(e->DevicePath).canonicalFilePath();
        const auto linkNamed = [&](const char* kind) {
            const QDir dir(m_paths.Dev + QStringLiteral("/disk/") + QLatin1String(kind));
            for (const QFileInfo& link : dir.entryInfoList(QDir::Files | QDir::System))
                if (!target.isEmpty() && link.canonicalFilePath() == target)
                    return DecodeUdevName(link.fileName());
            return QString();
        };
        v.Uuid = linkNamed("by-uuid");
        v.Label = linkNamed("by-label");
        if (v.Type == QLatin1String("vfat") && vfs.f_blocks >= 65525)
            v.Version = QStringLiteral("FAT32");
        probed = v;
    }
    if (probed) {
        info.Label = probed->Label;
        info.Serial = FoldVolumeSerial(probed->Type, probed->Uuid);
        info.FileSystem = FileSystemName(probed->Type, probed->Version);
    } else {
        // Shares and memory file systems: no superblock to read. A share is known by its
        // source, so it keeps one serial number wherever it is mounted.
        info.FileSystem = FileSystemName(m.FsType, QString());
        if (IsNetworkFileSystem(m.FsType)) info.Serial = TextSerial(m.Source);
    }
    return info;
}

uint8_t TLinuxDrives::DeviceType(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || e->DiskDir.isEmpty()) return 255;
    return FloppyTypeFromSectors(DiskSectors(*e));
}

QString TLinuxDrives::ProductId(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    return e ? ReadSys(e->DiskDir, "device/model") : QString();
}

bool TLinuxDrives::Eject(const QString& id)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || e->DiskName.isEmpty()) return false;
    const TDriveType type = DriveType(id);
    if (type != dtCDROM && type != dtRemovable) return false;

    // Another mounted partition of the same disk keeps it in.
    QSet<QString> diskDevices{ReadSys(e->DiskDir, "dev")};
    for (const QFileInfo& part : QDir(e->DiskDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (QFileInfo::exists(part.filePath() + QStringLiteral("/partition")))
            diskDevices.insert(ReadSys(part.filePath(), "dev"));
    QFile file(m_paths.MountInfo);
    if (!file.open(QIODevice::ReadOnly)) return false;
    for (const TMountEntry& m : ParseMountInfo(file.readAll())) {
        if (e->Mount && m.MountPoint == e->Mount->MountPoint) continue;
        if (diskDevices.contains(QStringLiteral("%1:%2").arg(m.Major).arg(m.Minor))) return false;
    }

    const QByteArray node = Native(m_paths.Dev + QLatin1Char('/') + e->DiskName);
    TFileDescriptor fd(::open(node.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) return false;
    if (e->Mount) {
        ::sync();
        if (::umount2(Native(e->Mount->MountPoint).constData(), 0) != 0) return false;
    }
    const unsigned long request =
        e->DiskName.startsWith(QLatin1String("fd")) ? FDEJECT : CDROMEJECT;
    return ::ioctl(fd.Get(), request, 0) == 0;
}

bool TLinuxDrives::WriteSerial(const QString& id, uint32_t serial)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || !e->Mount || e->DevicePath.isEmpty()) return false;
    if (HasMountOption(*e->Mount, QStringLiteral("ro"))) return false;
    const std::optional<TVolumeInfo> info = VolumeInfo(id);
    // Only FAT12 and FAT16 keep the serial at 0x27 of the boot sector.
    if (!info || info->FileSystem != QLatin1String("FAT")) return false;

    TFileDescriptor fd(::open(Native(e->DevicePath).constData(), O_RDWR | O_CLOEXEC));
    if (!fd.IsOpen()) return false;
    std::array<unsigned char, 512> boot{};
    if (::pread(fd.Get(), boot.data(), boot.size(), 0) != ssize_t(boot.size())) throw EAbort();
    // The serial field exists only in a boot sector with the extended signature.
    if (boot[510] != 0x55 || boot[511] != 0xAA || boot[0x26] != 0x29) return false;
    for (int i = 0; i < 4; ++i)
        boot[0x27 + i] = uint8_t(serial >> (8 * i));
    if (::pwrite(fd.Get(), boot.data(), boot.size(), 0) != ssize_t(boot.size()) ||
        ::fsync(fd.Get()) != 0)
        throw EAbort();
    return true;
}

std::optional<TDrive> TLinuxDrives::DriveForFolder(const QString& folder)
{
    struct stat st {};
    if (folder.isEmpty() || ::stat(Native(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    // The file system's top as far as this process sees it: the last parent on the same device.
    QString top = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (top != QLatin1String("/")) {
        const QString parent = QFileInfo(top).path();
        struct stat up {};
        if (::stat(Native(parent).constData(), &up) != 0 || up.st_dev != st.st_dev) break;
        top = parent;
    }
    const auto known = [&] {
        for (const TEntry& e : Entries())
            if (e.MadeFromFolder && e.Mount->MountPoint == top) return std::optional(e.Drive);
        return std::optional<TDrive>();
    };
    if (std::optional<TDrive> drive = known()) return drive;

    TMountEntry m;
    m.Major = ::major(st.st_dev);
    m.Minor = ::minor(st.st_dev);
    m.Root = QStringLiteral("/");
    m.MountPoint = top;
    m.FsType = FileSystemTypeOf(top);
    const QString devDir =
        QFileInfo(QStringLiteral("%1/dev/block/%2:%3").arg(m_paths.Sys).arg(m.Major).arg(m.Minor))
            .canonicalFilePath();
    m.Source = devDir.isEmpty() ? m.FsType : m_paths.Dev + QLatin1Char('/') + BaseName(devDir);
    m_madeFromFolders.push_back(m);
    return known();
}

bool TLinuxDrives::FolderExists(const QString& id, const QString& path)
{
    const std::optional<TEntry> e = Find(id);
    if (!e || !e->Mount) return false;
    QString relative = path;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(e->Mount->MountPoint + QLatin1Char('/') + relative).isDir();
}

} // namespace quorvex
