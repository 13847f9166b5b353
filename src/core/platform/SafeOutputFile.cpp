#include "platform/SafeOutputFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex
{

namespace
{

constexpr int TemporaryAttempts = 100;

// The root and its parents, made as mkdir -p would; the root may be reached through links.
int OpenRoot(const std::string& root)
{
    const std::string path = root.empty() ? std::string(".") : root;
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0777);
    ::mkdir(path.c_str(), 0777);
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::string Joined(const std::string& folder, const std::string& part)
{
    if (folder.empty() || folder.back() == '/') return folder + part;
    return folder + "/" + part;
}

std::string RandomTemporaryName()
{
    static std::random_device device;
    static std::mt19937_64 random(device());
    char name[40];
    std::snprintf(name, sizeof name, ".quorvex-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    return name;
}

} // namespace

TSafeFolder::~TSafeFolder()
{
    if (m_fd >= 0) ::close(m_fd);
}

TSafeOutcome TSafeFolder::Refuse(int parent, const std::string& part, const std::string& path)
{
    m_errno = errno;
    m_problem = path;
    struct stat st {
    };
    if (::fstatat(parent, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) return TSafeOutcome::LinkInPath;
        if (!S_ISDIR(st.st_mode)) return TSafeOutcome::NotAFolder;
    }
    return TSafeOutcome::Failed;
}

TSafeOutcome TSafeFolder::Open(const std::string& root, const std::string& folders)
{
    if (m_fd >= 0) ::close(m_fd);
    m_problem.clear();
    m_fd = OpenRoot(root);
    if (m_fd < 0) {
        m_errno = errno;
        m_problem = root;
        return TSafeOutcome::Failed;
    }
    std::string path = root;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find('/', start);
        if (end == std::string::npos) end = folders.size();
        const std::string part = folders.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        path = Joined(path, part);
        if (part == "..") {
            errno = EINVAL;
            return Refuse(m_fd, part, path);
        }
        if (::mkdirat(m_fd, part.c_str(), 0777) != 0 && errno != EEXIST)
            return Refuse(m_fd, part, path);
        const int next =
            ::openat(m_fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) return Refuse(m_fd, part, path);
        ::close(m_fd);
        m_fd = next;
    }
    return TSafeOutcome::Ok;
}

std::string TSafeFolder::LinkTarget() const
{
    char target[4096];
    const ssize_t n = ::readlink(m_problem.c_str(), target, sizeof target);
    return n > 0 ? std::string(target, size_t(n)) : std::string();
}

TSafeOutputFile::~TSafeOutputFile()
{
    Discard();
}

TSafeOutcome TSafeOutputFile::Prepare(const std::string& root, const std::string& relative)
{
    Discard();
    const size_t slash = relative.rfind('/');
    const std::string folders =
        slash == std::string::npos ? std::string() : relative.substr(0, slash);
    m_name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    if (m_name.empty() || m_name == "." || m_name == "..") {
        m_errno = EINVAL;
        return TSafeOutcome::Failed;
    }
    const TSafeOutcome folder = m_folder.Open(root, folders);
    if (folder != TSafeOutcome::Ok) return folder;
    const int dir = m_folder.Handle();

    struct stat st {
    };
    if (::fstatat(dir, m_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(st.st_mode)) return TSafeOutcome::TargetIsFolder;
        // Replacing a file the user may not write would overwrite it behind the system's back.
        if (S_ISREG(st.st_mode)) {
            const int probe =
                ::openat(dir, m_name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (probe < 0) {
                m_errno = errno;
                return TSafeOutcome::TargetReadOnly;
            }
            ::close(probe);
        }
    }
    return TSafeOutcome::Ok;
}

TSafeOutcome TSafeOutputFile::Create(const std::string& root, const std::string& relative)
{
    const TSafeOutcome prepared = Prepare(root, relative);
    if (prepared != TSafeOutcome::Ok) return prepared;
    const int dir = m_folder.Handle();
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        const std::string temp = RandomTemporaryName();
        m_fd =
            ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temp = temp;
            return TSafeOutcome::Ok;
        }
        if (errno != EEXIST) break;
    }
    m_errno = errno;
    return TSafeOutcome::Failed;
}

TSafeOutcome TSafeOutputFile::Reserve(const std::string& root, const std::string& relative)
{
    const TSafeOutcome prepared = Prepare(root, relative);
    if (prepared != TSafeOutcome::Ok) return prepared;
    const int dir = m_folder.Handle();
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        const std::string name = RandomTemporaryName();
        if (::mkdirat(dir, name.c_str(), 0700) != 0) {
            if (errno == EEXIST) continue;
            break;
        }
        m_private = ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (m_private < 0) {
            m_errno = errno;
            ::unlinkat(dir, name.c_str(), AT_REMOVEDIR);
            return TSafeOutcome::Failed;
        }
        m_privateName = name;
        m_temp = "member";
        return TSafeOutcome::Ok;
    }
    m_errno = errno;
    return TSafeOutcome::Failed;
}

std::string TSafeOutputFile::TemporaryPath() const
{
    return "/proc/self/fd/" + std::to_string(TempFolder()) + "/" + m_temp;
}

TSafeOutcome TSafeOutputFile::Commit()
{
    if (m_temp.empty()) {
        m_errno = EINVAL;
        return TSafeOutcome::Failed;
    }
    if (m_fd >= 0 && ::close(m_fd) != 0) {
        m_fd = -1;
        m_errno = errno;
        Discard();
        return TSafeOutcome::Failed;
    }
    m_fd = -1;
    const int dir = m_folder.Handle();
    struct stat st {
    };
    errno = 0;
    if (::fstatat(TempFolder(), m_temp.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode)) {
        m_errno = errno ? errno : EINVAL;
        Discard();
        return TSafeOutcome::Failed;
    }
    if (::renameat(TempFolder(), m_temp.c_str(), dir, m_name.c_str()) != 0) {
        m_errno = errno;
        Discard();
        return TSafeOutcome::Failed;
    }
    m_temp.clear();
    Discard();
    return TSafeOutcome::Ok;
}

void TSafeOutputFile::Discard()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    // What a library left in the private folder may be a file, a link or a folder.
    if (!m_temp.empty() && ::unlinkat(TempFolder(), m_temp.c_str(), 0) != 0 && errno == EISDIR)
        ::unlinkat(TempFolder(), m_temp.c_str(), AT_REMOVEDIR);
    m_temp.clear();
    if (m_private >= 0) {
        ::close(m_private);
        m_private = -1;
        ::unlinkat(m_folder.Handle(), m_privateName.c_str(), AT_REMOVEDIR);
        m_privateName.clear();
    }
}

bool EntryExists(const std::string& path)
{
    struct stat st {
    };
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace quorvex
