#pragma once
// The file a save replaces, as the file system sees it: where links lead, its permissions,
// and whether the user protected it.

#include <string>

namespace quorvex
{

// Gives file the mode, owner and group of like where allowed, or 0666 less the umask when
// like does not exist: a replaced catalog keeps its permissions, a new one gets the usual.
void TakePermissionsOf(const std::string& file, const std::string& like);

// The file a chain of symbolic links ends at (path itself when it is not a link); a save
// writes there so that the links stay.
std::string LinkTargetOf(const std::string& path);

// A file the user made read-only is not replaced, whatever the rights of the folder.
bool IsReadOnlyFile(const std::string& path);

} // namespace quorvex
