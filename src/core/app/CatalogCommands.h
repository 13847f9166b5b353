#pragma once
// The commands on open catalogs that need no window: the name proposed for a new catalog,
// closing with the save prompt, closing all, the save prompts before exit, dropped files.

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class TCatalogTree;
class TTreeNode;
struct TCatalogRec;

// "Catalog" + the smallest n >= 1 that no top-level node uses.
std::string NewCatalogName(const TCatalogTree& tree);
// A new, unsaved and unmodified catalog at the end of the tree.
TTreeNode* AddNewCatalog(TCatalogTree& tree, const std::string& name);

enum class TCloseAnswer { Yes, No, Cancel };

struct TCloseHooks {
    std::function<bool(TTreeNode* catalogNode)> Save; // saveAs false; false when it failed
    std::function<void()> BeginBusy;
    std::function<void()> EndBusy;
    std::function<void()> AfterClose; // refresh the list and the search scope
    bool ProgramClosing = false;
};

// Closes one catalog, asking about unsaved changes when prompt is set. A failed save keeps
// the catalog open (answer Yes).
TCloseAnswer CloseCatalog(TTreeNode* node, bool prompt, TCloseHooks& hooks);
// Closes the catalogs from the last one up; stops at Cancel. Returns the last answer.
TCloseAnswer CloseAllCatalogs(TCatalogTree& tree, bool prompt, TCloseHooks& hooks);
// Asks about each modified catalog in tree order; false stops the exit.
bool SavePromptsBeforeExit(TCatalogTree& tree, TCloseHooks& hooks);

QString SaveChangesQuestion(const std::string& catalogName);

struct TDroppedFiles {
    std::vector<std::string> Catalogs;
    int Others = 0;
};
TDroppedFiles SplitDroppedFiles(const std::vector<std::string>& names);
// The message for drops without any catalog; empty when nothing was dropped.
QString DroppedFilesMessage(const TDroppedFiles& drop);

} // namespace quorvex
