#pragma once
// The search window: the criteria pages, the scope tree of catalogs and disks, the search
// through the worker thread with progress and Cancel, and the found list with its commands.

#include "search/FoundList.h"
#include "search/SearchCheckLists.h"
#include "search/SearchCriteria.h"
#include "search/SearchValidation.h"
#include "search/FileTypes.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QAbstractItemView;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTimeEdit;
class QToolBar;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvex
{

class TFoundListModel;
class TIconCells;
class TMainForm;
class TOptions;
class TQtSearchHost;
class TSearchThread;
struct TSearchOutcome;
struct TSearchProgress;
struct TItemRec;

class TSearchForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSearchForm(TMainForm& main);
    ~TSearchForm() override;

    // Commands.
    void FindClick();
    void CancelClick();
    void NewSearchClick();
    void LocateClick();
    void DeleteSelectedClick();
    void ClearListClick(bool ask);
    void FoundHeaderClicked(int column);
    // Before the program closes its catalogs: the list lets go of their records.
    void ReleaseResults();
    void SetMaximized(bool maximized); // "Maximize Found List"
    void SetStayOnTop(bool onTop);
    void SetViewStyle(int style); // the main window's view style numbers
    int ViewStyle() const { return m_viewStyle; }
    QAbstractItemView* CurrentFoundView() const;

    // Rebuilt when shown, after a search and when catalogs or categories change.
    void RebuildCategoryLists();
    void RebuildScopeTree();
    void ApplyToolbarLook(const TOptions& options); // button size and style of the strip

    bool Searching() const;
    TFoundList& Found() { return m_found; }
    TFoundListModel* FoundModel() const { return m_model; }
    int FocusedRow() const;
    std::vector<int> SelectedRows() const;
    TSearchCriteria& Criteria() { return m_criteria; }
    // The controls as they are now, read into the criteria.
    void ReadControls();
    // The criteria put back into the controls.
    void WriteControls();

    // What to Search for
    QTabWidget* Pages = nullptr;
    QCheckBox* ByNameCheck = nullptr;
    QCheckBox* ByDescCheck = nullptr;
    QCheckBox* ByCategoryCheck = nullptr;
    QCheckBox* BySizeCheck = nullptr;
    QCheckBox* ByDateCheck = nullptr;
    QCheckBox* SearchForFiles = nullptr;
    QCheckBox* SearchForFolders = nullptr;
    QCheckBox* SearchForDisks = nullptr;
    QCheckBox* SearchForCompressed = nullptr;
    QCheckBox* ClearResultsCheck = nullptr;
    QCheckBox* ShowLimitCheck = nullptr;
    QCheckBox* ShowSettingsCheck = nullptr;
    // by Name or Type
    QComboBox* NameCombo = nullptr;
    QLabel* NameLabel = nullptr;
    QLineEdit* NameEdit = nullptr;
    QComboBox* FileTypeCombo = nullptr;
    QCheckBox* FileCaseCheck = nullptr;
    std::array<QCheckBox*, 4> AttrChecks{}; // Archive, Hidden, System, Read-Only
    // by Description
    QRadioButton* DescCheck1 = nullptr;
    QRadioButton* DescCheck2 = nullptr;
    QRadioButton* DescCheck3 = nullptr;
    QLineEdit* DescEdit = nullptr;
    QCheckBox* DescCaseCheck = nullptr;
    // by Category
    QLabel* CategoryLabel = nullptr;
    QLabel* FlagsLabel = nullptr;
    QListWidget* CategoryList = nullptr;
    QListWidget* FlagsList = nullptr;
    // by Item Size
    QComboBox* SizeCombo = nullptr;
    std::array<QLineEdit*, 3> SizeValues{};
    std::array<QComboBox*, 3> SizeUnits{};
    QLabel* SizeAndLabel = nullptr;
    QCheckBox* SizeAllowTollerance = nullptr;
    // by Item Date
    QComboBox* DateCombo1 = nullptr;
    QComboBox* DateCombo2 = nullptr;
    QDateEdit* DatePicker1 = nullptr;
    QDateEdit* DatePicker2 = nullptr;
    QLabel* DateAndLabel = nullptr;
    QCheckBox* DateAllowTollerance = nullptr;
    QSpinBox* DateTollerance = nullptr;
    QComboBox* TimeCombo1 = nullptr;
    QComboBox* TimeCombo2 = nullptr;
    QTimeEdit* TimePicker1 = nullptr;
    QTimeEdit* TimePicker2 = nullptr;
    QLabel* TimeAndLabel = nullptr;
    QCheckBox* TimeAllowTollerance = nullptr;
    QSpinBox* TimeTollerance = nullptr;
    // Limit Search
    QTreeWidget* CatalogTree = nullptr;
    QPushButton* IncludeBtn = nullptr;
    QPushButton* ExcludeBtn = nullptr;
    // Search Settings
    QComboBox* SearchTypeCombo = nullptr;
    QCheckBox* LimitFoundCheck = nullptr;
    QSpinBox* MaxFoundNum = nullptr;
    // Buttons and the found list
    QPushButton* FindBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* NewSearchBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QToolBar* FoundTools = nullptr;
    QAction* LocateAction = nullptr;
    QAction* DeleteAction = nullptr;
    QAction* ClearAction = nullptr;
    QAction* MaximizeAction = nullptr;
    QAction* StayOnTopAction = nullptr;
    QTreeView* FoundView = nullptr;  // details
    QListView* FoundIcons = nullptr; // large icons, small icons and list
    std::array<QAction*, 4> ViewActions{};
    QWidget* FoundArea = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    QProgressBar* SearchProgress = nullptr;

signals:
    void SearchStarted();
    void ProgressReported(qint64 checked, qint64 total, int found);
    void SearchEnded(bool cancelled, int found);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window (SearchFormPages.cpp).
    void CreatePages();
    QWidget* CreateWhatPage();
    QWidget* CreateNamePage();
    QWidget* CreateDescPage();
    QWidget* CreateCategoryPage();
    QWidget* CreateSizePage();
    QWidget* CreateDatePage();
    QWidget* CreateLimitPage();
    QWidget* CreateSettingsPage();
    void CreateFoundList();
    void ConnectControls();

    // Criteria (SearchForm.cpp).
    void UpdatePages();
    void UpdateControls();
    void UpdateButtons();
    void NameModeChanged(int mode);
    void EnsureFileTypes();
    void ShowPage(TCriteriaPage page);
    void LeavingPage(int index);
    void SizeFieldLeft(int which);
    void ComboNoneChosen(QComboBox* combo, int index);
    void FillScopeItem(QTreeWidgetItem* item);
    void ScopeItemToggled(QTreeWidgetItem* item);
    void RefreshScopeChecks();
    QWidget* PageWidget(TCriteriaPage page) const;

    // Running and the found list (SearchFormRun.cpp).
    void SearchProgressed(const TSearchProgress& progress);
    void SearchFinished(const TSearchOutcome& outcome);
    void ShowFoundList(bool shown);
    void RefreshFoundStatus();
    void RefreshFoundCommands();
    void FitColumns();
    void CompactFound();
    void SelectRow(int row);
    void FoundContextMenu(const QPoint& pos);
    void RestorePosition();
    void SavePosition();

    TMainForm& m_main;
    TSearchCriteria m_criteria;
    TFoundList m_found;
    TFoundListModel* m_model = nullptr;
    std::unique_ptr<TQtSearchHost> m_host;
    std::unique_ptr<TSearchThread> m_thread;
    std::vector<TCheckRow> m_categoryRows;
    std::vector<TCheckRow> m_flagRows;
    std::vector<TFileType> m_fileTypes;
    std::array<QString, 4> m_nameTexts; // one remembered text per name mode
    int m_nameMode = nmPartOfName;
    int m_currentPage = 0;
    bool m_updating = false;
    bool m_compactQueued = false;
    bool m_firstHitSelected = false;
    bool m_layoutDone = false;
    int m_viewStyle = 3;
    QStackedWidget* m_foundStack = nullptr;
    TIconCells* m_foundCells = nullptr;
    std::vector<QWidget*> m_pageWidgets; // indexed by TCriteriaPage
};

} // namespace quorvex
