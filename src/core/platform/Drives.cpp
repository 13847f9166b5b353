#include "platform/Drives.h"

#include "platform/ServiceSlot.h"

#ifdef __linux__
#include "platform/LinuxDrives.h"
#endif

namespace quorvex {

namespace {

#ifndef __linux__
// A machine without a drive layer of ours: no drives.
class TNoDrives : public IDrives {
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

#ifdef __linux__
using TMachineDrives = TLinuxDrives;
#else
using TMachineDrives = TNoDrives;
#endif

TServiceSlot<IDrives, TMachineDrives> s_drives;
uint64_t s_generation = 0;

} // namespace

IDrives& Drives()
{
    return s_drives.Get();
}

void SetDrives(IDrives* drives)
{
    s_drives.Set(drives);
    ++s_generation;
}

uint64_t DrivesGeneration()
{
    return s_generation;
}

QString DriveRoot(const QString& id)
{
    for (const TDrive& d : Drives().List())
        if (d.Id == id) return d.Root;
    return {};
}

} // namespace quorvex
