#pragma once
// Reading the entries of one folder of a medium with their metadata, as a disk scan needs
// them: DOS attributes, the size, and the three times as DOS packed date-times in local time.
// On Linux one getdents64 call fetches many names and one statx call per entry its metadata.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace quorvex
{

// A folder that could be opened failed while it was read (a failing medium).
class EFolderReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TFolderEntry {
    std::string Name;
    uint8_t Attr = 0;         // DOS attribute bits
    bool IsDirectory = false; // a real folder, never a link to one
    bool IsRegular = false;   // a plain file (archives are only opened when this holds)
    uint64_t Device = 0;      // the file system holding the entry
    int64_t Size = 0;         // bytes, the full 64-bit size
    int32_t Created = 0;      // DOS packed date-times, 0 = unknown
    int32_t Modified = 0;
    int32_t Accessed = 0;
};

// Symbolic links are entries of their own (never followed); a name beginning with "." is
// hidden; no owner write permission is read-only; devices, pipes and sockets are system
// entries; plain files carry the archive bit.
class TFolderReader
{
public:
    // Denied: no permission (EACCES, EPERM); Missing: gone or no folder; Failed: any other
    // error, such as an I/O error of the medium (Error() holds its errno).
    enum TOpenResult { Opened, Denied, Missing, Failed };

    // followLink: path may be a symbolic link to the folder (a root chosen by the user);
    // otherwise a link is not opened.
    explicit TFolderReader(const std::string& path, bool followLink = false);
    ~TFolderReader();
    TFolderReader(const TFolderReader&) = delete;
    TFolderReader& operator=(const TFolderReader&) = delete;

    TOpenResult Result() const { return m_result; }
    int Error() const { return m_error; }
    // The next entry other than "." and "..", in the order the system lists them; false at
    // the end. Entries that vanish while being read are passed over. Throws EFolderReadError.
    bool Next(TFolderEntry& entry);

private:
    bool Refill();

    std::string m_path;
    int m_fd = -1;
    TOpenResult m_result = Missing;
    int m_error = 0;
    char* m_buffer = nullptr;
    long m_used = 0;
    long m_pos = 0;
};

// Makes opening the folders it names fail with the errno it returns (0: open as usual), so
// tests can refuse a folder to a user who may read everything. Empty: no such fault.
using TFolderOpenFault = std::function<int(const std::string& path)>;
void SetFolderOpenFault(TFolderOpenFault fault);

// The entry of one path (the folder itself or a file); false when it cannot be read.
bool ReadEntryOf(const std::string& path, TFolderEntry& entry, bool followLink = false);

// Seconds since 1970 UTC as a DOS packed date-time in the local time of that moment;
// 0 outside 1980..2099.
int32_t DosDateTimeFromUnix(int64_t seconds);

} // namespace quorvex
