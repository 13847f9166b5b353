#include "FakeMachine.h"

#include "catalog/CatalogErrors.h"
#include "catalog/ItemRecords.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

using namespace quorvex;
using quorvex::testing::FakeMachineTest;

TEST(VolumeLabel, CapitalsBecomeLowerCaseWithCapitalFirst)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"BACKUP 1", "Backup 1"}, {"Backup", "Backup"}, {"bACKUP", "BACKUP"},
        {"MYDISK", "Mydisk"},     {"myDisk", "MyDisk"}, {"", ""},
        {"1234", "1234"},         {"ÄRGER", "Ärger"},   {"éa", "Éa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeVolumeLabel(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(DriveSpaceGeometry, DerivedFromSize)
{
    constexpr int64_t MiB = int64_t(1) << 20;
    constexpr int64_t GiB = int64_t(1) << 30;
    const struct {
        const char* fs;
        int64_t total;
        int64_t bytesPerSector, sectorsPerCluster;
    } cases[] = {
        {"FAT", 100 * MiB, 512, 4},      {"FAT", 32 * MiB - 1, 512, 1},
        {"FAT", 32 * MiB, 512, 2},       {"FAT", 1440 * 1024, 512, 1},
        {"FAT32", 2 * GiB, 512, 8},      {"FAT32", 256 * MiB - 1, 512, 1},
        {"FAT32", 256 * MiB, 512, 8},    {"FAT32", 8 * GiB, 512, 8},
        {"FAT32", 8 * GiB + 1, 512, 16}, {"FAT32", 20 * GiB, 512, 32},
        {"CDFS", 650 * MiB, 2048, 1},    {"NTFS", 3 * GiB, 512, 128},
    };
    for (const auto& c : cases) {
        TDriveSpace s;
        s.FileSystem = c.fs;
        s.TotalBytes = c.total;
        s.FreeBytes = c.total / 2;
        EXPECT_TRUE(DriveSpace(s, true));
        EXPECT_EQ(s.BytesPerSector, c.bytesPerSector) << c.fs << " " << c.total;
        EXPECT_EQ(s.SectorsPerCluster, c.sectorsPerCluster) << c.fs << " " << c.total;
        const int64_t cluster = c.bytesPerSector * c.sectorsPerCluster;
        EXPECT_EQ(s.TotalClusters, (c.total + cluster / 2) / cluster);
    }
}

TEST(DriveSpaceGeometry, ClusterCountsRoundToNearest)
{
    TDriveSpace s;
    s.FileSystem = "CDFS";
    s.TotalBytes = 2048 * 10 + 1023;
    s.FreeBytes = 1024;
    DriveSpace(s, true);
    EXPECT_EQ(s.TotalClusters, 10);
    EXPECT_EQ(s.FreeClusters, 1);
}

using DriveInfoTest = FakeMachineTest;

TEST_F(DriveInfoTest, ReadsVolumeIntoFreshDisk)
{
    drives.Add("sdb1", dtRemovable, 255, "ZIP 100");
    TFakeMedium m = Medium("BACKUP 1", 0x1A2B3C4D);
    m.FileSystem = "fat32";
    m.BytesPerSector = 512;
    m.SectorsPerCluster = 8;
    m.TotalClusters = 24000;
    m.FreeClusters = 1000;
    m.MaxComponentLength = 255;
    m.FileSystemFlags = fsfCompressedVolume;
    drives.Insert("sdb1", m);

    TDiskRec disk;
    disk.KindFlags = ikDisk | ifVirtualRoot;
    disk.TotalFiles = 99;
    disk.FilesInMemory = 0;
    disk.RecordOffset = 1234;
    disk.Description.Assign("old");
    disk.VirtualRootPath.Assign("\\old\\");
    const double before = CurrentDateTime();
    ReadDriveInfo("sdb1", disk);

    EXPECT_EQ(disk.KindFlags, ikDisk | ifInScope | ifCompressed);
    EXPECT_EQ(disk.MediaType, mtZip100);
    EXPECT_EQ(disk.VolumeLabel, "Backup 1");
    EXPECT_EQ(disk.FileSystem, "FAT32");
    EXPECT_EQ(disk.SerialNumber, 0x1A2B3C4Du);
    EXPECT_EQ(disk.MaxNameLength, 255);
    // FAT32 keeps the geometry the drive reports.
    EXPECT_EQ(disk.BytesPerSector, 512);
    EXPECT_EQ(disk.SectorsPerCluster, 8);
    EXPECT_EQ(disk.TotalClusters, 24000);
    EXPECT_EQ(disk.FreeClusters, 1000);
    EXPECT_EQ(disk.TotalFiles, 0);
    EXPECT_EQ(disk.FilesInMemory, 1);
    EXPECT_EQ(disk.Dirty, 1);
    EXPECT_EQ(disk.RecordOffset, -1);
    EXPECT_TRUE(disk.Description.IsNull());
    EXPECT_TRUE(disk.VirtualRootPath.IsNull());
    EXPECT_GE(disk.Catalogued, before);
    EXPECT_LT(disk.Catalogued - before, 1.0 / 24);
}

TEST_F(DriveInfoTest, FatGeometryComesFromTheSize)
{
    drives.Add("fd", dtFixed);
    TFakeMedium m = Medium("DATA", 7);
    m.FileSystem = "FAT";
    m.BytesPerSector = 512;
    m.SectorsPerCluster = 8; // what the drive says
    m.TotalClusters = 25600; // 100 MiB
    m.FreeClusters = 12800;
    drives.Insert("fd", m);
    TDiskRec disk;
    ReadDriveInfo("fd", disk);
    EXPECT_EQ(disk.BytesPerSector, 512);
    EXPECT_EQ(disk.SectorsPerCluster, 4);
    EXPECT_EQ(disk.TotalClusters, 51200);
    EXPECT_EQ(disk.FreeClusters, 25600);
}

TEST_F(DriveInfoTest, FailingVolumeReadStillGetsCapacity)
{
    drives.Add("cd", dtCDROM);
    TFakeMedium m = Medium("X", 5);
    m.VolumeInfoFails = true;
    m.BytesPerSector = 2048;
    m.TotalClusters = 300000;
    drives.Insert("cd", m);
    TDiskRec disk;
    disk.KindFlags = ikDisk | ifCompressed;
    ReadDriveInfo("cd", disk);
    EXPECT_EQ(disk.VolumeLabel, "(unknown)");
    EXPECT_EQ(disk.FileSystem, "unknown");
    EXPECT_EQ(disk.SerialNumber, 0u);
    EXPECT_FALSE(disk.KindFlags & ifCompressed);
    EXPECT_EQ(disk.MediaType, mtCDROM);
    EXPECT_EQ(disk.TotalClusters, 300000);
    EXPECT_EQ(disk.BytesPerSector, 2048);
}

TEST_F(DriveInfoTest, LongNamesAreCut)
{
    drives.Add("x", dtFixed);
    TFakeMedium m = Medium(QString(40, QChar(0x00E9)), 1); // 80 bytes of UTF-8
    m.FileSystem = "verylongfsname";
    drives.Insert("x", m);
    TDiskRec disk;
    ReadDriveInfo("x", disk);
    EXPECT_EQ(disk.FileSystem, "VERYLONG");
    EXPECT_LE(disk.VolumeLabel.size(), MaxVolumeLabel);
    EXPECT_EQ(disk.VolumeLabel.size() % 2, 0u); // no character cut in half
    EXPECT_TRUE(QString::fromStdString(disk.VolumeLabel).startsWith(QChar(0x00C9)));
}

TEST_F(DriveInfoTest, HugeVolumesKeepClusterCountsIn32Bits)
{
    drives.Add("big", dtFixed);
    TFakeMedium m = Medium("BIG", 1);
    m.FileSystem = "EXT4";
    m.BytesPerSector = 512;
    m.SectorsPerCluster = 8;
    m.TotalClusters = int64_t(1) << 32; // 16 TiB
    m.FreeClusters = int64_t(3) << 30;
    drives.Insert("big", m);
    TDiskRec disk;
    ReadDriveInfo("big", disk);
    EXPECT_EQ(disk.SectorsPerCluster, 32);
    EXPECT_EQ(disk.TotalClusters, 1 << 30);
    EXPECT_EQ(int64_t(disk.TotalClusters) * disk.SectorsPerCluster * disk.BytesPerSector,
              int64_t(1) << 44);
}

TEST_F(DriveInfoTest, WaitUntilReadyRetriesUntilMediumOrCancel)
{
    drives.Add("fd0", dtRemovable, 7);
    EXPECT_FALSE(WaitUntilReady("fd0", false));
    EXPECT_TRUE(prompt.Shown.empty());

    int asked = 0;
    prompt.Answer = [&](const TPromptMessage& msg) {
        EXPECT_EQ(msg.Caption, "Drive Not Ready");
        EXPECT_EQ(msg.Text, "Drive fd0: is not ready !");
        EXPECT_EQ(msg.Buttons, pbRetry | pbCancel);
        EXPECT_EQ(msg.Icon, TPromptIcon::Error);
        if (++asked == 2) drives.Insert("fd0", Medium("A", 1));
        return pbRetry;
    };
    EXPECT_TRUE(WaitUntilReady("fd0", true));
    EXPECT_EQ(asked, 2);

    drives.Remove("fd0");
    prompt.Answer = [](const TPromptMessage&) { return pbCancel; };
    EXPECT_FALSE(WaitUntilReady("fd0", true));
}

TEST_F(DriveInfoTest, EjectAndSerialGoToTheDrive)
{
    drives.Add("fd0", dtRemovable, 7);
    drives.Insert("fd0", Medium("A", 1));
    EXPECT_TRUE(WriteSerial("fd0", 0xCAFEF00D));
    TDiskRec disk;
    ReadDriveInfo("fd0", disk);
    EXPECT_EQ(disk.SerialNumber, 0xCAFEF00Du);
    EXPECT_TRUE(EjectMedium("fd0"));
    EXPECT_FALSE(WaitUntilReady("fd0", false));
    EXPECT_FALSE(EjectMedium("fd0"));
    EXPECT_FALSE(WriteSerial("fd0", 1));
}

TEST(SerialText, TwoGroupsOfFourHexDigits)
{
    EXPECT_EQ(FormatSerial(0x1A2B3C4D), "1A2B-3C4D");
    EXPECT_EQ(FormatSerial(0xabc), "0000-0ABC");
    EXPECT_EQ(FormatSerial(0), "0000-0000");
}

TEST(CurrentDateTime, CountsDaysFrom1899)
{
    const double now = CurrentDateTime();
    const double expected = double(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    EXPECT_GE(now, expected);
    EXPECT_LT(now, expected + 1.0001);
}

TEST_F(DriveInfoTest, DriveRootFollowsTheMedium)
{
    drives.Add("fd0", dtRemovable, 7);
    EXPECT_EQ(DriveRoot("fd0"), "");
    drives.Insert("fd0", Medium("A", 1));
    EXPECT_EQ(DriveRoot("fd0"), "/media/fd0");
    EXPECT_EQ(DriveRoot("nope"), "");

    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("photos/2020"));
    drives.Find("fd0")->Root = folder.path();
    EXPECT_EQ(DriveRoot("fd0"), folder.path());
    EXPECT_TRUE(drives.FolderExists("fd0", "\\photos\\2020\\"));
    EXPECT_FALSE(drives.FolderExists("fd0", "\\photos\\2021\\"));
}
