#include "platform/FileDialogs.h"

#include "platform/ServiceSlot.h"

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

std::optional<std::string> TScriptedFileDialogs::OpenProgram(const TOpenProgramRequest& request)
{
    ProgramRequests.push_back(request);
    if (ProgramAnswers.empty()) return std::nullopt;
    std::string answer = ProgramAnswers.front();
    ProgramAnswers.erase(ProgramAnswers.begin());
    return answer;
}

static TServiceSlot<IFileDialogs, TNoFileDialogs> s_filedialogs;

IFileDialogs& FileDialogs() { return s_filedialogs.Get(); }
void SetFileDialogs(IFileDialogs* dialogs) { s_filedialogs.Set(dialogs); }

} // namespace quorvex
