#pragma once
// Files written below a destination folder without ever passing through a symbolic link.
// The destination itself is the user's choice and is taken as it is; below it every folder
// is made and entered one step at a time relative to the one before, never following a
// link, and the data goes to a fresh temporary file beside the target, which takes the
// target's place only when the caller commits it. A failed file leaves nothing behind and
// damages nothing that was there.

#include <string>

namespace quorvex
{

enum class TSafeOutcome {
    Ok,
    LinkInPath,     // a part of the path is a symbolic link (Problem(), LinkTarget())
    NotAFolder,     // a part of the folder path is a file or something else
    TargetIsFolder, // the file's name is taken by a folder
    TargetReadOnly, // an existing file that may not be written
    Failed,         // the system refused (Error() holds errno)
};

// A folder below a root, made where missing and entered without following links.
class TSafeFolder
{
public:
    TSafeFolder() = default;
    ~TSafeFolder();
    TSafeFolder(const TSafeFolder&) = delete;
    TSafeFolder& operator=(const TSafeFolder&) = delete;

    // Makes root with its parents when missing, then enters (and makes) each "/"-separated
    // part of folders below it.
    TSafeOutcome Open(const std::string& root, const std::string& folders);
    int Handle() const { return m_fd; }
    // The full path of what stood in the way, and where it leads when it is a link.
    const std::string& Problem() const { return m_problem; }
    std::string LinkTarget() const;
    int Error() const { return m_errno; }

private:
    TSafeOutcome Refuse(int parent, const std::string& part, const std::string& path);

    int m_fd = -1;
    std::string m_problem;
    int m_errno = 0;
};

class TSafeOutputFile
{
public:
    TSafeOutputFile() = default;
    ~TSafeOutputFile(); // an uncommitted temporary is removed
    TSafeOutputFile(const TSafeOutputFile&) = delete;
    TSafeOutputFile& operator=(const TSafeOutputFile&) = delete;

    // Prepares root + "/" + relative: makes its folders and creates the temporary file
    // beside it. An existing file there is left alone until Commit; a folder or a file that
    // may not be written is refused.
    TSafeOutcome Create(const std::string& root, const std::string& relative);
    // As Create, for code that makes the file itself by name: the temporary is not created
    // but named, inside a private folder (mode 0700) beside the target.
    TSafeOutcome Reserve(const std::string& root, const std::string& relative);
    // The temporary, open for writing (Create only).
    int Handle() const { return m_fd; }
    // A name of the temporary that no later change of the folder names can redirect.
    std::string TemporaryPath() const;
    // Closes the temporary and puts it in the target's place; whatever had the name before
    // (a symbolic link too) is replaced, never followed. Only a regular file is put there.
    TSafeOutcome Commit();
    // Removes the temporary; the target stays as it was.
    void Discard();

    const TSafeFolder& Folder() const { return m_folder; }
    int Error() const { return m_errno; }

private:
    TSafeOutcome Prepare(const std::string& root, const std::string& relative);
    int TempFolder() const { return m_private >= 0 ? m_private : m_folder.Handle(); }

    TSafeFolder m_folder;
    std::string m_name;
    std::string m_temp;
    std::string m_privateName; // the private folder holding the temporary (Reserve)
    int m_private = -1;
    int m_fd = -1;
    int m_errno = 0;
};

// True when path names anything at all, a dangling symbolic link included.
bool EntryExists(const std::string& path);

} // namespace quorvex
