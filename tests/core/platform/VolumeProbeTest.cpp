#include "platform/LinuxMounts.h"
#include "platform/VolumeProbe.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;

static QString Fixture(const char* name)
{
    return QStringLiteral(QUORVEX_FIXTURES "/drives/") + QLatin1String(name);
}

TEST(VolumeProbe, ReadsTheTestImages)
{
    const std::optional<TProbedVolume> fat = ProbeVolume(Fixture("fat12.img"));
    ASSERT_TRUE(fat);
    EXPECT_EQ(fat->Type, "vfat");
    EXPECT_EQ(fat->Version, "FAT12");
    EXPECT_EQ(fat->Label, "BACKUP 1");
    EXPECT_EQ(fat->Uuid, "1A2B-3C4D");
    EXPECT_EQ(FoldVolumeSerial(fat->Type, fat->Uuid), 0x1A2B3C4Du);
    EXPECT_EQ(FileSystemName(fat->Type, fat->Version), "FAT");

    const std::optional<TProbedVolume> cd = ProbeVolume(Fixture("cd.iso"));
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->Type, "iso9660");
    EXPECT_EQ(cd->Label, "MYCD");
    EXPECT_EQ(FileSystemName(cd->Type, cd->Version), "CDFS");
    // The image's creation time, as make_fixtures.sh wrote it.
    EXPECT_EQ(cd->Uuid, "2026-12-10-10-50-25-00");
    const QDateTime made(QDate(2026, 12, 10), QTime(10, 50, 25), Qt::UTC);
    EXPECT_EQ(FoldVolumeSerial(cd->Type, cd->Uuid), uint32_t(made.toSecsSinceEpoch()));

    const std::optional<TProbedVolume> ext = ProbeVolume(Fixture("ext2.img"));
    ASSERT_TRUE(ext);
    EXPECT_EQ(ext->Type, "ext2");
    EXPECT_EQ(ext->Label, "Data Disk");
    EXPECT_EQ(FoldVolumeSerial(ext->Type, ext->Uuid), 0x028C2537u);
    EXPECT_EQ(FileSystemName(ext->Type, ext->Version), "EXT2");
}

TEST(VolumeProbe, NothingToFind)
{
    EXPECT_FALSE(ProbeVolume(Fixture("make_fixtures.sh")));
    EXPECT_FALSE(ProbeVolume(Fixture("no-such-image")));
    QTemporaryDir dir;
    EXPECT_FALSE(ProbeVolume(dir.path()));
    QFile empty(dir.filePath("empty.img"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_FALSE(ProbeVolume(empty.fileName()));
}

TEST(VolumeSerial, FoldingRules)
{
    const struct {
        const char* type;
        const char* uuid;
        uint32_t serial;
    } cases[] = {
        {"vfat", "1A2B-3C4D", 0x1A2B3C4D},
        {"exfat", "0A0B-0C0D", 0x0A0B0C0D},
        {"ntfs", "0123456789ABCDEF", 0x89ABCDEF},
        {"udf", "0123456789ABCDEF", 0x01234567 ^ 0x89ABCDEF},
        {"ext4", "3f2504e0-4f89-11d3-9a0c-0305e82c3301", 0x028C2537},
        {"xfs", "abc", 0xABC00000},
        {"iso9660", "1970-01-01-00-01-40-00", 100},
        {"iso9660", "2106-02-07-06-28-15-99", 0xFFFFFFFF},
        {"ext4", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldVolumeSerial(c.type, c.uuid), c.serial) << c.type << " " << c.uuid;
    // A malformed ISO date is folded like any other UUID.
    EXPECT_EQ(FoldVolumeSerial("iso9660", "2026-13-40-10-50-25-00"),
              FoldVolumeSerial("udf", "2026-13-40-10-50-25-00"));
    EXPECT_EQ(FoldVolumeSerial("zfs", "tank/home"), TextSerial("tank/home"));
    EXPECT_NE(TextSerial("server:/a"), TextSerial("server:/b"));
}

TEST(FileSystemNames, AsDisksRecordThem)
{
    EXPECT_EQ(FileSystemName("vfat", "FAT16"), "FAT");
    EXPECT_EQ(FileSystemName("vfat", "FAT32"), "FAT32");
    EXPECT_EQ(FileSystemName("msdos", ""), "FAT");
    EXPECT_EQ(FileSystemName("ntfs3", ""), "NTFS");
    EXPECT_EQ(FileSystemName("udf", ""), "UDF");
    EXPECT_EQ(FileSystemName("fuse.sshfs", ""), "SSHFS");
    EXPECT_EQ(FileSystemName("nilfs2-with-long-name", ""), "NILFS2-W");
}

TEST(MountInfo, ParsesFieldsAndEscapes)
{
    const QByteArray text = "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard\n"
                            "30 26 8:17 / /media/me/MY\\040DISK rw,nosuid shared:5 master:1 - vfat "
                            "/dev/sdb1 rw,fmask=0022\n"
                            "garbage line\n"
                            "31 26 0:50 /sub /mnt/x rw - nfs4 server:/export\n"
                            "\n";
    const std::vector<TMountEntry> m = ParseMountInfo(text);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].MountPoint, "/");
    EXPECT_EQ(m[0].Major, 254u);
    EXPECT_EQ(m[1].MountPoint, "/media/me/MY DISK");
    EXPECT_EQ(m[1].FsType, "vfat");
    EXPECT_EQ(m[1].Source, "/dev/sdb1");
    EXPECT_EQ(m[1].Minor, 17u);
    EXPECT_EQ(m[1].SuperOptions, "rw,fmask=0022");
    EXPECT_TRUE(HasMountOption(m[1], "nosuid"));
    EXPECT_FALSE(HasMountOption(m[1], "ro"));
    EXPECT_EQ(m[2].Root, "/sub");
    EXPECT_EQ(m[2].Source, "server:/export");
    EXPECT_TRUE(m[2].SuperOptions.isEmpty());
}

TEST(MountInfo, WhichMountsAreDrives)
{
    const struct {
        const char* mountPoint;
        const char* type;
        bool drive;
    } cases[] = {
        {"/", "overlay", true},
        {"/home", "ext4", true},
        {"/media/me/STICK", "vfat", true},
        {"/run/media/me/STICK", "vfat", true},
        {"/mnt/share", "cifs", true},
        {"/tmp", "tmpfs", true},
        {"/proc", "proc", false},
        {"/sys/fs/cgroup/cpu", "cgroup", false},
        {"/dev/shm", "tmpfs", false},
        {"/run/user/1000", "tmpfs", false},
        {"/var/lib/docker/overlay2/x/merged", "overlay", false},
        {"/snap/core/123", "squashfs", false},
        {"/mnt/image", "squashfs", true},
        {"/proc/sys/fs/binfmt_misc", "binfmt_misc", false},
        {"/home/me/.cache/doc", "fuse.portal", false},
    };
    for (const auto& c : cases) {
        TMountEntry e;
        e.MountPoint = c.mountPoint;
        e.FsType = c.type;
        EXPECT_EQ(IsCataloguableMount(e), c.drive) << c.mountPoint;
    }
    EXPECT_TRUE(IsNetworkFileSystem("nfs4"));
    EXPECT_TRUE(IsNetworkFileSystem("fuse.sshfs"));
    EXPECT_FALSE(IsNetworkFileSystem("ext4"));
    EXPECT_TRUE(IsRamFileSystem("ramfs"));
}
