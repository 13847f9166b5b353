#include "scan/DescriptionFiles.h"

#include "extract/ExtractFiles.h"
#include "platform/NativeNames.h"

namespace quorvex
{

std::string TakeOutOfArchive(int archiveKind, const std::string& archivePath,
                             const std::string& memberName)
{
    // The program's private folder: no other program's copy can pass for this archive's.
    const QString folder = TemporaryExtractFolder();
    if (folder.isEmpty()) return {};
    QString name = NameFromNative(memberName);
    name.replace(u'\\', u'/');
    name = name.mid(name.lastIndexOf(u'/') + 1);
    if (name.isEmpty()) return {};
    const QString copy = folder + name;
    // A copy left from an earlier archive must not pass for this one's.
    RemoveNativeFile(copy);

    const bool wasSilent = SilentExtract;
    SilentExtract = true;
    ExtractFiles(archiveKind, NameFromNative(archivePath), folder, false, false, false, nullptr,
                 name);
    SilentExtract = wasSilent;
    return NativeIsFile(copy) ? NativeString(copy) : std::string();
}

} // namespace quorvex
