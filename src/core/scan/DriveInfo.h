#pragma once
// Reading a drive's medium into a Disk record, and the other requests on one drive.

#include <QString>

#include <cstdint>

namespace quorvex {

struct TDiskRec;

// Working record of the capacity computation.
struct TDriveSpace {
    QString Drive;
    QString FileSystem;
    int64_t BytesPerSector = 0;
    int64_t SectorsPerCluster = 0;
    int64_t TotalClusters = 0;
    int64_t FreeClusters = 0;
    int64_t TotalBytes = 0;
    int64_t FreeBytes = 0;
};

// Asks the drive for its space unless recomputeOnly; FAT volumes, and every volume when
// recomputeOnly, get their geometry derived from the byte counts. The cluster count is
// kept within 32 bits by growing the cluster. False when the drive did not answer.
bool DriveSpace(TDriveSpace& space, bool recomputeOnly);

// A label in capitals becomes lower case, and the first character is always upper case:
// "MYDISK" -> "Mydisk", "myDisk" -> "MyDisk".
QString NormalizeVolumeLabel(const QString& label);

// Fills disk as a fresh in-memory Disk of the medium in drive.
void ReadDriveInfo(const QString& drive, TDiskRec& disk);

// True once the drive answers; with prompt the user may retry or give up.
bool WaitUntilReady(const QString& drive, bool prompt);
bool EjectMedium(const QString& drive);
// True when written, false when nothing was done; EAbort when the device failed half-way.
bool WriteSerial(const QString& drive, uint32_t serial);

// "1A2B-3C4D".
QString FormatSerial(uint32_t serial);

// Now as a date-time: days since 30 December 1899, local time.
double CurrentDateTime();

} // namespace quorvex
