#include "platform/FileDialogs.h"

namespace quorvex {

std::vector<std::string> TScriptedFileDialogs::OpenCatalogs(const std::string& initialDir)
{
    OpenRequests.push_back(initialDir);
    if (OpenAnswers.empty()) return {};
    std::vector<std::string> answer = OpenAnswers.front();
    OpenAnswers.erase(OpenAnswers.begin());
    return answer;
}

std::optional<std::string> TScriptedFileDialogs::SaveCatalog(const TSaveDialogRequest& request)
{
    SaveRequests.push_back(request);
    if (SaveAnswers.empty()) return std::nullopt;
    std::string answer = SaveAnswers.front();
    SaveAnswers.erase(SaveAnswers.begin());
    return answer;
}

static IFileDialogs*& CurrentDialogs()
{
    static IFileDialogs* current = nullptr;
    return current;
}

IFileDialogs& FileDialogs()
{
    static TNoFileDialogs none;
    return CurrentDialogs() ? *CurrentDialogs() : none;
}

void SetFileDialogs(IFileDialogs* dialogs) { CurrentDialogs() = dialogs; }

} // namespace quorvex
