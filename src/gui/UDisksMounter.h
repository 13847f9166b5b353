#pragma once
// Mounting a medium through the system's disk service (UDisks2 on the system bus), the way
// the desktop's file manager does, so the user need not open the medium there first.

#include "platform/Mounter.h"

#include <QHash>
#include <QString>

namespace quorvex
{

class TUDisksMounter : public IMounter
{
public:
    // sys: where the kernel shows its block devices.
    explicit TUDisksMounter(QString sys = QStringLiteral("/sys"));
    bool MountMedium(const QString& drive) override;

private:
    quint64 MediumSize(const QString& device) const; // 0: no medium, or no such device
    bool Mount(const QString& device) const;

    QString m_sys;
    // Devices whose mount failed, with the medium size then: not tried again every second
    // for the same medium.
    QHash<QString, quint64> m_refused;
};

} // namespace quorvex
