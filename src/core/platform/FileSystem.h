#pragma once
// The few file-system services the catalog code needs beyond plain file access.

#include <cstdint>
#include <string>

namespace quorvex {

// Free bytes on the volume holding path (or its nearest existing parent); -1 when unknown.
int64_t FreeSpaceOf(const std::string& path);
// The system temporary folder, without a trailing separator.
std::string TempFolder();
// Creates a new empty file named prefix + unique part + ".tmp" in dir and returns its path;
// empty on failure.
std::string CreateTempFile(const std::string& dir, const std::string& prefix);
bool FileExists(const std::string& path);
std::string FolderOf(const std::string& path);
std::string AbsolutePath(const std::string& path);

} // namespace quorvex
