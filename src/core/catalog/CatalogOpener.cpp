#include "catalog/CatalogOpener.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/RecentFiles.h"
#include "catalog/ResultLists.h"
#include "catalog/TreeNode.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Prompt.h"

#include <algorithm>

namespace quorvex {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TTreeNode* FindOpenCatalog(TCatalogTree& tree, const std::string& fileName)
{
    for (int i = 0; i < tree.Count(); ++i) {
        auto* cat = AsCatalog(tree.Catalog(i)->Data);
        if (cat && !cat->FileName.empty() && SameFileName(cat->FileName, fileName)) return tree.Catalog(i);
    }
    return nullptr;
}

void DeleteItemNode(TTreeNode* node)
{
    if (!node) return;
    TCatalogTree* tree = node->Tree();
    if (CatalogEvents().BeforeDeleteNode) CatalogEvents().BeforeDeleteNode(node);
    try {
        tree->Delete(node);
    } catch (...) {
        tree->ReleaseOnDelete = false;
        tree->Delete(node);
        tree->ReleaseOnDelete = true;
    }
    ResultLists().CompactPending();
}

std::vector<TTreeNode*> OpenCatalogs(TOpenContext& ctx, TOpenRequest& request)
{
    std::vector<TTreeNode*> opened;
    IProgress& progress = Progress();
    IPrompt& prompt = Prompt();
    const bool quiet = request.HasList && !request.InteractiveMark;
    if (!request.HasList) {
        request.Names = FileDialogs().OpenCatalogs(ctx.DefaultCatalogFolder);
        if (request.Names.empty()) return opened;
    }
    const bool plural = request.Names.size() >= 2;
    progress.SetStatus(QStringLiteral("Loading catalog") + (plural ? "s" : "") + "...", StatusBusy);
    progress.ProcessEvents();
    bool waitShown = false;
    bool autoloadChanged = false;

    for (size_t i = 0; i < request.Names.size();) {
        const std::string name = request.Names[i];
        const bool last = i + 1 == request.Names.size();
        if (FindOpenCatalog(*ctx.Tree, name)) {
            if (!quiet && request.Names.size() == 1) {
                if (waitShown) progress.HideWait();
                prompt.Inform("Catalog is opened",
                              "Catalog file \"" + Q(name) + "\" is already opened.", TPromptIcon::Information);
            }
            ++i;
            continue;
        }
        if (!quiet && !waitShown) {
            progress.ShowWait(QStringLiteral("Loading catalog") + (plural ? "s" : "") + ", please wait...",
                              false, false);
            progress.ShowWaitWindow();
            progress.ProcessEvents();
            waitShown = true;
        }
        bool dropFromList = false;
        try {
            TTreeNode* node = ReadCatalogFile(*ctx.Tree, name);
            opened.push_back(node);
            if (!quiet && ctx.Recent) ctx.Recent->PutOnTop(name);
            if (ctx.ExpandNode) ctx.ExpandNode(node);
            if (last) {
                if (ctx.SelectNode) ctx.SelectNode(node);
                if (ctx.RebuildSearchScope) ctx.RebuildSearchScope();
            }
        } catch (const EInvalidCatalog& e) {
            progress.CloseWait();
            waitShown = false;
            prompt.Inform("Catalog error", Q(name) + "\n\r" + QString::fromUtf8(e.what()), TPromptIcon::Error);
            dropFromList = quiet;
            if (ctx.Recent) ctx.Recent->Remove(name);
        } catch (const std::exception& e) {
            progress.CloseWait();
            waitShown = false;
            if (ctx.Recent) ctx.Recent->Remove(name);
            if (FileExists(name)) {
                prompt.Inform("Load error",
                              "An error occurred while trying to load catalog file " + Q(name) + ".\r" +
                                  QString::fromUtf8(e.what()),
                              TPromptIcon::Error);
            } else {
                prompt.Inform("Load error",
                              "Can't open catalog file " + Q(name) + ".\rThis file does not exist.",
                              TPromptIcon::Error);
                dropFromList = true;
            }
        }
        if (dropFromList) {
            request.Names.erase(request.Names.begin() + static_cast<ptrdiff_t>(i));
            autoloadChanged |= request.FromAutoload;
        } else {
            ++i;
        }
    }
    if (autoloadChanged && ctx.AutoloadChanged) ctx.AutoloadChanged(request.Names);
    request = TOpenRequest{};
    if (ctx.RefreshCommands) ctx.RefreshCommands();
    progress.SetStatus({}, 0);
    if (!quiet) progress.CloseWait();
    return opened;
}

} // namespace quorvex
