#include "catalog/SaveTempFile.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex
{

TSaveTempFile::~TSaveTempFile()
{
    if (m_lockFd >= 0) ::close(m_lockFd);
}

bool TSaveTempFile::Create(const std::string& dir)
{
    std::string pattern = dir + "/" + Prefix + "XXXXXX" + Suffix;
    const int fd = ::mkostemps(pattern.data(), int(std::strlen(Suffix)), O_CLOEXEC);
    if (fd < 0) return false;
    // The lock lives as long as this object (or the process): the mark of a save at work.
    ::flock(fd, LOCK_EX);
    m_lockFd = fd;
    m_path = pattern;
    return true;
}

void TSaveTempFile::Remove()
{
    if (!m_path.empty()) ::unlink(m_path.c_str());
    m_path.clear();
}

int RemoveStaleSaveTemps(const std::string& dir)
{
    const QString prefix = QString::fromLatin1(TSaveTempFile::Prefix);
    const QStringList names = QDir(QString::fromStdString(dir))
                                  .entryList({prefix + "??????" + TSaveTempFile::Suffix},
                                             QDir::Files | QDir::Hidden | QDir::System);
    int removed = 0;
    for (const QString& name : names) {
        const std::string path = dir + "/" + name.toStdString();
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {
        };
        // Young files are spared too: a save may have created its file and not locked it yet.
        const bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                           st.st_mtime + TSaveTempFile::StaleSeconds < std::time(nullptr) &&
                           ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale && ::unlink(path.c_str()) == 0) ++removed;
        ::close(fd);
    }
    return removed;
}

} // namespace quorvex
