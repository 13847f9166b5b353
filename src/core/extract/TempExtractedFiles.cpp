#include "extract/TempExtractedFiles.h"

#include "extract/ExtractFiles.h"
#include "platform/NativeNames.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Prompt.h"

namespace quorvex
{

void RemoveTempExtractedFiles(TTempRemoval setting)
{
    if (setting == TTempRemoval::AlwaysLeaveTemp) return RemovePrivateTempFolders(false);
    QStringList left;
    for (const QString& name : TempExtractedFiles)
        if (NativeExists(name)) left.append(name);
    TempExtractedFiles = left;
    if (left.isEmpty()) return RemovePrivateTempFolders(true);
    if (setting == TTempRemoval::AskRemoveTemp &&
        Prompt().Ask(QStringLiteral("Quorvex"),
                     QStringLiteral("There are still some extracted files left in the temporary "
                                    "folder.\rShould these files be deleted from your disk?"),
                     pbYes | pbNo, TPromptIcon::Question, pbYes) == pbNo)
        return RemovePrivateTempFolders(false);
    for (const QString& name : left)
        RemoveNativeFile(name);
    TempExtractedFiles.clear();
    RemovePrivateTempFolders(true);
}

} // namespace quorvex
