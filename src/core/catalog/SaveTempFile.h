#pragma once
// The temporary files of a save. Their names say they are ours, and a save holds a lock on
// each while it writes it, so that a later save can tell the files a killed save left behind
// from the ones a running save is still writing, and remove only the former.

#include <string>

namespace quorvex
{

class TSaveTempFile
{
public:
    static constexpr const char* Prefix = "ctf.quorvex.";
    static constexpr const char* Suffix = ".tmp";
    // A file not written for this long, and not locked, was left by a save that died.
    static constexpr int StaleSeconds = 60;

    TSaveTempFile() = default;
    TSaveTempFile(const TSaveTempFile&) = delete;
    TSaveTempFile& operator=(const TSaveTempFile&) = delete;
    ~TSaveTempFile(); // releases the lock; the file stays unless Remove was called

    // Creates a new empty file in dir and locks it; false (with errno set) when that fails.
    bool Create(const std::string& dir);
    const std::string& Path() const { return m_path; }
    // Deletes the file if it is still there (it is not once it was renamed into place).
    void Remove();

private:
    std::string m_path;
    int m_lockFd = -1;
};

// Removes the stale temporary files of ours in dir (see above); returns how many.
int RemoveStaleSaveTemps(const std::string& dir);

} // namespace quorvex
