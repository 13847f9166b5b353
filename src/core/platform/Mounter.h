#pragma once
// Mounting a medium that is in a drive but has no file system mounted (a disc just put in,
// a stick nobody opened), as the desktop's file manager would. The core has no way of its
// own; the program installs one (over the system bus) where the machine offers it.

#include <QString>

namespace quorvex
{

class IMounter
{
public:
    virtual ~IMounter() = default;
    // Mounts the file systems of the medium in drive; true when one was mounted. Cheap
    // when the drive holds no medium: it is asked again and again while a medium is awaited.
    virtual bool MountMedium(const QString& drive) = 0;
};

IMounter& Mounter();
void SetMounter(IMounter* mounter); // null: none, nothing is ever mounted

} // namespace quorvex
