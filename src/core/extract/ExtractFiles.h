#pragma once
// The one entry point for unpacking members of archives: picks the extractor for the
// archive's kind, shows progress, maps a failure to one message and keeps the list of
// unpacked temporary files.

#include <QString>
#include <QStringList>

#include <functional>

namespace quorvex
{

// 0 = no error; an archive error code (25100..25899); -2 = failed without a recorded code;
// -3 = cancelled by the user.
extern int LastExtractError;
constexpr int ExtractFailed = -2;
constexpr int ExtractCanceled = -3;
// Set while description files are unpacked during a scan: no messages at all.
extern bool SilentExtract;
// Full names of the unpacked temporary files, removed at exit as the settings say.
extern QStringList TempExtractedFiles;

// What a caller may add to every extraction (the command line reports each member).
struct TExtractHooks {
    std::function<void(const QString& fileName, bool& accept)> FileExists; // unset: overwrite
    std::function<void(const QString& fileName, bool crcPass)> MemberEnd;
};
TExtractHooks& ExtractHooks();

// memberList: names handed to the RAR extractor in one pass (null otherwise). fileSpec:
// "*.*" or one member's name. True when the extraction ended without an error.
bool ExtractFiles(int archiveKind, const QString& archive, const QString& destination,
                  bool showProgress, bool useStoredDirs, bool temporary,
                  const QStringList* memberList, const QString& fileSpec);

// The folder temporary copies go to, with a trailing "/": this program's private folder
// inside the ExtractDir setting (the system's temporary folder when empty). Empty when it
// cannot be made.
QString TemporaryExtractFolder();

} // namespace quorvex
