#pragma once
// Where a member lands: the destination folder, the member's stored folders when they are
// wanted, and its file name. Nothing of a stored name can lead out of the destination.

#include <QString>

#include <string>

namespace quorvex
{

// The output file for stored name `stored` (folders separated by "\" or "/"). `extractDir`
// empty: the archive's folder. Stored folders: a drive ("X:"), leading separators, "." and
// ".." are dropped. Empty when the stored name has no usable file name.
QString ExtractOutputPath(const std::string& stored, const QString& extractDir,
                          const QString& archiveFile, bool useStoredDirs);

// The folder every output path of ExtractOutputPath begins with, ending in "/".
QString ExtractOutputRoot(const QString& extractDir, const QString& archiveFile);

} // namespace quorvex
