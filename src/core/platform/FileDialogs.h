#pragma once
// The open and save dialogs as core sees them. The GUI shows real dialogs; tests script them.

#include <optional>
#include <string>
#include <vector>

namespace quorvex {

struct TSaveDialogRequest {
    std::string Title;
    std::string FileName;
    std::string InitialDir;
};

struct TOpenProgramRequest {
    std::string Title;
    std::string InitialDir;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Catalog files to open (several may be chosen); empty when cancelled.
    virtual std::vector<std::string> OpenCatalogs(const std::string& initialDir) = 0;
    // The chosen file name, or nothing when cancelled.
    virtual std::optional<std::string> SaveCatalog(const TSaveDialogRequest& request) = 0;
    // A program file to run, or nothing when cancelled.
    virtual std::optional<std::string> OpenProgram(const TOpenProgramRequest&) { return std::nullopt; }
};

// Answers from queues; an empty queue cancels.
class TScriptedFileDialogs : public IFileDialogs {
public:
    std::vector<std::string> OpenCatalogs(const std::string& initialDir) override;
    std::optional<std::string> SaveCatalog(const TSaveDialogRequest& request) override;
    std::optional<std::string> OpenProgram(const TOpenProgramRequest& request) override;

    std::vector<std::vector<std::string>> OpenAnswers;
    std::vector<std::string> SaveAnswers;
    std::vector<TSaveDialogRequest> SaveRequests;
    std::vector<std::string> OpenRequests;
    std::vector<std::string> ProgramAnswers;
    std::vector<TOpenProgramRequest> ProgramRequests;
};

// Cancels everything: the default where no dialogs can be shown.
class TNoFileDialogs : public IFileDialogs {
public:
    std::vector<std::string> OpenCatalogs(const std::string&) override { return {}; }
    std::optional<std::string> SaveCatalog(const TSaveDialogRequest&) override { return std::nullopt; }
};

IFileDialogs& FileDialogs();
void SetFileDialogs(IFileDialogs* dialogs);

} // namespace quorvex
