#include "platform/LinuxDrives.h"
#include "platform/VolumeProbe.h"

#include "catalog/ItemRecords.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// A machine in a folder: a mount table, a sysfs tree and the images that stand for the
// mounted devices, so the whole Linux drive layer runs without mounting anything.
class LinuxMachine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        for (const char* image : {"fat12.img", "cd.iso", "ext2.img"})
            ASSERT_TRUE(
                QFile::copy(QStringLiteral(QUORVEX_FIXTURES "/drives/") + image, Path(image)));
        for (const char* mount : {"mnt/floppy/docs", "mnt/cd", "mnt/data", "mnt/share", "mnt/ram",
                                  "mnt/again", "dev", "sys/dev/block"})
            QDir().mkpath(Path(mount));
        Write("mnt/notadir", "");

        // sdb: a ZIP drive with one partition; sr0: an optical drive; sdc: a card reader
        // with no card; sda: a fixed disk nobody mounted.
        Disk("sdb", "1", "196608", "512", "ZIP 100");
        Partition("sdb", "sdb1", "8:17");
        Disk("sr0", "1", "0", "2048", "DVD-ROM");
        Disk("sdc", "1", "0", "512", "Card Reader");
        Disk("sda", "0", "1000000", "512", "SSD");
        Link("sys/dev/block/8:17", "devices/pci0/block/sdb/sdb1");
        Link("sys/dev/block/11:0", "devices/pci0/block/sr0");

        const QString table =
            Line(21, "0:20", "/proc", "rw", "proc", "proc") +
            Line(30, "8:17", Path("mnt/floppy"), "rw,nosuid", "vfat", Path("fat12.img")) +
            Line(31, "11:0", Path("mnt/cd"), "ro", "iso9660", Path("cd.iso")) +
            Line(32, "7:0", Path("mnt/data"), "rw", "ext2", Path("ext2.img")) +
            Line(33, "0:50", Path("mnt/share"), "rw", "nfs4", "server:/export") +
            Line(34, "0:51", Path("mnt/ram"), "rw", "tmpfs", "tmpfs") +
            Line(35, "8:17", Path("mnt/again"), "rw", "vfat", Path("fat12.img")) +
            Line(36, "0:52", Path("mnt/notadir"), "rw", "ext4", "/dev/vdz");
        Write("mountinfo", table);
        paths = {Path("mountinfo"), Path("sys"), Path("dev")};
    }

    QString Path(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    void Write(const QString& relative, const QString& text)
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile f(Path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8() + "\n");
    }
    void Link(const QString& relative, const QString& target)
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        ASSERT_TRUE(QFile::link(Path("sys/") + target, Path(relative)));
    }
    void Disk(const QString& name, const char* removable, const char* size, const char* sector,
              const char* model)
    {
        const QString d = "sys/devices/pci0/block/" + name;
        Write(d + "/removable", removable);
        Write(d + "/size", size);
        Write(d + "/queue/logical_block_size", sector);
        Write(d + "/device/model", model);
        Write(d + "/dev", name == "sr0" ? "11:0" : "8:16");
        Link("sys/block/" + name, "devices/pci0/block/" + name);
    }
    void Partition(const QString& disk, const QString& name, const char* dev)
    {
        const QString d = "sys/devices/pci0/block/" + disk + "/" + name;
        Write(d + "/partition", "1");
        Write(d + "/dev", dev);
    }
    static QString Line(int id, const char* dev, const QString& mountPoint, const char* options,
                        const char* type, const QString& source)
    {
        QString escaped = mountPoint;
        escaped.replace(" ", "\\040");
        return QStringLiteral("%1 1 %2 / %3 %4 shared:1 - %5 %6 rw\n")
            .arg(id)
            .arg(dev, escaped, options, type, source);
    }

    QTemporaryDir dir;
    QString root;
    TLinuxPaths paths;
};

} // namespace

TEST_F(LinuxMachine, ListsVolumesAndEmptyRemovableDrives)
{
    TLinuxDrives drives(paths);
    std::vector<std::pair<QString, QString>> listed;
    for (const TDrive& d : drives.List())
        listed.emplace_back(d.Id, d.Root);
    const std::vector<std::pair<QString, QString>> expected = {
        {"sdb1", Path("mnt/floppy")}, {"sr0", Path("mnt/cd")},  {"data", Path("mnt/data")},
        {"share", Path("mnt/share")}, {"ram", Path("mnt/ram")}, {"sdc", QString()},
    };
    EXPECT_EQ(listed, expected);

    EXPECT_EQ(drives.DriveType("sdb1"), dtRemovable);
    EXPECT_EQ(drives.DriveType("sr0"), dtCDROM);
    EXPECT_EQ(drives.DriveType("data"), dtFixed);
    EXPECT_EQ(drives.DriveType("share"), dtRemote);
    EXPECT_EQ(drives.DriveType("ram"), dtRamDisk);
    EXPECT_EQ(drives.DriveType("sdc"), dtRemovable);
    EXPECT_EQ(drives.DriveType("nope"), dtNoRootDir);
    EXPECT_EQ(drives.ProductId("sdb1"), "ZIP 100");
    EXPECT_EQ(drives.DeviceType("sdb1"), 255); // 96 MiB is no floppy size
}

TEST_F(LinuxMachine, VolumeInformation)
{
    TLinuxDrives drives(paths);
    std::optional<TVolumeInfo> v = drives.VolumeInfo("sdb1");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Label, "BACKUP 1");
    EXPECT_EQ(v->Serial, 0x1A2B3C4Du);
    EXPECT_EQ(v->FileSystem, "FAT");
    EXPECT_GT(v->MaxComponentLength, 0u);

    v = drives.VolumeInfo("sr0");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Label, "MYCD");
    EXPECT_EQ(v->FileSystem, "CDFS");

    v = drives.VolumeInfo("data");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Label, "Data Disk");
    EXPECT_EQ(v->Serial, 0x028C2537u);

    v = drives.VolumeInfo("share");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->FileSystem, "NFS4");
    EXPECT_EQ(v->Serial, TextSerial("server:/export"));
    EXPECT_TRUE(v->Label.isEmpty());

    v = drives.VolumeInfo("ram");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->FileSystem, "TMPFS");
    EXPECT_EQ(v->Serial, 0u);

    EXPECT_FALSE(drives.VolumeInfo("sdc"));
    EXPECT_FALSE(drives.FreeSpace("sdc"));
    const std::optional<TFreeSpace> cd = drives.FreeSpace("sr0");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->BytesPerSector % 2048, 0);
    EXPECT_GT(cd->TotalClusters, 0);
    EXPECT_EQ(cd->TotalBytes, cd->TotalClusters * cd->BytesPerSector * cd->SectorsPerCluster);

    EXPECT_TRUE(drives.FolderExists("sdb1", "\\docs\\"));
    EXPECT_TRUE(drives.FolderExists("sdb1", "docs"));
    EXPECT_FALSE(drives.FolderExists("sdb1", "\\nothing\\"));
    EXPECT_FALSE(drives.FolderExists("sdc", "\\"));
}

TEST_F(LinuxMachine, MediaLogicOnTop)
{
    TLinuxDrives drives(paths);
    SetDrives(&drives);
    EXPECT_EQ(DriveMediaType("sdb1"), mtZip100);
    EXPECT_EQ(DriveMediaType("sr0"), mtCDROM);
    EXPECT_EQ(DriveMediaType("sdc"), mtRemovable);
    TDiskRec disk;
    ReadDriveInfo("sdb1", disk);
    EXPECT_EQ(disk.VolumeLabel, "Backup 1");
    EXPECT_EQ(disk.FileSystem, "FAT");
    EXPECT_EQ(disk.SerialNumber, 0x1A2B3C4Du);
    EXPECT_EQ(disk.BytesPerSector, 512);
    EXPECT_FALSE(WaitUntilReady("sdc", false));
    SetDrives(nullptr);
}

TEST_F(LinuxMachine, SerialIsWrittenOnlyIntoFatBootSectors)
{
    TLinuxDrives drives(paths);
    QFile before(Path("fat12.img"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();

    EXPECT_TRUE(drives.WriteSerial("sdb1", 0xCAFEF00D));
    EXPECT_EQ(drives.VolumeInfo("sdb1")->Serial, 0xCAFEF00Du);
    QFile after(Path("fat12.img"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    const QByteArray written = after.readAll();
    ASSERT_EQ(written.size(), original.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        if (i < 0x27 || i > 0x2A) {
            ASSERT_EQ(written[i], original[i]) << "byte " << i;
        }

    EXPECT_FALSE(drives.WriteSerial("sr0", 1));  // read-only, and no FAT
    EXPECT_FALSE(drives.WriteSerial("data", 1)); // ext2 has no such field
    EXPECT_FALSE(drives.WriteSerial("share", 1));
    EXPECT_FALSE(drives.WriteSerial("sdc", 1));
    EXPECT_EQ(drives.VolumeInfo("data")->Serial, 0x028C2537u);
}

TEST_F(LinuxMachine, EjectIsRefusedWithoutADevice)
{
    TLinuxDrives drives(paths);
    // No device nodes in this machine's /dev, fixed and network drives are never ejected.
    for (const char* id : {"sdb1", "sr0", "data", "share", "ram", "sdc", "nope"})
        EXPECT_FALSE(drives.Eject(id)) << id;
    EXPECT_EQ(drives.List().size(), 6u);
    EXPECT_TRUE(drives.FreeSpace("sdb1"));
}

TEST(LinuxDrivesOnThisMachine, ListsTheRootFileSystem)
{
    TLinuxDrives drives;
    const std::vector<TDrive> list = drives.List();
    const auto rootDrive =
        std::find_if(list.begin(), list.end(), [](const TDrive& d) { return d.Root == "/"; });
    ASSERT_NE(rootDrive, list.end());
    SetDrives(&drives);
    for (const TDrive& d : list) {
        TDiskRec disk;
        if (!WaitUntilReady(d.Id, false)) continue;
        ReadDriveInfo(d.Id, disk);
        EXPECT_FALSE(disk.FileSystem.empty()) << d.Id.toStdString();
        if (d.Root == "/") {
            EXPECT_GT(int64_t(disk.TotalClusters) * disk.BytesPerSector * disk.SectorsPerCluster,
                      0);
            EXPECT_NE(disk.FileSystem, "unknown");
        }
    }
    SetDrives(nullptr);
    EXPECT_FALSE(drives.Eject(rootDrive->Id));
}

TEST_F(LinuxMachine, FolderOnAFileSystemMissingFromTheTableGetsADriveOfItsOwn)
{
    TLinuxDrives drives(paths);
    SetDrives(&drives);
    const QString folder = Path("elsewhere/Photos");
    QDir().mkpath(folder);
    const size_t before = drives.List().size();

    const std::optional<TFolderPlace> place = FindDriveOfFolder(folder);
    ASSERT_TRUE(place) << "no drive of the table holds the folder";
    const QString root = DriveRoot(place->Drive);
    ASSERT_FALSE(root.isEmpty());
    QString rest = place->VirtualRoot;
    rest.replace('\\', '/');
    EXPECT_EQ(QDir::cleanPath(root + rest), folder);
    EXPECT_TRUE(place->VirtualRoot.endsWith("\\elsewhere\\Photos\\")) << place->VirtualRoot.toStdString();
    EXPECT_TRUE(drives.FreeSpace(place->Drive)) << "its space comes from statvfs";
    EXPECT_TRUE(drives.VolumeInfo(place->Drive));
    EXPECT_EQ(drives.DriveType(place->Drive), dtFixed);
    TDiskRec disk;
    ReadDriveInfo(place->Drive, disk);
    EXPECT_GT(disk.TotalClusters, 0);

    const std::optional<TFolderPlace> again = FindDriveOfFolder(Path("elsewhere"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Drive, place->Drive) << "one drive per file system";
    EXPECT_EQ(drives.List().size(), before + 1);
    SetDrives(nullptr);
}
