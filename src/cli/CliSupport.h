#pragma once
// Pieces several commands share: opening a catalog with the program's messages, and a save
// dialog that answers with a name given on the command line.

#include "platform/FileDialogs.h"

#include <string>

namespace quorvex
{
class TCatalogTree;
class TTreeNode;
} // namespace quorvex

namespace quorvex::cli
{

// Opens the catalog, printing the error the way the program words it; null on failure.
TTreeNode* OpenOrReport(TCatalogTree& tree, const char* file);

// A Currency value as whole bytes.
std::string Bytes(int64_t currency);

class TAnswerSave : public IFileDialogs
{
public:
    explicit TAnswerSave(std::string file) : m_file(std::move(file)) {}
    std::vector<std::string> OpenCatalogs(const std::string&) override { return {}; }
    std::optional<std::string> SaveCatalog(const TSaveDialogRequest&) override { return m_file; }

private:
    std::string m_file;
};

} // namespace quorvex::cli
