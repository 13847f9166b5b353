#pragma once
// The Open Catalog and Save Catalog dialogs, and the one that picks a program.

#include "platform/FileDialogs.h"

namespace quorvex {

class TGuiFileDialogs : public IFileDialogs {
public:
    std::vector<std::string> OpenCatalogs(const std::string& initialDir) override;
    std::optional<std::string> SaveCatalog(const TSaveDialogRequest& request) override;
    std::optional<std::string> OpenProgram(const TOpenProgramRequest& request) override;
};

} // namespace quorvex
