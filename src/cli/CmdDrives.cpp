#include "CliCommands.h"

#include "catalog/ItemRecords.h"
#include "platform/Drives.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"

#include <cstdio>

namespace quorvex::cli {

// One line per drive, tab-separated: id, root, media type, label, serial, file system,
// capacity and free bytes. A drive without a readable medium shows "not ready".
int RunDrives(int argc, char**)
{
    if (argc != 0) {
        std::fputs("usage: quorvex-cli drives\n", stderr);
        return 2;
    }
    std::puts("id\troot\ttype\tlabel\tserial\tfile system\tcapacity\tfree");
    for (const TDrive& drive : Drives().List()) {
        const QString type = MediaTypeName(DriveMediaType(drive.Id));
        const QByteArray id = drive.Id.toUtf8();
        const QByteArray root = drive.Root.toUtf8();
        const QByteArray typeName = type.toUtf8();
        if (!WaitUntilReady(drive.Id, false)) {
            std::printf("%s\t%s\t%s\tnot ready\t\t\t\t\n", id.constData(), root.constData(),
                        typeName.constData());
            continue;
        }
        TDiskRec disk;
        ReadDriveInfo(drive.Id, disk);
        const int64_t cluster = int64_t(disk.BytesPerSector) * disk.SectorsPerCluster;
        std::printf("%s\t%s\t%s\t%s\t%s\t%s\t%lld\t%lld\n", id.constData(), root.constData(),
                    typeName.constData(), disk.VolumeLabel.c_str(),
                    FormatSerial(disk.SerialNumber).toLatin1().constData(), disk.FileSystem.c_str(),
                    static_cast<long long>(disk.TotalClusters * cluster),
                    static_cast<long long>(disk.FreeClusters * cluster));
    }
    return 0;
}

} // namespace quorvex::cli
