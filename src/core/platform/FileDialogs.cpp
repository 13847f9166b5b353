#include "platform/FileDialogs.h"

#include "platform/ServiceSlot.h"

namespace quorvex {

namespace {

// The next scripted answer, taken off the queue; nothing when the queue is empty.
template <typename T> std::optional<T> TakeNext(std::vector<T>& answers)
{
    if (answers.empty()) return std::nullopt;
    T answer = std::move(answers.front());
    answers.erase(answers.begin());
    return answer;
}

} // namespace

std::vector<std::string> TScriptedFileDialogs::OpenCatalogs(const std::string& initialDir)
{
    OpenRequests.push_back(initialDir);
    return TakeNext(OpenAnswers).value_or(std::vector<std::string>{});
}

std::optional<std::string> TScriptedFileDialogs::SaveCatalog(const TSaveDialogRequest& request)
{
    SaveRequests.push_back(request);
    return TakeNext(SaveAnswers);
}

std::optional<std::string> TScriptedFileDialogs::OpenProgram(const TOpenProgramRequest& request)
{
    ProgramRequests.push_back(request);
    return TakeNext(ProgramAnswers);
}

static TServiceSlot<IFileDialogs, TNoFileDialogs> s_filedialogs;

IFileDialogs& FileDialogs() { return s_filedialogs.Get(); }
void SetFileDialogs(IFileDialogs* dialogs) { s_filedialogs.Set(dialogs); }

} // namespace quorvex
