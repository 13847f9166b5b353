#include "app/CatalogCommands.h"

#include "catalog/CatalogOpener.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "platform/Prompt.h"

#include <cctype>
#include <set>

namespace quorvex {

std::string NewCatalogName(const TCatalogTree& tree)
{
    std::set<std::string> taken;
    for (int i = 0; i < tree.Count(); ++i) taken.insert(tree.Catalog(i)->Text);
    for (int n = 1;; ++n) {
        std::string name = "Catalog" + std::to_string(n);
        if (!taken.count(name)) return name;
    }
}

TTreeNode* AddNewCatalog(TCatalogTree& tree, const std::string& name)
{
    auto* cat = new TCatalogRec;
    cat->KindFlags = ikCatalog;
    cat->Modified = 0;
    cat->CurrentFormat = 1;
    TTreeNode* node = tree.AddChild(nullptr, name, cat);
    cat->Node = node;
    return node;
}

QString SaveChangesQuestion(const std::string& catalogName)
{
    return "Save changes to catalog \"" + QString::fromStdString(catalogName) + "\" ?";
}

TCloseAnswer CloseCatalog(TTreeNode* node, bool prompt, TCloseHooks& hooks)
{
    IProgress& progress = Progress();
    progress.ProcessEvents();
    if (hooks.BeginBusy) hooks.BeginBusy();
    const bool ownStatus = progress.StatusIdle();
    if (ownStatus) progress.SetStatus(QStringLiteral("Wait, closing catalog..."), StatusBusy);
    TCloseAnswer answer = TCloseAnswer::Cancel;
    if (auto* cat = node ? AsCatalog(node->Data) : nullptr) {
        answer = TCloseAnswer::Yes;
        if (cat->Modified) {
            const int asked = prompt ? Prompt().Ask("Confirm", SaveChangesQuestion(node->Text),
                                                    pbYes | pbNo | pbCancel, TPromptIcon::Question, pbYes)
                                     : int(pbNo);
            answer = asked == pbYes ? TCloseAnswer::Yes : asked == pbNo ? TCloseAnswer::No : TCloseAnswer::Cancel;
        }
        bool close = answer != TCloseAnswer::Cancel;
        if (close && cat->Modified && answer == TCloseAnswer::Yes)
            close = hooks.Save && hooks.Save(node);
        if (close) {
            progress.ProcessEvents();
            DeleteItemNode(node);
        }
    }
    if (hooks.EndBusy) hooks.EndBusy();
    if (!hooks.ProgramClosing && hooks.AfterClose) hooks.AfterClose();
    if (ownStatus) progress.SetStatus({}, 0);
    return answer;
}

TCloseAnswer CloseAllCatalogs(TCatalogTree& tree, bool prompt, TCloseHooks& hooks)
{
    IProgress& progress = Progress();
    const bool ownStatus = progress.StatusIdle();
    if (ownStatus) progress.SetStatus(QStringLiteral("Wait, closing all catalogs..."), StatusBusy);
    if (hooks.BeginBusy) hooks.BeginBusy();
    TCloseAnswer answer = TCloseAnswer::Yes;
    while (tree.Count() > 0) {
        TTreeNode* last = tree.Catalog(tree.Count() - 1);
        answer = CloseCatalog(last, prompt && !hooks.ProgramClosing, hooks);
        if (answer == TCloseAnswer::Cancel) break;
        // A failed save keeps the catalog: stop rather than asking about it again and again.
        if (tree.Count() > 0 && tree.Catalog(tree.Count() - 1) == last) break;
    }
    if (hooks.EndBusy) hooks.EndBusy();
    if (ownStatus) progress.SetStatus({}, 0);
    return answer;
}

bool SavePromptsBeforeExit(TCatalogTree& tree, TCloseHooks& hooks)
{
    for (int i = 0; i < tree.Count(); ++i) {
        TTreeNode* node = tree.Catalog(i);
        auto* cat = AsCatalog(node->Data);
        if (!cat || !cat->Modified) continue;
        const int asked = Prompt().Ask("Confirm", SaveChangesQuestion(node->Text), pbYes | pbNo | pbCancel,
                                       TPromptIcon::Question, pbYes);
        if (asked == pbCancel || asked == pbNone) return false;
        if (asked == pbYes && !(hooks.Save && hooks.Save(node))) return false;
    }
    return true;
}

TDroppedFiles SplitDroppedFiles(const std::vector<std::string>& names)
{
    TDroppedFiles drop;
    for (const std::string& name : names) {
        const size_t dot = name.find_last_of('.');
        const size_t slash = name.find_last_of('/');
        std::string ext = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                              ? std::string()
                              : name.substr(dot + 1);
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.size() <= 1024 && ext == "ctf") drop.Catalogs.push_back(name);
        else ++drop.Others;
    }
    return drop;
}

QString DroppedFilesMessage(const TDroppedFiles& drop)
{
    if (!drop.Catalogs.empty() || drop.Others == 0) return {};
    return drop.Others == 1 ? QStringLiteral("Sorry, the file you dropped does not seem to be a catalog file.")
                            : QStringLiteral("Sorry, none of files you just dropped is a valid catalog file.");
}

} // namespace quorvex
