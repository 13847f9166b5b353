#pragma once
// Shared by the extraction tests: fixture paths, a scripted prompt installed for one test,
// and the files below a folder.

#include "extract/ExtractFiles.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QDirIterator>
#include <QString>

#include <map>
#include <string>

namespace quorvex::testing
{

inline QString ExtractFixture(const std::string& name)
{
    return QString::fromStdString(std::string(QUORVEX_FIXTURES "/extract/") + name);
}

inline std::string ExpectedFile(const std::string& name)
{
    return std::string(QUORVEX_FIXTURES "/extract/files/") + name;
}

// Installs a scripted prompt and resets the driver's process-wide state.
class TExtractTestScope
{
public:
    TExtractTestScope()
    {
        SetPrompt(&prompt);
        SilentExtract = false;
        LastExtractError = 0;
        TempExtractedFiles.clear();
        ExtractHooks() = {};
    }
    ~TExtractTestScope()
    {
        SetPrompt(nullptr);
        ExtractHooks() = {};
        TempExtractedFiles.clear();
    }
    TScriptedPrompt prompt;
};

// Relative path -> contents of every file below root.
inline std::map<std::string, std::string> FilesBelow(const QString& root)
{
    std::map<std::string, std::string> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files[QDir(root).relativeFilePath(path).toStdString()] = f.readAll().toStdString();
    }
    return files;
}

} // namespace quorvex::testing
