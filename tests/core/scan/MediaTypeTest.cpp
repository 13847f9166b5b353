#include "FakeMachine.h"

#include "catalog/ItemRecords.h"
#include "scan/MediaType.h"

using namespace quorvex;
using quorvex::testing::FakeMachineTest;

TEST(MediaTypeName, TableAndVirtualPrefix)
{
    const struct {
        int type;
        const char* name;
    } cases[] = {
        {0, "Floppy 5.25\" DD"}, {1, "Floppy 5.25\" HD"}, {2, "Floppy 3.5\" DD"},
        {3, "Floppy 8\" SD"},    {4, "Floppy 8\" DD"},    {5, "Hard disk"},
        {6, "Tape drive"},       {7, "Floppy 3.5\" HD"},  {8, "Optical drive"},
        {9, "Floppy 3.5\" EHD"}, {10, "CD-ROM"},          {11, "Network drive"},
        {12, "RAM disk"},        {13, "Removable drive"}, {14, "iomega ZIP 100"},
        {15, "iomega JAZ 1GB"},  {16, "Unknown"},         {254, "Unknown"},
        {255, "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MediaTypeName(uint8_t(c.type)), QString::fromLatin1(c.name)) << c.type;
    EXPECT_EQ(MediaTypeName(mtCDROM, ikDisk | ifVirtualRoot), QStringLiteral("Virtual CD-ROM"));
    EXPECT_EQ(MediaTypeName(mtCDROM, ikDisk | ifInScope), QStringLiteral("CD-ROM"));
}

TEST(MediaCompatibility, StrictAndDriveRelations)
{
    // a, b, strictly, drive-compatible
    const struct {
        int a, b;
        bool strict, drive;
    } cases[] = {
        {13, 14, true, true},  {15, 13, true, true},  {14, 15, false, false},
        {1, 3, false, true},   {0, 4, false, true},   {2, 9, false, true},
        {7, 2, false, true},   {1, 7, false, false},  {5, 5, true, true},
        {5, 12, false, false}, {10, 8, false, false}, {255, 255, true, true},
        {13, 5, false, false},
    };
    for (const auto& c : cases) {
        for (const auto& [a, b] : {std::pair{c.a, c.b}, std::pair{c.b, c.a}}) {
            EXPECT_EQ(StrictlyCompatible(uint8_t(a), uint8_t(b)), c.strict) << a << " " << b;
            EXPECT_EQ(DriveCompatible(uint8_t(a), uint8_t(b)), c.drive) << a << " " << b;
        }
    }
}

TEST(MediaType, RemovableTypes)
{
    for (int t = 0; t < 256; ++t)
        EXPECT_EQ(IsRemovableMediaType(uint8_t(t)), t != 5 && t != 11 && t != 12) << t;
}

TEST(MediaType, ProductRule)
{
    EXPECT_EQ(RemovableTypeFromProduct("ZIP 100"), mtZip100);
    EXPECT_EQ(RemovableTypeFromProduct("zip 100         "), mtZip100);
    EXPECT_EQ(RemovableTypeFromProduct("Jaz 1GB"), mtJaz1GB);
    EXPECT_EQ(RemovableTypeFromProduct("ZIP 250"), mtRemovable);
    EXPECT_EQ(RemovableTypeFromProduct("ZIP"), mtRemovable);
    EXPECT_EQ(RemovableTypeFromProduct(""), mtRemovable);
}

using DriveMediaTypeTest = FakeMachineTest;

TEST_F(DriveMediaTypeTest, ClassifiesByDriveTypeThenDevice)
{
    drives.Add("fixed", dtFixed, 7);
    drives.Add("net", dtRemote);
    drives.Add("cd", dtCDROM);
    drives.Add("ram", dtRamDisk);
    drives.Add("fd0", dtRemovable, 7);
    drives.Add("zip", dtRemovable, 5, "ZIP 100");
    drives.Add("jaz", dtRemovable, 8, "jaz 1gb");
    drives.Add("stick", dtRemovable, 255, "Cruzer");
    drives.Add("odd", dtUnknown, 6);
    drives.Add("none", dtNoRootDir, 255);

    EXPECT_EQ(DriveMediaType("fixed"), mtHardDisk);
    EXPECT_EQ(DriveMediaType("net"), mtNetwork);
    EXPECT_EQ(DriveMediaType("cd"), mtCDROM);
    EXPECT_EQ(DriveMediaType("ram"), mtRamDisk);
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35HD);
    EXPECT_EQ(DriveMediaType("zip"), mtZip100);
    EXPECT_EQ(DriveMediaType("jaz"), mtJaz1GB);
    EXPECT_EQ(DriveMediaType("stick"), mtRemovable);
    // Only removable drives go on to the product name.
    EXPECT_EQ(DriveMediaType("odd"), mtTape);
    EXPECT_EQ(DriveMediaType("none"), mtUnknown);
}

TEST_F(DriveMediaTypeTest, DeviceIsAskedOncePerDrive)
{
    drives.Add("fd0", dtRemovable, 2);
    drives.Add("odd", dtUnknown, 255);
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35DD);
    const int asked = drives.DeviceRequests;
    // The type belongs to the drive: a later change of what the device says is not seen.
    drives.Find("fd0")->DeviceType = 7;
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35DD);
    EXPECT_EQ(drives.DeviceRequests, asked);

    // An unknown answer is not kept: the device is asked again.
    EXPECT_EQ(DriveMediaType("odd"), mtUnknown);
    drives.Find("odd")->DeviceType = 6;
    EXPECT_EQ(DriveMediaType("odd"), mtTape);

    ClearMediaTypeCache();
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35HD);
}

TEST_F(DriveMediaTypeTest, CacheStartsOverWithAnotherPlatform)
{
    drives.Add("fd0", dtRemovable, 2);
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35DD);
    TFakeDrives other;
    other.Add("fd0", dtRemovable, 9);
    SetDrives(&other);
    EXPECT_EQ(DriveMediaType("fd0"), mtFloppy35EHD);
    SetDrives(&drives);
}
