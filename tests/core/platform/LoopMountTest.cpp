// The drive layer against a real mount: a test image is attached to a loop device and
// mounted in a private mount namespace of a child process, so nothing leaks into the
// machine's mount table. Needs root and loop devices; skips where it cannot mount.

#include "platform/LinuxDrives.h"
#include "platform/VolumeProbe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/loop.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace quorvex;

namespace {

constexpr int CannotMount = 77;

// Attaches image to a free loop device. The device stays attached while fd (set to its
// open handle) or a mount uses it, and goes away with the last of them.
std::string AttachLoop(const std::string& image, int& fd)
{
    fd = -1;
    const int control = ::open("/dev/loop-control", O_RDWR | O_CLOEXEC);
    if (control < 0) return {};
    const int n = ::ioctl(control, LOOP_CTL_GET_FREE);
    ::close(control);
    if (n < 0) return {};
    const std::string device = "/dev/loop" + std::to_string(n);
    const int loop = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    const int file = ::open(image.c_str(), O_RDWR | O_CLOEXEC);
    bool ok = loop >= 0 && file >= 0 && ::ioctl(loop, LOOP_SET_FD, file) == 0;
    if (ok) {
        loop_info64 info{};
        info.lo_flags = LO_FLAGS_AUTOCLEAR;
        ok = ::ioctl(loop, LOOP_SET_STATUS64, &info) == 0;
        if (!ok) ::ioctl(loop, LOOP_CLR_FD, 0);
    }
    if (file >= 0) ::close(file);
    if (!ok) {
        if (loop >= 0) ::close(loop);
        return {};
    }
    fd = loop;
    return device;
}

// Runs in the child: exit status 0 when the mounted volume is listed as expected.
int CheckMounted(const char* fsType, const QString& image, const QString& mountPoint,
                 const QString& label, uint32_t serial, const QString& fileSystem)
{
    const auto cannot = [](const char* step) {
        std::fprintf(stderr, "cannot %s: %s\n", step, std::strerror(errno));
        return CannotMount;
    };
    if (::unshare(CLONE_NEWNS) != 0) return cannot("make a mount namespace");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return cannot("make the mounts private");
    int loop = -1;
    const std::string device = AttachLoop(QFile::encodeName(image).toStdString(), loop);
    if (device.empty()) return cannot("attach a loop device");
    const int mounted =
        ::mount(device.c_str(), QFile::encodeName(mountPoint).constData(), fsType, 0, nullptr);
    const int mountError = errno;
    ::close(loop);
    errno = mountError;
    if (mounted != 0) return cannot("mount the image");

    int failures = 0;
    const auto check = [&failures](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "mounted volume: %s\n", what);
            ++failures;
        }
    };
    TLinuxDrives drives;
    QString id;
    for (const TDrive& d : drives.List())
        if (d.Root == mountPoint) id = d.Id;
    check(!id.isEmpty(), "not listed");
    if (!id.isEmpty()) {
        check(id == QString::fromStdString(device).mid(5), "id is not the device name");
        check(drives.DriveType(id) == dtFixed, "loop device is not a fixed drive");
        const std::optional<TVolumeInfo> v = drives.VolumeInfo(id);
        check(v && v->Label == label, "label");
        check(v && v->Serial == serial, "serial");
        check(v && v->FileSystem == fileSystem, "file system");
        check(drives.FreeSpace(id).has_value(), "not ready");
        check(!drives.Eject(id), "a fixed drive was ejected");
        if (fileSystem == QLatin1String("FAT")) {
            check(drives.WriteSerial(id, 0x12345678), "serial not written");
            check(drives.VolumeInfo(id)->Serial == 0x12345678, "new serial not read back");
        }
    }
    ::umount2(QFile::encodeName(mountPoint).constData(), 0);
    return failures == 0 ? 0 : 1;
}

struct TMountCase {
    const char* image;
    const char* fsType;
    const char* label;
    uint32_t serial;
    const char* fileSystem;
};

void RunMountCase(const TMountCase& c)
{
    if (::geteuid() != 0) GTEST_SKIP() << "mounting needs root";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString image = dir.filePath(c.image);
    const QString mountPoint = dir.filePath("mnt");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVEX_FIXTURES "/drives/") + c.image, image));
    QFile::setPermissions(image, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(QDir().mkpath(mountPoint));

    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(CheckMounted(c.fsType, image, mountPoint, c.label, c.serial, c.fileSystem));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == CannotMount)
        GTEST_SKIP() << "cannot mount a " << c.fsType << " image on a loop device here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "see the messages above";
}

} // namespace

TEST(LoopMount, Ext2ImageIsListedWithItsVolumeFacts)
{
    RunMountCase({"ext2.img", "ext2", "Data Disk", 0x028C2537, "EXT2"});
}

TEST(LoopMount, FatImageIsListedAndTakesANewSerial)
{
    RunMountCase({"fat12.img", "vfat", "BACKUP 1", 0x1A2B3C4D, "FAT"});
}
