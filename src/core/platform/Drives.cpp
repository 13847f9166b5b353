#include "platform/Drives.h"

#ifdef __linux__
#include "platform/LinuxDrives.h"
#endif

namespace quorvex
{

namespace
{

#ifndef __linux__
// A machine without a drive layer of ours: no drives.
class TNoDrives : public IDrives
{
public:
    std::vector<TDrive> List() override { return {}; }
    TDriveType DriveType(const QString&) override { return dtNoRootDir; }
    std::optional<TVolumeInfo> VolumeInfo(const QString&) override { return std::nullopt; }
    std::optional<TFreeSpace> FreeSpace(const QString&) override { return std::nullopt; }
    uint8_t DeviceType(const QString&) override { return 255; }
    QString ProductId(const QString&) override { return {}; }
    bool Eject(const QString&) override { return false; }
    bool WriteSerial(const QString&, uint32_t) override { return false; }
    bool FolderExists(const QString&, const QString&) override { return false; }
};
#endif

IDrives*& Installed()
{
    static IDrives* installed = nullptr;
    return installed;
}

uint64_t& Generation()
{
    static uint64_t generation = 0;
    return generation;
}

IDrives& MachineDrives()
{
#ifdef __linux__
    static TLinuxDrives machine;
#else
    static TNoDrives machine;
#endif
    return machine;
}

} // namespace

IDrives& Drives()
{
    return Installed() ? *Installed() : MachineDrives();
}

void SetDrives(IDrives* drives)
{
    Installed() = drives;
    ++Generation();
}

uint64_t DrivesGeneration()
{
    return Generation();
}

QString DriveRoot(const QString& id)
{
    for (const TDrive& d : Drives().List())
        if (d.Id == id) return d.Root;
    return {};
}

} // namespace quorvex
