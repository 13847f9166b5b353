#include "extract/TempExtractedFiles.h"

#include "extract/ExtractFiles.h"
#include "platform/Prompt.h"

#include <QFile>
#include <QFileInfo>

namespace quorvex
{

void RemoveTempExtractedFiles(TTempRemoval setting)
{
    if (setting == TTempRemoval::AlwaysLeaveTemp) return;
    QStringList left;
    for (const QString& name : TempExtractedFiles)
        if (QFileInfo::exists(name)) left.append(name);
    TempExtractedFiles = left;
    if (left.isEmpty()) return;
    if (setting == TTempRemoval::AskRemoveTemp &&
        Prompt().Ask(QStringLiteral("Quorvex"),
                     QStringLiteral("There are still some extracted files left in the temporary "
                                    "folder.\rShould these files be deleted from your disk?"),
                     pbYes | pbNo, TPromptIcon::Question, pbYes) == pbNo)
        return;
    for (const QString& name : left)
        QFile::remove(name);
    TempExtractedFiles.clear();
}

} // namespace quorvex
