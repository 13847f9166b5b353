// Building the search window's controls.

#include "FoundListModel.h"
#include "IconCells.h"
#include "MainForm.h"
#include "ToolIcons.h"
#include "ToolbarLook.h"
#include "config/Options.h"
#include "SearchForm.h"

#include <QAction>
#include <QActionGroup>
#include <QListView>
#include <QStackedWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvex
{

namespace
{

QComboBox* Combo(const QStringList& items, const char* name)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

QCheckBox* Check(const QString& text, const char* name)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    return box;
}

QLineEdit* SizeEdit(const char* name)
{
    auto* edit = new QLineEdit(QStringLiteral("0"));
    edit->setObjectName(name);
    // Up to nine digits; a fraction moves the unit down when the field is left.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,9}(\\.\\d{0,3})?")), edit));
    edit->setMaximumWidth(110);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

const QStringList SizeUnitNames{"Bytes", "KB", "MB", "GB"};

} // namespace

void TSearchForm::CreatePages()
{
    Pages = new QTabWidget;
    Pages->setObjectName("Pages");
    Pages->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_pageWidgets.assign(8, nullptr);
    auto add = [this](TCriteriaPage page, QWidget* widget, const QString& title) {
        m_pageWidgets[size_t(page)] = widget;
        Pages->addTab(widget, title);
    };
    add(TCriteriaPage::WhatToSearch, CreateWhatPage(), "What to Search for");
    add(TCriteriaPage::Name, CreateNamePage(), "by Name or Type");
    add(TCriteriaPage::Description, CreateDescPage(), "by Description");
    add(TCriteriaPage::Category, CreateCategoryPage(), "by Category");
    add(TCriteriaPage::Size, CreateSizePage(), "by Item Size");
    add(TCriteriaPage::Date, CreateDatePage(), "by Item Date");
    add(TCriteriaPage::Limit, CreateLimitPage(), "Limit Search");
    add(TCriteriaPage::Settings, CreateSettingsPage(), "Search Settings");
}

QWidget* TSearchForm::CreateWhatPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    ByNameCheck = Check("Search by &Name or Attributes", "ByNameCheck");
    ByDescCheck = Check("Search by &Descriptions", "ByDescCheck");
    ByCategoryCheck = Check("Search by &Categories", "ByCategoryCheck");
    BySizeCheck = Check("Search by Item &Size", "BySizeCheck");
    ByDateCheck = Check("Search by Item Da&te", "ByDateCheck");
    auto* groups = new QVBoxLayout;
    for (QCheckBox* c : {ByNameCheck, ByDescCheck, ByCategoryCheck, BySizeCheck, ByDateCheck})
        groups->addWidget(c);
    groups->addStretch();
    grid->addLayout(groups, 0, 0, 2, 1);

    auto* kinds = new QGroupBox("Search for this items:");
    auto* kindLayout = new QVBoxLayout(kinds);
    SearchForFiles = Check("&Files", "SearchForFiles");
    SearchForFolders = Check("F&olders", "SearchForFolders");
    SearchForDisks = Check("Dis&ks", "SearchForDisks");
    for (QCheckBox* c : {SearchForFiles, SearchForFolders, SearchForDisks}) {
        c->setChecked(true);
        kindLayout->addWidget(c);
    }
    SearchForCompressed = Check("Do not search for", "SearchForCompressed");
    auto* compressed = new QHBoxLayout;
    compressed->setSpacing(0);
    compressed->addWidget(SearchForCompressed);
    compressed->addWidget(new QLabel("items inside archive files"));
    compressed->addStretch();
    kindLayout->addLayout(compressed);
    grid->addWidget(kinds, 0, 1);

    auto* options = new QVBoxLayout;
    ClearResultsCheck = Check("Clear &previous search results", "ClearResultsCheck");
    ClearResultsCheck->setChecked(true);
    ShowLimitCheck = Check("&Limit search to specific disks", "ShowLimitCheck");
    ShowSettingsCheck = Check("Show &Advanced Search Settings", "ShowSettingsCheck");
    for (QCheckBox* c : {ClearResultsCheck, ShowLimitCheck, ShowSettingsCheck})
        options->addWidget(c);
    grid->addLayout(options, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* TSearchForm::CreateNamePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    NameCombo = Combo({"Part of Filename", "File Mask (wildcards)", "Exact Filename",
                       "File Extension", "File Type"},
                      "NameCombo");
    grid->addWidget(new QLabel("Search by:"), 0, 0);
    auto* combo = new QHBoxLayout;
    combo->addWidget(NameCombo);
    combo->addStretch();
    grid->addLayout(combo, 0, 1);
    NameLabel = new QLabel("Search for:");
    NameEdit = new QLineEdit;
    NameEdit->setObjectName("NameEdit");
    FileTypeCombo = new QComboBox;
    FileTypeCombo->setObjectName("FileTypeCombo");
    FileTypeCombo->setMaxVisibleItems(20);
    FileTypeCombo->hide();
    auto* field = new QHBoxLayout;
    field->addWidget(NameEdit, 1);
    field->addWidget(FileTypeCombo, 1);
    grid->addWidget(NameLabel, 1, 0);
    grid->addLayout(field, 1, 1);
    FileCaseCheck = Check("Case sensitive search", "FileCaseCheck");
    grid->addWidget(FileCaseCheck, 2, 1);

    auto* attrs = new QGroupBox("Attributes:");
    auto* attrLayout = new QHBoxLayout(attrs);
    const char* names[] = {"AttrArchiveCheck", "AttrHiddenCheck", "AttrSystemCheck",
                           "AttrReadOnlyCheck"};
    const char* texts[] = {"Archive", "Hidden", "System", "Read-Only"};
    for (size_t i = 0; i < AttrChecks.size(); ++i) {
        AttrChecks[i] = Check(texts[i], names[i]);
        AttrChecks[i]->setTristate(true);
        AttrChecks[i]->setCheckState(Qt::PartiallyChecked);
        attrLayout->addWidget(AttrChecks[i]);
    }
    grid->addWidget(attrs, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* TSearchForm::CreateDescPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    DescCheck1 = new QRadioButton("Find items with any description");
    DescCheck2 = new QRadioButton("Find items with the folowing text in description:");
    DescCheck3 = new QRadioButton("Find items without description");
    DescCheck1->setObjectName("DescCheck1");
    DescCheck2->setObjectName("DescCheck2");
    DescCheck3->setObjectName("DescCheck3");
    DescCheck2->setChecked(true);
    DescEdit = new QLineEdit;
    DescEdit->setObjectName("DescEdit");
    DescCaseCheck = Check("Case sensitive search", "DescCaseCheck");
    layout->addWidget(DescCheck1);
    layout->addWidget(DescCheck2);
    auto* text = new QHBoxLayout;
    text->addSpacing(20);
    text->addWidget(DescEdit, 1);
    text->addWidget(DescCaseCheck);
    layout->addLayout(text);
    layout->addWidget(DescCheck3);
    layout->addStretch();
    return page;
}

QWidget* TSearchForm::CreateCategoryPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    CategoryLabel = new QLabel("By Categories:");
    FlagsLabel = new QLabel("By Flags:");
    CategoryList = new QListWidget;
    CategoryList->setObjectName("CategoryList");
    FlagsList = new QListWidget;
    FlagsList->setObjectName("FlagsList");
    // The criteria area keeps a small fixed height; the found list gets the rest.
    CategoryList->setFixedHeight(150);
    FlagsList->setFixedHeight(150);
    grid->addWidget(CategoryLabel, 0, 0);
    grid->addWidget(FlagsLabel, 0, 1);
    grid->addWidget(CategoryList, 1, 0);
    grid->addWidget(FlagsList, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    return page;
}

QWidget* TSearchForm::CreateSizePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    SizeCombo =
        Combo({"(none)", "Equal To", "Smaller Than", "Larger Than", "Between", "Not Between"},
              "SizeCombo");
    SizeCombo->setCurrentIndex(-1);
    SizeCombo->setMinimumContentsLength(11); // wide enough for its rows while none is chosen
    grid->addWidget(new QLabel("Item size is:"), 0, 0);
    auto* combo = new QHBoxLayout;
    combo->addWidget(SizeCombo);
    combo->addStretch();
    grid->addLayout(combo, 0, 1);
    const char* valueNames[] = {"SizeValue1", "SizeValue2", "SizeValue3"};
    const char* unitNames[] = {"SizeUnits1", "SizeUnits2", "SizeUnits3"};
    for (size_t i = 0; i < 3; ++i) {
        SizeValues[i] = SizeEdit(valueNames[i]);
        SizeValues[i]->installEventFilter(this);
        SizeUnits[i] =
            Combo(i == 2 ? SizeUnitNames + QStringList{"TB"} : SizeUnitNames, unitNames[i]);
    }
    auto* values = new QHBoxLayout;
    values->addWidget(SizeValues[0]);
    values->addWidget(SizeUnits[0]);
    SizeAndLabel = new QLabel("and");
    values->addWidget(SizeAndLabel);
    values->addWidget(SizeValues[1]);
    values->addWidget(SizeUnits[1]);
    values->addStretch();
    grid->addLayout(values, 1, 1);
    SizeAllowTollerance = Check("Allow tolerance of", "SizeAllowTollerance");
    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(SizeAllowTollerance);
    tolerance->addWidget(SizeValues[2]);
    tolerance->addWidget(SizeUnits[2]);
    tolerance->addStretch();
    grid->addLayout(tolerance, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TSearchForm::CreateDatePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    DateCombo1 = Combo({"(none)", "Created", "Modified", "Accessed"}, "DateCombo1");
    DateCombo1->setCurrentIndex(-1);
    DateCombo1->setMinimumContentsLength(8);
    DateCombo2 = Combo({"On", "Before", "After", "Between", "Not Between"}, "DateCombo2");
    DatePicker1 = new QDateEdit(QDate::currentDate());
    DatePicker2 = new QDateEdit(QDate::currentDate());
    TimeCombo1 = Combo({"(none)", "Created", "Modified"}, "TimeCombo1");
    TimeCombo1->setCurrentIndex(-1);
    TimeCombo1->setMinimumContentsLength(8);
    TimeCombo2 = Combo({"At", "Before", "After", "Between", "Not Between"}, "TimeCombo2");
    TimePicker1 = new QTimeEdit(QTime(0, 0));
    TimePicker2 = new QTimeEdit(QTime(0, 0));
    for (QDateEdit* d : {DatePicker1, DatePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat("yyyy-MM-dd");
    }
    for (QTimeEdit* t : {TimePicker1, TimePicker2})
        t->setDisplayFormat("HH:mm:ss");
    DatePicker1->setObjectName("DatePicker1");
    DatePicker2->setObjectName("DatePicker2");
    TimePicker1->setObjectName("TimePicker1");
    TimePicker2->setObjectName("TimePicker2");
    DateAllowTollerance = Check("Allow tolerance of", "DateAllowTollerance");
    DateTollerance = new QSpinBox;
    DateTollerance->setObjectName("DateTollerance");
    DateTollerance->setRange(0, 99);
    TimeAllowTollerance = Check("Allow tolerance of", "TimeAllowTollerance");
    TimeTollerance = new QSpinBox;
    TimeTollerance->setObjectName("TimeTollerance");
    TimeTollerance->setRange(0, 999);
    DateAndLabel = new QLabel("and");
    TimeAndLabel = new QLabel("and");

    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* layout = new QHBoxLayout;
        for (QWidget* w : widgets)
            layout->addWidget(w);
        layout->addStretch();
        return layout;
    };
    grid->addWidget(new QLabel("Item date:"), 0, 0);
    grid->addLayout(row({DateCombo1, DateCombo2, DatePicker1, DateAndLabel, DatePicker2}), 0, 1);
    grid->addLayout(row({DateAllowTollerance, DateTollerance, new QLabel("days.")}), 1, 1);
    grid->addWidget(new QLabel("Item time:"), 2, 0);
    grid->addLayout(row({TimeCombo1, TimeCombo2, TimePicker1, TimeAndLabel, TimePicker2}), 2, 1);
    grid->addLayout(row({TimeAllowTollerance, TimeTollerance, new QLabel("minutes.")}), 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* TSearchForm::CreateLimitPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel("Search only in selected catalogs:"), 0, 0);
    CatalogTree = new QTreeWidget;
    CatalogTree->setObjectName("CatalogTree");
    CatalogTree->setHeaderHidden(true);
    CatalogTree->setRootIsDecorated(true);
    CatalogTree->setFixedHeight(150);
    grid->addWidget(CatalogTree, 1, 0, 3, 1);
    IncludeBtn = new QPushButton("&Include All");
    ExcludeBtn = new QPushButton("E&xclude All");
    IncludeBtn->setObjectName("IncludeBtn");
    ExcludeBtn->setObjectName("ExcludeBtn");
    grid->addWidget(IncludeBtn, 1, 1);
    grid->addWidget(ExcludeBtn, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    return page;
}

QWidget* TSearchForm::CreateSettingsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    SearchTypeCombo =
        Combo({"All conditions must be fulfilled", "At least one condition must be fulfilled"},
              "SearchTypeCombo");
    grid->addWidget(new QLabel("Search type:"), 0, 0);
    grid->addWidget(SearchTypeCombo, 0, 1);
    LimitFoundCheck = Check("Stop searching when found", "LimitFoundCheck");
    MaxFoundNum = new QSpinBox;
    MaxFoundNum->setObjectName("MaxFoundNum");
    MaxFoundNum->setRange(1, 9999);
    MaxFoundNum->setValue(1000);
    auto* limit = new QHBoxLayout;
    limit->addWidget(LimitFoundCheck);
    limit->addWidget(MaxFoundNum);
    limit->addWidget(new QLabel("items."));
    limit->addStretch();
    grid->addLayout(limit, 1, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

void TSearchForm::ApplyToolbarLook(const TOptions& options)
{
    quorvex::ApplyToolbarLook(FoundTools, options);
    const bool keys = options.ShowShortcutsCheck();
    const std::pair<QAction*, const char*> tips[] = {{LocateAction, "Locate in Catalog"},
                                                     {DeleteAction, "Delete selected item(s)"},
                                                     {ClearAction, "Remove all items from the list"}};
    const char* const shortcuts[] = {" (Ctrl-T)", " (Del)", " (Shift-Del)"};
    for (size_t i = 0; i < std::size(tips); ++i)
        tips[i].first->setToolTip(QString::fromLatin1(tips[i].second) + (keys ? shortcuts[i] : ""));
}

void TSearchForm::CreateFoundList()
{
    FoundArea = new QWidget;
    auto* layout = new QVBoxLayout(FoundArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    FoundTools = new QToolBar;
    FoundTools->setObjectName("FoundTools");
    LocateAction = FoundTools->addAction(
        QIcon::fromTheme("edit-find", style()->standardIcon(QStyle::SP_FileDialogContentsView)),
        "Locate in Catalog", this, [this] { LocateClick(); });
    DeleteAction = FoundTools->addAction(
        QIcon::fromTheme("list-remove", style()->standardIcon(QStyle::SP_DialogDiscardButton)),
        "Delete selected item(s)", this, [this] { DeleteSelectedClick(); });
    ClearAction = FoundTools->addAction(
        QIcon::fromTheme("edit-clear", style()->standardIcon(QStyle::SP_DialogResetButton)),
        "Remove all items from the list", this, [this] { ClearListClick(true); });
    FoundTools->addSeparator();
    auto* viewGroup = new QActionGroup(this);
    const char* viewTips[] = {"View Large Icons", "View Small Icons", "View List", "View Details"};
    const TToolIcon viewIcons[] = {tiLargeIcons, tiSmallIcons, tiList, tiDetails};
    for (int i = 0; i < 4; ++i) {
        ViewActions[size_t(i)] = FoundTools->addAction(ToolIcon(viewIcons[i]), viewTips[i], this,
                                                       [this, i] { SetViewStyle(i); });
        ViewActions[size_t(i)]->setCheckable(true);
        viewGroup->addAction(ViewActions[size_t(i)]);
    }
    ViewActions[3]->setChecked(true);
    FoundTools->addSeparator();
    MaximizeAction = FoundTools->addAction(style()->standardIcon(QStyle::SP_TitleBarMaxButton),
                                           "Maximize Found List");
    MaximizeAction->setCheckable(true);
    connect(MaximizeAction, &QAction::toggled, this, [this](bool on) { SetMaximized(on); });
    StayOnTopAction =
        FoundTools->addAction(style()->standardIcon(QStyle::SP_TitleBarShadeButton), "Stay On Top");
    StayOnTopAction->setCheckable(true);
    connect(StayOnTopAction, &QAction::toggled, this, [this](bool on) { SetStayOnTop(on); });
    layout->addWidget(FoundTools);
    ApplyToolbarLook(Options());

    m_model = new TFoundListModel(m_found, m_main.Icons(), this);
    FoundView = new QTreeView;
    FoundView->setObjectName("FoundList");
    FoundView->setModel(m_model);
    FoundView->setRootIsDecorated(false);
    FoundView->setItemsExpandable(false);
    FoundView->setUniformRowHeights(true);
    FoundView->setAllColumnsShowFocus(true);
    FoundView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FoundView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FoundView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FoundView->setContextMenuPolicy(Qt::CustomContextMenu);
    FoundView->header()->setSectionsMovable(true);
    FoundView->header()->setSectionsClickable(true);
    FoundView->header()->setStretchLastSection(true);
    FoundView->header()->setDefaultSectionSize(90);
    FoundView->installEventFilter(this);

    FoundIcons = new QListView;
    FoundIcons->setObjectName("FoundIcons");
    FoundIcons->setModel(m_model);
    FoundIcons->setSelectionModel(FoundView->selectionModel());
    FoundIcons->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FoundIcons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FoundIcons->setResizeMode(QListView::Adjust);
    FoundIcons->setLayoutMode(QListView::Batched);
    m_foundCells = new TIconCells(FoundIcons);
    FoundIcons->setContextMenuPolicy(Qt::CustomContextMenu);
    FoundIcons->installEventFilter(this);
    m_foundStack = new QStackedWidget;
    m_foundStack->addWidget(FoundView);
    m_foundStack->addWidget(FoundIcons);
    layout->addWidget(m_foundStack, 1);

    auto* status = new QHBoxLayout;
    for (size_t i = 0; i < StatusPanels.size(); ++i) {
        StatusPanels[i] = new QLabel;
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusPanels[i]->setContentsMargins(4, 0, 4, 0);
        StatusPanels[i]->setMinimumWidth(40);
    }
    StatusPanels[0]->setFixedWidth(130);
    SearchProgress = new QProgressBar;
    SearchProgress->setRange(0, 1000);
    SearchProgress->setTextVisible(false);
    SearchProgress->hide();
    status->addWidget(StatusPanels[0]);
    status->addWidget(SearchProgress, 1);
    status->addWidget(StatusPanels[1], 65);
    status->addWidget(StatusPanels[2], 35);
    layout->addLayout(status);
}

} // namespace quorvex
