#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace quorvex {

int64_t FreeSpaceOf(const std::string& path)
{
    QFileInfo info(QString::fromStdString(path));
    QString dir = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    while (!dir.isEmpty() && !QFileInfo::exists(dir)) {
        const QString parent = QFileInfo(dir).absolutePath();
        if (parent == dir) break;
        dir = parent;
    }
    struct statvfs st {};
    if (::statvfs(QFile::encodeName(dir).constData(), &st) != 0) return -1;
    return static_cast<int64_t>(st.f_bavail) * static_cast<int64_t>(st.f_frsize);
}

std::string TempFolder()
{
    QString dir = QDir::tempPath();
    while (dir.size() > 1 && dir.endsWith('/')) dir.chop(1);
    return dir.toStdString();
}

std::string CreateTempFile(const std::string& dir, const std::string& prefix)
{
    std::string pattern = dir + "/" + prefix + "XXXXXX.tmp";
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) return {};
    ::close(fd);
    return pattern;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

std::string AbsolutePath(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

} // namespace quorvex
