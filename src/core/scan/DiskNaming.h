#pragma once
// How a medium is named to the user before it has a name of its own: the default name of
// a new Disk, and the volume shown beside a drive's id.

#include <QString>

#include <string>

namespace quorvex
{

struct TDiskRec;

// For a virtual root the folder's own name; otherwise the medium's label, else the name of
// the folder it is mounted on; "Disk " + drive + ":" when there is none of these. Not yet
// made unique.
std::string DefaultDiskName(const TDiskRec& medium, const QString& drive,
                            const QString& virtualRoot);

// The volume in a drive as the user knows it: its label, else its mount point; empty while
// the drive holds no mounted medium.
QString VolumeCaption(const QString& drive);

} // namespace quorvex
