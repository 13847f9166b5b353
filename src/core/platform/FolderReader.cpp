#include "platform/FolderReader.h"

#include "catalog/ItemRecords.h"

#include <chrono>
#include <cstring>
#include <ctime>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorvex
{

namespace
{

constexpr int64_t SecondsPerDay = 86400;

// The local offset changes at most on quarter hours, so one localtime_r call per quarter
// hour met is enough; a scan meets few of them.
int64_t LocalOffsetAt(int64_t seconds)
{
    struct TSlot {
        int64_t Bucket = INT64_MIN;
        int64_t Offset = 0;
    };
    thread_local TSlot slots[64];
    const int64_t bucket = seconds >= 0 ? seconds / 900 : -((-seconds + 899) / 900);
    TSlot& slot = slots[uint64_t(bucket) % 64];
    if (slot.Bucket != bucket) {
        const std::time_t t = static_cast<std::time_t>(bucket * 900);
        std::tm local{};
        if (!localtime_r(&t, &local)) return 0;
        slot.Bucket = bucket;
        slot.Offset = local.tm_gmtoff;
    }
    return slot.Offset;
}

uint8_t AttributesOf(const char* name, bool directory, bool regular, bool link, bool ownerWrite)
{
    uint8_t attr = 0;
    if (directory)
        attr |= faDirectory;
    else if (regular || link)
        attr |= faArchive;
    else
        attr |= faSysFile;
    if (name[0] == '.') attr |= faHidden;
    if (!ownerWrite) attr |= faReadOnly;
    return attr;
}

} // namespace

int32_t DosDateTimeFromUnix(int64_t seconds)
{
    // Beyond these the year cannot be in 1980..2099 whatever the zone.
    if (seconds < 315532800 - 2 * SecondsPerDay || seconds > 4102444800 + 2 * SecondsPerDay)
        return 0;
    const int64_t local = seconds + LocalOffsetAt(seconds);
    const int64_t day =
        local >= 0 ? local / SecondsPerDay : -((-local + SecondsPerDay - 1) / SecondsPerDay);
    const int64_t secs = local - day * SecondsPerDay;
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{day}}};
    const int year = int(ymd.year());
    if (year < 1980 || year > 2099) return 0;
    const uint32_t date =
        uint32_t(year - 1980) << 9 | unsigned(ymd.month()) << 5 | unsigned(ymd.day());
    const uint32_t time =
        uint32_t(secs / 3600) << 11 | uint32_t(secs / 60 % 60) << 5 | uint32_t(secs % 60 / 2);
    return int32_t(date << 16 | time);
}

namespace
{

constexpr long BufferSize = 64 * 1024;
constexpr unsigned StatMask =
    STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME;

struct TLinuxDirent {
    uint64_t Inode;
    int64_t Offset;
    unsigned short Length;
    unsigned char Type;
    char Name[1];
};

void FillFromStatx(const struct statx& st, const char* name, TFolderEntry& e)
{
    const mode_t mode = st.stx_mode;
    e.IsDirectory = S_ISDIR(mode);
    e.IsRegular = S_ISREG(mode);
    e.Attr = AttributesOf(name, e.IsDirectory, e.IsRegular, S_ISLNK(mode), (mode & S_IWUSR) != 0);
    e.Device = (uint64_t(st.stx_dev_major) << 32) | st.stx_dev_minor;
    e.Size = e.IsDirectory ? 0 : int64_t(st.stx_size);
    e.Modified = DosDateTimeFromUnix(st.stx_mtime.tv_sec);
    e.Accessed = (st.stx_mask & STATX_ATIME) ? DosDateTimeFromUnix(st.stx_atime.tv_sec) : 0;
    e.Created = (st.stx_mask & STATX_BTIME) ? DosDateTimeFromUnix(st.stx_btime.tv_sec) : 0;
}

} // namespace

namespace
{

TFolderOpenFault& OpenFault()
{
    static TFolderOpenFault fault;
    return fault;
}

} // namespace

void SetFolderOpenFault(TFolderOpenFault fault)
{
    OpenFault() = std::move(fault);
}

TFolderReader::TFolderReader(const std::string& path, bool followLink) : m_path(path)
{
    const int fault = OpenFault() ? OpenFault()(path) : 0;
    if (fault != 0) {
        errno = fault;
        m_fd = -1;
    } else {
        m_fd = ::open(path.c_str(),
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    }
    if (m_fd < 0) {
        m_error = errno;
        if (m_error == EACCES || m_error == EPERM)
            m_result = Denied;
        else if (m_error == ENOENT || m_error == ENOTDIR || m_error == ELOOP)
            m_result = Missing;
        else
            m_result = Failed;
        return;
    }
    m_result = Opened;
    m_buffer = new char[BufferSize];
}

TFolderReader::~TFolderReader()
{
    if (m_fd >= 0) ::close(m_fd);
    delete[] m_buffer;
}

bool TFolderReader::Refill()
{
    const long n = ::syscall(SYS_getdents64, m_fd, m_buffer, BufferSize);
    if (n < 0) throw EFolderReadError("Cannot read folder " + m_path + ": " + std::strerror(errno));
    m_used = n;
    m_pos = 0;
    return n > 0;
}

bool TFolderReader::Next(TFolderEntry& entry)
{
    if (m_fd < 0) return false;
    for (;;) {
        if (m_pos >= m_used && !Refill()) return false;
        auto* d = reinterpret_cast<TLinuxDirent*>(m_buffer + m_pos);
        m_pos += d->Length;
        const char* name = d->Name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        struct statx st;
        if (::statx(m_fd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, StatMask, &st) != 0) {
            if (errno == ENOENT || errno == EACCES || errno == ENOTDIR)
                continue; // gone, or not ours to see
            throw EFolderReadError("Cannot read " + m_path + "/" + name + ": " +
                                   std::strerror(errno));
        }
        entry.Name.assign(name);
        FillFromStatx(st, name, entry);
        return true;
    }
}

bool ReadEntryOf(const std::string& path, TFolderEntry& entry, bool followLink)
{
    struct statx st;
    const int flags = (followLink ? 0 : AT_SYMLINK_NOFOLLOW) | AT_NO_AUTOMOUNT;
    if (::statx(AT_FDCWD, path.c_str(), flags, StatMask, &st) != 0) return false;
    const size_t slash = path.find_last_of('/');
    entry.Name = slash == std::string::npos ? path : path.substr(slash + 1);
    FillFromStatx(st, entry.Name.empty() ? "/" : entry.Name.c_str(), entry);
    return true;
}

} // namespace quorvex
