#pragma once
// Opening catalog files into the tree, one by one, with the messages for files that are
// damaged, missing or unreadable.

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class TCatalogTree;
class TTreeNode;
class TRecentFiles;

struct TOpenRequest {
    // The names to open; without a list the Open dialog asks for them.
    bool HasList = false;
    std::vector<std::string> Names;
    // Set for the recent-files menu, dropped files and a second instance's hand-over.
    bool InteractiveMark = false;
    // The list is the autoload list: names that fail to open are taken out of it.
    bool FromAutoload = false;
};

struct TOpenContext {
    TCatalogTree* Tree = nullptr;
    TRecentFiles* Recent = nullptr;
    std::string DefaultCatalogFolder;
    std::function<void(const std::vector<std::string>& names)> AutoloadChanged;
    std::function<void(TTreeNode*)> SelectNode;
    std::function<void(TTreeNode*)> ExpandNode;
    std::function<void()> RebuildSearchScope;
    std::function<void()> RefreshCommands;
};

// Returns the catalog nodes opened.
std::vector<TTreeNode*> OpenCatalogs(TOpenContext& context, TOpenRequest& request);

// Removes a catalog or disk node with everything below it, whatever happens while its
// records are released.
void DeleteItemNode(TTreeNode* node);

// The open catalog whose file is fileName (compared without case), or null.
TTreeNode* FindOpenCatalog(TCatalogTree& tree, const std::string& fileName);

} // namespace quorvex
