#include "catalog/SaveTarget.h"

#include "platform/FileSystem.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex
{

void TakePermissionsOf(const std::string& file, const std::string& like)
{
    struct stat st {
    };
    if (::stat(like.c_str(), &st) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(file.c_str(), 0666 & ~mask);
        return;
    }
    // Owner and group first: changing them may clear set-id bits the mode then restores.
    if (::chown(file.c_str(), st.st_uid, st.st_gid) != 0 &&
        ::chown(file.c_str(), uid_t(-1), st.st_gid) != 0) {
        // not allowed: the new file keeps our own group
    }
    ::chmod(file.c_str(), st.st_mode & 07777);
}

std::string LinkTargetOf(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) { // the kernel's own limit for link chains
        struct stat st {
        };
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (n <= 0 || size_t(n) >= sizeof buffer) return current;
        std::string next(buffer, size_t(n));
        current = next.front() == '/' ? next : FolderOf(current) + "/" + next;
    }
    return current;
}

bool IsReadOnlyFile(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

} // namespace quorvex
