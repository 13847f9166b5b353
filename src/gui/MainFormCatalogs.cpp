// The main window's commands on open catalogs: new, open, save, close, exit, dropped files,
// auto-save and the hand-over from a second start.

#include "EditForm.h"
#include "GuiProgress.h"
#include "HelpForm.h"
#include "SearchForm.h"
#include "ShutdownForm.h"
#include "MainForm.h"
#include "app/CatalogCommands.h"
#include "app/HandOver.h"
#include "app/Startup.h"
#include "browser/BrowserOptions.h"
#include "catalog/CatalogOpener.h"
#include "catalog/CatalogSaver.h"
#include "catalog/ItemRoutines.h"
#include "catalog/ResultLists.h"
#include "config/Options.h"
#include "extract/TempExtractedFiles.h"
#include "platform/FileSystem.h"
#include "platform/MemoryUse.h"
#include "platform/Prompt.h"
#include "search/SearchGuard.h"

#include <QApplication>
#include <QTreeView>

namespace quorvex {

TCloseHooks TMainForm::CloseHooks()
{
    TCloseHooks hooks;
    hooks.Save = [this](TTreeNode* node) { return SaveCatalogNode(node, false); };
    // The search window's lists point into the catalogs being closed: no commands meanwhile.
    hooks.BeginBusy = [this] {
        ++m_busy;
        ++m_closeDepth;
        if (m_search) m_search->setEnabled(false);
    };
    hooks.EndBusy = [this] {
        m_busy = std::max(0, m_busy - 1);
        m_closeDepth = std::max(0, m_closeDepth - 1);
        if (!m_search) return;
        if (m_tree.Count() == 0 && !m_search->Searching()) m_search->hide();
        if (m_closeDepth == 0) m_search->setEnabled(true);
    };
    hooks.AfterClose = [this] {
        m_shownNode = nullptr;
        ShowNodeContents(nullptr);
        CatalogsChanged();
    };
    hooks.ProgramClosing = m_closing;
    return hooks;
}

void TMainForm::FirstIdle(const std::vector<std::string>& params)
{
    TFirstIdleInput input;
    input.Params = params;
    input.SettingsPresent = m_settingsPresent;
    input.AutoloadCheck = BrowserOptions().AutoloadCheck;
    input.AutoloadList = BrowserOptions().AutoloadList;
    input.TipsCheck = BrowserOptions().TipsCheck;
    TFirstIdleHooks hooks;
    hooks.Open = [this](TOpenRequest& request) { RunOpenRequest(request); };
    hooks.OpenCatalogCount = [this] { return m_tree.Count(); };
    hooks.RefreshCommands = [this] { RefreshCommands(); };
    hooks.SplashMessage = [this](const QString& text) { emit SplashMessage(text); };
    hooks.SetSplashInterval = [this](int milliseconds) { emit SplashInterval(milliseconds); };
    hooks.RunSetupWizard = [this] { RunSetupWizard(true); };
    RunFirstIdle(input, hooks);
    m_firstIdleDone = true;
}

void TMainForm::RunOpenRequest(TOpenRequest& request)
{
    if (RefuseWhileSearching(TSearchBlocked::OpenCatalog)) return;
    TOpenContext context;
    context.Tree = &m_tree;
    context.Recent = &m_recent;
    context.DefaultCatalogFolder = BrowserOptions().CatalogPathEdit;
    context.AutoloadChanged = [this](const std::vector<std::string>& names) {
        BrowserOptions().AutoloadList = names;
        QStringList list;
        for (const std::string& n : names) list << QString::fromStdString(n);
        m_store->Options().SetAutoloadList(list); // marks the settings changed
    };
    context.ExpandNode = [this](TTreeNode* node) { DBTree->expand(m_treeModel->IndexOf(node)); };
    context.SelectNode = [this](TTreeNode* node) { SelectNode(node); };
    context.RefreshCommands = [this] { RefreshCommands(); };
    ++m_busy;
    OpenCatalogs(context, request);
    m_busy = std::max(0, m_busy - 1);
    m_shownNode = nullptr;
    ShowNodeContents(SelectedNode());
    CatalogsChanged();
    RefreshCommands();
    RefreshStatus();
}

void TMainForm::OpenCatalogFiles(const std::vector<std::string>& names, bool interactive)
{
    TOpenRequest request;
    request.HasList = true;
    request.Names = names;
    request.InteractiveMark = interactive;
    RunOpenRequest(request);
}

void TMainForm::MenuOpenClick()
{
    TOpenRequest request;
    RunOpenRequest(request);
}

void TMainForm::HandOverReceived(int n)
{
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (n <= 0) return;
    const std::vector<std::string> names = TakeHandOverFile(TempFolder(), n);
    if (!names.empty()) OpenCatalogFiles(names, true);
}

void TMainForm::MenuNewClick()
{
    const std::string proposal = NewCatalogName(m_tree);
    if (!m_editForm) m_editForm = new TEditForm(this);
    QString name = QString::fromStdString(proposal);
    if (!m_editForm->Run("New Catalog", "Enter a name for the new catalog:", name)) return;
    const std::string chosen = name.trimmed().isEmpty() ? proposal : name.toStdString();
    TTreeNode* node = AddNewCatalog(m_tree, chosen);
    RefreshCommands();
    DBTree->setFocus();
    SelectNode(node);
}

bool TMainForm::SaveCatalogNode(TTreeNode* catalogNode, bool saveAs)
{
    if (!catalogNode || !AsCatalog(catalogNode->Data)) return false;
    if (RefuseWhileSearching(TSearchBlocked::SaveCatalog)) return false;
    TSaveOptions options;
    options.DefaultCatalogFolder = BrowserOptions().CatalogPathEdit;
    options.CreateBackup = BrowserOptions().CreateBakCheck;
    const std::string before = AsCatalog(catalogNode->Data)->FileName;
    ++m_busy;
    const bool saved = SaveCatalog(catalogNode, saveAs, options);
    m_busy = std::max(0, m_busy - 1);
    const std::string after = AsCatalog(catalogNode->Data)->FileName;
    if (saved && !after.empty() && after != before) m_recent.PutOnTop(after);
    RefreshCommands();
    RefreshStatus();
    return saved;
}

void TMainForm::MenuSaveClick() { SaveCatalogNode(OwningCatalog(SelectedNode()), false); }
void TMainForm::MenuSaveAsClick() { SaveCatalogNode(OwningCatalog(SelectedNode()), true); }

void TMainForm::MenuCloseClick()
{
    TTreeNode* cat = OwningCatalog(SelectedNode());
    if (!cat || RefuseWhileSearching(TSearchBlocked::CloseCatalog)) return;
    TCloseHooks hooks = CloseHooks();
    CloseCatalog(cat, true, hooks);
    RefreshCommands();
    RefreshStatus();
}

void TMainForm::CloseTreeCatalog(TTreeNode* node)
{
    if (!node || RefuseWhileSearching(TSearchBlocked::CloseCatalog)) return;
    TCloseHooks hooks = CloseHooks();
    CloseCatalog(node, true, hooks);
    RefreshCommands();
    RefreshStatus();
}

void TMainForm::MenuCloseAllClick()
{
    if (RefuseWhileSearching(TSearchBlocked::CloseCatalog)) return;
    if (Prompt().Ask("Confirm closing", "About to close all opened catalogs. Please confirm.", pbOK | pbCancel,
                     TPromptIcon::Question, pbOK) != pbOK)
        return;
    TCloseHooks hooks = CloseHooks();
    CloseAllCatalogs(m_tree, true, hooks);
    RefreshCommands();
    RefreshStatus();
}

void TMainForm::OpenDroppedFiles(const std::vector<std::string>& names)
{
    const TDroppedFiles drop = SplitDroppedFiles(names);
    if (!drop.Catalogs.empty()) {
        OpenCatalogFiles(drop.Catalogs, true);
        return;
    }
    const QString message = DroppedFilesMessage(drop);
    if (message.isEmpty()) return;
    raise();
    activateWindow();
    Prompt().Inform("Invalid file", message, TPromptIcon::Information);
}

void TMainForm::AutoSave()
{
    ApplyAutoSave();
    if (SearchRunning()) return; // tried again at the next idle moment after the search
    m_autoSavePending = false;
    Progress().SetStatus(QStringLiteral("Starting AutoSave..."), StatusBusy);
    for (int i = 0; i < m_tree.Count(); ++i) {
        TTreeNode* cat = m_tree.Catalog(i);
        if (auto* rec = AsCatalog(cat->Data); rec && rec->Modified) SaveCatalogNode(cat, false);
    }
    Progress().SetStatus({}, 0);
}

void TMainForm::ExitSequence()
{
    Progress().SetStatus(QStringLiteral("Preparing to close the program..."), StatusBusy);
    SaveLayout();
    hide();
    m_closing = true;
    ResultLists().ProgramClosing = true;
    std::unique_ptr<TShutdownForm> shutdown;
    if (MemoryInUse() > ShutdownWindowThreshold) {
        shutdown = std::make_unique<TShutdownForm>(windowIcon());
        shutdown->show();
        QApplication::processEvents();
    }
    if (m_search) {
        // Its list points into the records: it lets go of them before the catalogs close.
        m_search->hide();
        QApplication::processEvents();
        m_search->ReleaseResults();
    }
    if (m_help) m_help->close();
    QApplication::processEvents();
    TCloseHooks hooks = CloseHooks();
    hooks.ProgramClosing = true;
    try {
        CloseAllCatalogs(m_tree, false, hooks);
    } catch (...) {
    }
    ResultLists().ProgramClosing = false;
    RemoveTempExtractedFiles(Options().TempRemoval());
    Progress().SetStatus({}, 0);
}

void TMainForm::BeforeDeleteNode(TTreeNode* node)
{
    TTreeNode* selected = SelectedNode();
    if (m_shownNode && m_shownNode->HasAsParent(node)) m_shownNode = nullptr;
    if (selected && selected->HasAsParent(node)) {
        m_listModel->Clear();
        m_shownNode = nullptr;
        // The selection moves to the next sibling, else the parent, as the tree would.
        TTreeNode* next = node->NextSibling();
        if (!next && node->Parent() && node->Parent()->Data) next = node->Parent();
        if (!next && node->Index() > 0) next = node->Parent()->Child(node->Index() - 1);
        ++m_busy;
        DBTree->setCurrentIndex(next ? m_treeModel->IndexOf(next) : QModelIndex());
        m_busy = std::max(0, m_busy - 1);
    }
    if (m_selectAfterFill && m_selectAfterFill->Node && m_selectAfterFill->Node->HasAsParent(node))
        m_selectAfterFill = nullptr;
}

} // namespace quorvex
