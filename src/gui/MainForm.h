#pragma once
// The main window: the catalog tree on the left, the item list on the right, the commands
// on open catalogs, sorting, view styles and the status bar.

#include "CatalogTreeModel.h"
#include "HelpForm.h"
#include "IconImages.h"
#include "ItemListModel.h"
#include "MainStore.h"
#include "MainToolbarTags.h"
#include "browser/BackItem.h"
#include "browser/Sorting.h"
#include "catalog/RecentFiles.h"
#include "catalog/TreeNode.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAbstractItemView;
class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QTreeView;

namespace quorvex {

class TEditForm;
class TIconCells;
class TOptions;
class TOptionsForm;
class TAddDiskController;
class TSearchForm;
class TGuiProgress;
class THelpForm;
struct TOpenRequest;
struct TCloseHooks;

enum TViewStyleIndex { vsLargeIcons = 0, vsSmallIcons = 1, vsIconList = 2, vsDetails = 3 };

struct TMainFormSetup {
    QString StorePath;             // empty: the user's settings store
    bool RegisterFileType = false; // write the .ctf file type for the user
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(const TMainFormSetup& setup = {});
    ~TMainForm() override;

    // Start-up: the first idle moment with the command-line parameters.
    void FirstIdle(const std::vector<std::string>& params);
    bool SettingsWerePresent() const { return m_settingsPresent; }

    // Open requests: with a list (quiet unless interactive) or through the Open dialog.
    void OpenCatalogFiles(const std::vector<std::string>& names, bool interactive);
    void MenuOpenClick();
    void HandOverReceived(int n); // a second start's parameters arrived
    void MenuNewClick();
    bool SaveCatalogNode(TTreeNode* catalogNode, bool saveAs);
    void MenuSaveClick();
    void MenuSaveAsClick();
    void MenuCloseClick();
    void MenuCloseAllClick();
    void OpenDroppedFiles(const std::vector<std::string>& names);

    // Browsing.
    TTreeNode* SelectedNode() const;
    void SelectNode(TTreeNode* node);
    void ShowNodeContents(TTreeNode* node);
    void OpenListItem(int row);
    void BackOneLevel();
    void LocateItem(TItemRec* rec);
    void SetViewStyle(int style);
    int ViewStyle() const { return m_viewStyle; }
    QAbstractItemView* CurrentListView() const;

    // Sorting.
    int CurrentSortKey() const;
    bool SortReversed() const { return m_reverse; }
    void SortCommand(int key);
    void HeaderClicked(int section);
    void ToggleReverse();
    void SortMainList(bool resort);

    void RefreshStatus();
    void RefreshCommands();

    // Settings: the eight entries of the Settings menu open the dialog on their pages.
    void MenuSettingsClick(int tag);
    TOptionsForm* OptionsWindow() const { return m_optionsForm; }
    std::array<QAction*, 8> SettingsActions{};
    QAction* MenuWizard = nullptr; // "Quick-Setup &Wizard"
    void RunSetupWizard(bool firstRun);

    // Adding and updating disks.
    void AddDiskCommand(QAction* sender);
    TAddDiskController* AddDisk() const { return m_addDisk.get(); }
    QAction* MenuAddDisk = nullptr;
    QAction* TreeMenuNewDisk = nullptr;
    QAction* TreeMenuUpdateDisk = nullptr;
    QAction* ListMenuUpdateDisk = nullptr;
    // Search and categories (MainFormSearch.cpp).
    void MenuSearchClick();
    void MenuCategoriesClick(TTreeNode* node);
    TSearchForm* SearchWindow() const { return m_search; }
    TTreeNode* ShownNode() const { return m_shownNode; }
    QAction* MenuSearch = nullptr;
    QAction* MenuCategories = nullptr;
    QAction* TreeCategories = nullptr;
    void ShowHelp();
    void ShowHelpContext(int context);
    THelpForm* HelpViewer();

    TCatalogTree& Tree() { return m_tree; }
    TRecentFiles& Recent() { return m_recent; }
    TItemListModel* ListModel() const { return m_listModel; }
    TCatalogTreeModel* TreeModel() const { return m_treeModel; }
    TIconImages& Icons() { return m_icons; }
    TGuiProgress* ProgressWindows() const { return m_progress.get(); }
    TMainStore& Store() { return *m_store; }
    THelpForm* HelpWindow() const { return m_help; }

    QTreeView* DBTree = nullptr;
    QTreeView* ListView = nullptr; // the details view
    QListView* IconView = nullptr; // large icons, small icons and list
    std::array<QLabel*, 4> StatusPanels{};
    QTimer* ListUpdateTimer = nullptr;
    QTimer* AutoSaveTimer = nullptr;

    QAction* MenuNew = nullptr;
    QAction* MenuOpen = nullptr;
    QAction* MenuSave = nullptr;
    QAction* MenuSaveAs = nullptr;
    QAction* MenuClose = nullptr;
    QAction* MenuCloseAll = nullptr;
    QAction* MenuExit = nullptr;
    QAction* MenuBack = nullptr;
    QAction* MenuReverse = nullptr;
    QAction* MenuHelpContents = nullptr;
    std::array<QAction*, 4> RecentActions{};
    std::array<QAction*, 4> ViewActions{};
    std::array<QAction*, 6> ArrangeActions{};
    std::array<QAction*, 4> SortButtons{};
    QAction* TreeAddCatalog = nullptr;
    QAction* TreeOpenCatalog = nullptr;
    QAction* TreeSaveCatalog = nullptr;
    QAction* TreeCloseCatalog = nullptr;
    QAction* ListMenuMoveTo = nullptr;

    // The action of a main toolbar button by its tag (MainToolbarTags.h); null for a tag the
    // program has no command for.
    QAction* ToolbarAction(uint8_t tag) const;
    QString ToolbarTip(uint8_t tag) const;

signals:
    void SplashMessage(const QString& text);
    void SplashInterval(int milliseconds);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateSettingsMenu();
    void CreateDiskActions();
    void CreateToolbar();
    void CreateStatusBar();
    void CreateSearchCommands();
    void RefreshSearchCommands();
    void CatalogsChanged(); // the search window follows opened and closed catalogs
    void CreateViews();
    void RestoreLayout();
    void SaveLayout();
    void ApplyToolbarLayout(const TOptions& options);
    void RestoreToolbarPlacement();
    void SaveToolbarPlacement();
    // Where the user dragged the toolbar becomes the settings' dock side and floating state.
    void TakeToolbarPlacement();
    void FloatToolbar();
    void RefreshRecentMenu();
    void ApplyAutoSave();
    void ScheduleIdle();
    void Idle();
    void AutoSave();
    TCloseHooks CloseHooks();
    void RunOpenRequest(TOpenRequest& request);
    void TreeSelectionChanged();
    void ListUpdateTimerFired();
    void ShowStatusText(const QString* text);
    void RefreshSortControls();
    void SortTreeChildren(TTreeNode* node);
    TSortContext SortContextFor(bool diskList) const;
    bool ListShowsDisks() const; // the sort keys of disk lists apply, not those of file lists
    void RememberColumnWidths();
    void ApplyColumnWidths();
    int SizeColumnWidth() const; // the Size column's room for the list's largest size
    void SelectListRow(int row);
    bool ListHasFocus() const;
    void TreeContextMenu(const QPoint& pos);
    void ListContextMenu(const QPoint& pos);
    void CloseTreeCatalog(TTreeNode* node);
    void ExitSequence();
    void BeforeDeleteNode(TTreeNode* node);
    std::vector<TItemRec*> SelectedListItems() const;

    TCatalogTree m_tree;
    TIconImages m_icons;
    TBackItem m_back;
    TRecentFiles m_recent;
    std::unique_ptr<TMainStore> m_store;
    std::unique_ptr<TGuiProgress> m_progress;
    TCatalogTreeModel* m_treeModel = nullptr;
    TItemListModel* m_listModel = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_listStack = nullptr;
    TIconCells* m_iconCells = nullptr;
    QToolBar* m_toolbar = nullptr;
    std::array<QAction*, MainToolbarTagCount + 1> m_toolbarActions{}; // by tag; 0 unused
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QPointer<THelpForm> m_help;
    TEditForm* m_editForm = nullptr;
    TOptionsForm* m_optionsForm = nullptr;
    std::unique_ptr<TAddDiskController> m_addDisk;
    TSearchForm* m_search = nullptr;

    TTreeNode* m_shownNode = nullptr;
    TItemRec* m_selectAfterFill = nullptr;
    int m_busy = 0;
    int m_closeDepth = 0; // catalogs being closed (nested in Close All)
    bool m_closing = false;
    bool m_firstIdleDone = false;
    bool m_settingsPresent = true;
    bool m_idleScheduled = false;
    bool m_navigationPending = false;
    bool m_autoSavePending = false;
    bool m_statusShowsOperation = false;
    bool m_programSelecting = false;
    bool m_widthsApplied = false;
    int m_viewStyle = vsDetails;
    int m_diskKey = 1;
    int m_fileKey = 1;
    bool m_reverse = false;
    std::array<std::vector<int>, 2> m_columnWidths;
};

} // namespace quorvex
