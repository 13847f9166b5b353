#include "UDisksMounter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QVariantMap>

namespace quorvex
{

namespace
{

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString BlockPath = QStringLiteral("/org/freedesktop/UDisks2/block_devices/");

// The object path element of a kernel device name: UDisks2 writes every character but
// letters, digits and "_" as "_" + two hexadecimal digits.
QString PathElement(const QString& name)
{
    QString out;
    for (const char c : name.toUtf8()) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            out += QLatin1Char(c);
        else
            out += QStringLiteral("_%1").arg(uint(uchar(c)), 2, 16, QLatin1Char('0'));
    }
    return out;
}

} // namespace

TUDisksMounter::TUDisksMounter(QString sys) : m_sys(std::move(sys)) {}

quint64 TUDisksMounter::MediumSize(const QString& device) const
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, BlockPath + PathElement(device), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.UDisks2.Block") << QStringLiteral("Size");
    const QDBusMessage reply = QDBusConnection::systemBus().call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
    return reply.arguments().first().value<QDBusVariant>().variant().toULongLong();
}

bool TUDisksMounter::Mount(const QString& device) const
{
    QDBusMessage mount = QDBusMessage::createMethodCall(
        Service, BlockPath + PathElement(device),
        QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Mount"));
    mount << QVariantMap();
    // Mounting may ask the user for the right to (a policy prompt): give it time.
    const QDBusMessage reply = QDBusConnection::systemBus().call(mount, QDBus::Block, 60000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool TUDisksMounter::MountMedium(const QString& drive)
{
    if (drive.isEmpty() || drive.contains(QLatin1Char('/'))) return false;
    if (!QDBusConnection::systemBus().isConnected()) return false;
    // The drive is the whole device; its file systems may be on the device itself (a disc)
    // or on its partitions (a stick).
    QStringList devices{drive};
    const QDir disk(m_sys + QStringLiteral("/block/") + drive);
    for (const QString& part : disk.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (part.startsWith(drive) &&
            QFileInfo::exists(disk.filePath(part) + QStringLiteral("/partition")))
            devices << part;
    bool mounted = false;
    for (const QString& device : devices) {
        const quint64 size = MediumSize(device);
        if (size == 0) {
            m_refused.remove(device); // out: the next medium is tried afresh
            continue;
        }
        if (m_refused.value(device) == size) continue;
        if (Mount(device))
            mounted = true;
        else
            m_refused.insert(device, size);
    }
    return mounted;
}

} // namespace quorvex
