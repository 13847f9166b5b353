#pragma once
// Shared by the extraction tests: fixture paths, a scripted prompt installed for one test,
// and the files below a folder.

#include "extract/ExtractFiles.h"
#include "platform/NativeNames.h"
#include "platform/Prompt.h"

#include <QString>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// Relative path (its bytes as on disk) -> contents of every file below root.
inline std::map<std::string, std::string> FilesBelow(const QString& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    const fs::path base(NativeString(root));
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(base, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file() || it->is_symlink()) continue;
        std::ifstream in(it->path(), std::ios::binary);
        files[it->path().lexically_relative(base).string()] = {
            std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    return files;
}

} // namespace quorvex::testing
