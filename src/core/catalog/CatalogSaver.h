#pragma once
// Saving a catalog: into a temporary file first, then into place (with an optional backup).
// A save that fails leaves the catalog in memory and its old file exactly as they were.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace quorvex {

class TTreeNode;
class TWriteTarget;

struct TSaveOptions {
    std::string DefaultCatalogFolder;
    bool CreateBackup = false; // "Create backup (.BAK) files"
    // Where the bytes go; tests put a failing writer here.
    std::function<std::unique_ptr<TWriteTarget>(const std::string& path)> OpenWriter;
    std::function<int64_t(const std::string& path)> FreeSpace; // bytes
    // Moves the temporary file into place; returns 0 or an errno value.
    std::function<int(const std::string& from, const std::string& to)> Rename;
    std::function<void(int milliseconds)> Sleep;
};

// Returns true when saved or nothing needed saving; false when cancelled or failed (the
// message has been shown).
bool SaveCatalog(TTreeNode* catNode, bool saveAs, const TSaveOptions& options = {});

// 38 + for each disk 102 + 31 x files + 39 x folders.
int64_t CatalogSizeEstimate(TTreeNode* catNode);

std::string BackupNameOf(const std::string& fileName);

} // namespace quorvex
