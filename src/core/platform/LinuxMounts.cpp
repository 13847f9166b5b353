#include "platform/LinuxMounts.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringList>

namespace quorvex {

namespace {

// mountinfo writes space, tab, newline and backslash as \ooo.
QString Unescape(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = true;
            for (char d : digits)
                ok = ok && d >= '0' && d <= '7';
            if (ok) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

bool IsUnder(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

std::vector<TMountEntry> ParseMountInfo(const QByteArray& text)
{
    std::vector<TMountEntry> entries;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super
        const qsizetype dash = f.indexOf(QByteArray("-"), 6);
        if (f.size() < 7 || dash < 6 || dash + 2 >= f.size()) continue;
        const QList<QByteArray> dev = f[2].split(':');
        if (dev.size() != 2) continue;
        bool okMajor = false;
        bool okMinor = false;
        TMountEntry e;
        e.Major = dev[0].toUInt(&okMajor);
        e.Minor = dev[1].toUInt(&okMinor);
        if (!okMajor || !okMinor) continue;
        e.Root = Unescape(f[3]);
        e.MountPoint = Unescape(f[4]);
        e.Options = Unescape(f[5]);
        e.FsType = Unescape(f[dash + 1]);
        e.Source = Unescape(f[dash + 2]);
        if (dash + 3 < f.size()) e.SuperOptions = Unescape(f[dash + 3]);
        entries.push_back(e);
    }
    return entries;
}

bool IsNetworkFileSystem(const QString& fsType)
{
    static const QSet<QString> network = {
        "nfs",        "nfs4",          "cifs",           "smb3",        "smbfs",
        "ncpfs",      "afs",           "ceph",           "glusterfs",   "9p",
        "virtiofs",   "davfs",         "lustre",         "gpfs",        "coda",
        "fuse.sshfs", "sshfs",         "fuse.rclone",    "fuse.s3fs",   "fuse.glusterfs",
        "fuse.davfs", "fuse.smbnetfs", "fuse.curlftpfs", "fuse.cephfs",
    };
    return network.contains(fsType);
}

bool IsRamFileSystem(const QString& fsType)
{
    return fsType == QLatin1String("tmpfs") || fsType == QLatin1String("ramfs");
}

bool IsCataloguableMount(const TMountEntry& e)
{
    static const QSet<QString> kernelOnly = {
        "proc",
        "sysfs",
        "cgroup",
        "cgroup2",
        "devtmpfs",
        "devpts",
        "mqueue",
        "debugfs",
        "tracefs",
        "securityfs",
        "pstore",
        "bpf",
        "configfs",
        "fusectl",
        "hugetlbfs",
        "autofs",
        "binfmt_misc",
        "efivarfs",
        "nsfs",
        "rpc_pipefs",
        "selinuxfs",
        "fuse.gvfsd-fuse",
        "fuse.portal",
        "fuse.lxcfs",
        "fuse.xdg-document-portal",
    };
    if (e.MountPoint == QLatin1String("/")) return true; // the root is always a volume
    if (kernelOnly.contains(e.FsType)) return false;
    // Layers of container images and the images of packaged applications.
    if (e.FsType == QLatin1String("overlay") || e.FsType == QLatin1String("aufs")) return false;
    if (e.FsType == QLatin1String("squashfs") && IsUnder(e.MountPoint, QStringLiteral("/snap")))
        return false;
    for (const char* system : {"/proc", "/sys", "/dev"})
        if (IsUnder(e.MountPoint, QLatin1String(system))) return false;
    // /run holds runtime state; removable media are mounted below /run/media on some systems.
    if (IsUnder(e.MountPoint, QStringLiteral("/run")) &&
        !IsUnder(e.MountPoint, QStringLiteral("/run/media")))
        return false;
    return true;
}

bool HasMountOption(const TMountEntry& e, const QString& option)
{
    const QStringList all = (e.Options + QLatin1Char(',') + e.SuperOptions).split(QLatin1Char(','));
    return all.contains(option);
}

bool HasMountOptionPrefix(const TMountEntry& e, const QString& prefix)
{
    const QStringList all = (e.Options + QLatin1Char(',') + e.SuperOptions).split(QLatin1Char(','));
    for (const QString& o : all)
        if (o.startsWith(prefix)) return true;
    return false;
}

} // namespace quorvex
