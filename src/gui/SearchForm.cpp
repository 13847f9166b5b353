// The search window's criteria: controls to criteria and back, enabling, page changes,
// the category and flag lists and the scope tree.

#include "SearchForm.h"

#include "DescriptionTips.h"
#include "FoundListModel.h"
#include "MainForm.h"
#include "browser/BrowserOptions.h"
#include "catalog/CatalogOpener.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "search/SearchHost.h"
#include "search/SearchScope.h"
#include "search/SearchThread.h"
#include "search/SizeValue.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvex
{

namespace
{

int ComboValue(const QComboBox* combo)
{
    return std::max(0, combo->currentIndex());
}

const char* const NameLabels[] = {
    "Search for:", "File Mask:", "File Name:", "Extension:", "File Type:"};

} // namespace

TSearchForm::TSearchForm(TMainForm& main)
    : QWidget(&main, Qt::Window), m_main(main), m_found(SearchSlot),
      m_host(std::make_unique<TQtSearchHost>())
{
    setObjectName("SearchForm");
    setWindowTitle("Search in Catalogs");
    CreatePages();
    CreateFoundList();

    FindBtn = new QPushButton("&Find");
    CancelBtn = new QPushButton("C&ancel");
    NewSearchBtn = new QPushButton("&New Search");
    CloseBtn = new QPushButton("Close");
    FindBtn->setObjectName("FindBtn");
    CancelBtn->setObjectName("CancelBtn");
    NewSearchBtn->setObjectName("NewSearchBtn");
    FindBtn->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {FindBtn, CancelBtn, NewSearchBtn, CloseBtn})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(Pages, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FoundArea, 1);
    FoundArea->hide();

    m_found.Entries().OnCompactNeeded = [this] {
        if (m_compactQueued) return;
        m_compactQueued = true;
        QMetaObject::invokeMethod(
            this, [this] { CompactFound(); }, Qt::QueuedConnection);
    };
    ConnectControls();
    UpdateControls();
    UpdatePages();
    UpdateButtons();
    RefreshFoundStatus();
    resize(900, 330);
    m_found.ListHeight = 300;
    RestorePosition();
    ShowFoundList(false);
    auto* tips = new TDescriptionTips(this);
    tips->Attach(FoundView);
    tips->Attach(FoundIcons);
}

TSearchForm::~TSearchForm()
{
    // A worker waiting for this thread must get its answer before the thread object goes.
    if (m_thread && m_thread->Running()) {
        m_thread->Cancel();
        while (m_thread->Running())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    m_thread.reset();
    m_found.Entries().OnCompactNeeded = nullptr;
    SavePosition();
}

void TSearchForm::ConnectControls()
{
    for (QCheckBox* c : {ByNameCheck, ByDescCheck, ByCategoryCheck, BySizeCheck, ByDateCheck}) {
        connect(c, &QCheckBox::toggled, this, [this, c](bool on) {
            if (m_updating) return;
            UpdatePages();
            if (!on) return;
            const TCriteriaPage page = c == ByNameCheck       ? TCriteriaPage::Name
                                       : c == ByDescCheck     ? TCriteriaPage::Description
                                       : c == ByCategoryCheck ? TCriteriaPage::Category
                                       : c == BySizeCheck     ? TCriteriaPage::Size
                                                              : TCriteriaPage::Date;
            ShowPage(page);
        });
    }
    for (QCheckBox* c : {SearchForFiles, SearchForFolders, SearchForDisks, ShowLimitCheck,
                         ShowSettingsCheck, FileCaseCheck, DescCaseCheck, SizeAllowTollerance,
                         DateAllowTollerance, TimeAllowTollerance, LimitFoundCheck})
        connect(c, &QCheckBox::toggled, this, [this] {
            if (m_updating) return;
            UpdatePages();
            UpdateControls();
        });
    for (QRadioButton* r : {DescCheck1, DescCheck2, DescCheck3})
        connect(r, &QRadioButton::toggled, this, [this] { UpdateControls(); });
    connect(NameCombo, &QComboBox::currentIndexChanged, this, &TSearchForm::NameModeChanged);
    for (QComboBox* c : {SizeCombo, DateCombo1, TimeCombo1, FileTypeCombo})
        connect(c, &QComboBox::activated, this,
                [this, c](int index) { ComboNoneChosen(c, index); });
    for (QComboBox* c : {SizeCombo, DateCombo1, DateCombo2, TimeCombo1, TimeCombo2})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { UpdateControls(); });
    connect(Pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_updating) return;
        LeavingPage(m_currentPage);
        m_currentPage = index;
    });
    connect(CatalogTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_updating) ScopeItemToggled(item);
    });
    connect(IncludeBtn, &QPushButton::clicked, this, [this] {
        SetWholeScope(m_main.Tree(), true);
        RefreshScopeChecks();
    });
    connect(ExcludeBtn, &QPushButton::clicked, this, [this] {
        SetWholeScope(m_main.Tree(), false);
        RefreshScopeChecks();
    });
    connect(FindBtn, &QPushButton::clicked, this, &TSearchForm::FindClick);
    // The window is no dialog, so the default button is pressed by hand.
    connect(NameEdit, &QLineEdit::returnPressed, this, [this] {
        if (FindBtn->isEnabled()) FindClick();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &TSearchForm::CancelClick);
    connect(NewSearchBtn, &QPushButton::clicked, this, &TSearchForm::NewSearchClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(FoundView->header(), &QHeaderView::sectionClicked, this,
            &TSearchForm::FoundHeaderClicked);
    connect(FoundView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        RefreshFoundStatus();
        RefreshFoundCommands();
    });
    connect(FoundView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        RefreshFoundStatus();
        RefreshFoundCommands();
    });
    connect(FoundView, &QWidget::customContextMenuRequested, this, &TSearchForm::FoundContextMenu);
    connect(FoundIcons, &QWidget::customContextMenuRequested, this, &TSearchForm::FoundContextMenu);
}

void TSearchForm::ReadControls()
{
    TSearchCriteria& c = m_criteria;
    c.ByName = ByNameCheck->isChecked();
    c.ByDesc = ByDescCheck->isChecked();
    c.ByCategory = ByCategoryCheck->isChecked();
    c.BySize = BySizeCheck->isChecked();
    c.ByDate = ByDateCheck->isChecked();
    c.SearchForFiles = SearchForFiles->isChecked();
    c.SearchForFolders = SearchForFolders->isChecked();
    c.SearchForDisks = SearchForDisks->isChecked();
    c.SearchForCompressed = SearchForCompressed->isChecked();

    c.NameMode = ComboValue(NameCombo);
    c.NameText = NameEdit->text();
    const int type = FileTypeCombo->currentIndex() - 1; // row 0 is "(none)"
    const bool typeChosen = type >= 0 && type < int(m_fileTypes.size());
    c.FileTypeExtensions = typeChosen ? m_fileTypes[size_t(type)].Extensions : QString();
    c.FileTypeName = typeChosen ? m_fileTypes[size_t(type)].Name : QString();
    c.FileCase = FileCaseCheck->isChecked();
    for (size_t i = 0; i < AttrChecks.size(); ++i) {
        const Qt::CheckState s = AttrChecks[i]->checkState();
        c.Attr[i] = s == Qt::Checked ? asSet : s == Qt::Unchecked ? asClear : asIgnore;
    }

    c.DescChoice = DescCheck1->isChecked() ? dcAny : DescCheck3->isChecked() ? dcWithout : dcText;
    c.DescText = DescEdit->text();
    c.DescCase = DescCaseCheck->isChecked();

    c.SizeMode = ComboValue(SizeCombo);
    c.SizeValue1 = SizeValues[0]->text();
    c.SizeValue2 = SizeValues[1]->text();
    c.SizeValue3 = SizeValues[2]->text();
    c.SizeUnits1 = ComboValue(SizeUnits[0]);
    c.SizeUnits2 = ComboValue(SizeUnits[1]);
    c.SizeUnits3 = ComboValue(SizeUnits[2]);
    c.SizeAllowTolerance = SizeAllowTollerance->isChecked();

    c.DateField = ComboValue(DateCombo1);
    c.DateOp = ComboValue(DateCombo2);
    c.Date1 = DatePicker1->date();
    c.Date2 = DatePicker2->date();
    c.DateAllowTolerance = DateAllowTollerance->isChecked();
    c.DateTolerance = DateTollerance->value();
    c.TimeField = ComboValue(TimeCombo1);
    c.TimeOp = ComboValue(TimeCombo2);
    c.Time1 = TimePicker1->time();
    c.Time2 = TimePicker2->time();
    c.TimeAllowTolerance = TimeAllowTollerance->isChecked();
    c.TimeTolerance = TimeTollerance->value();

    c.CombineRule = ComboValue(SearchTypeCombo);
    c.LimitFound = LimitFoundCheck->isChecked();
    c.MaxFound = MaxFoundNum->value();
}

void TSearchForm::WriteControls()
{
    const TSearchCriteria& c = m_criteria;
    m_updating = true;
    ByNameCheck->setChecked(c.ByName);
    ByDescCheck->setChecked(c.ByDesc);
    ByCategoryCheck->setChecked(c.ByCategory);
    BySizeCheck->setChecked(c.BySize);
    ByDateCheck->setChecked(c.ByDate);
    SearchForFiles->setChecked(c.SearchForFiles);
    SearchForFolders->setChecked(c.SearchForFolders);
    SearchForDisks->setChecked(c.SearchForDisks);
    SearchForCompressed->setChecked(c.SearchForCompressed);

    NameCombo->setCurrentIndex(c.NameMode);
    m_nameMode = c.NameMode;
    NameEdit->setText(c.NameText);
    FileCaseCheck->setChecked(c.FileCase);
    for (size_t i = 0; i < AttrChecks.size(); ++i)
        AttrChecks[i]->setCheckState(c.Attr[i] == asSet     ? Qt::Checked
                                     : c.Attr[i] == asClear ? Qt::Unchecked
                                                            : Qt::PartiallyChecked);
    (c.DescChoice == dcAny       ? DescCheck1
     : c.DescChoice == dcWithout ? DescCheck3
                                 : DescCheck2)
        ->setChecked(true);
    DescEdit->setText(c.DescText);
    DescCaseCheck->setChecked(c.DescCase);

    SizeCombo->setCurrentIndex(c.SizeMode == smNone ? -1 : c.SizeMode);
    SizeValues[0]->setText(c.SizeValue1);
    SizeValues[1]->setText(c.SizeValue2);
    SizeValues[2]->setText(c.SizeValue3);
    SizeUnits[0]->setCurrentIndex(c.SizeUnits1);
    SizeUnits[1]->setCurrentIndex(c.SizeUnits2);
    SizeUnits[2]->setCurrentIndex(c.SizeUnits3);
    SizeAllowTollerance->setChecked(c.SizeAllowTolerance);

    DateCombo1->setCurrentIndex(c.DateField == dfNone ? -1 : c.DateField);
    DateCombo2->setCurrentIndex(c.DateOp);
    DatePicker1->setDate(c.Date1);
    DatePicker2->setDate(c.Date2);
    DateAllowTollerance->setChecked(c.DateAllowTolerance);
    DateTollerance->setValue(c.DateTolerance);
    TimeCombo1->setCurrentIndex(c.TimeField == dfNone ? -1 : c.TimeField);
    TimeCombo2->setCurrentIndex(c.TimeOp);
    TimePicker1->setTime(c.Time1);
    TimePicker2->setTime(c.Time2);
    TimeAllowTollerance->setChecked(c.TimeAllowTolerance);
    TimeTollerance->setValue(c.TimeTolerance);

    SearchTypeCombo->setCurrentIndex(c.CombineRule);
    LimitFoundCheck->setChecked(c.LimitFound);
    MaxFoundNum->setValue(c.MaxFound);
    m_updating = false;
    UpdateControls();
    UpdatePages();
}

void TSearchForm::UpdatePages()
{
    const bool was = m_updating;
    m_updating = true;
    auto show = [this](TCriteriaPage page, bool visible) {
        Pages->setTabVisible(Pages->indexOf(PageWidget(page)), visible);
    };
    show(TCriteriaPage::Name, ByNameCheck->isChecked());
    show(TCriteriaPage::Description, ByDescCheck->isChecked());
    show(TCriteriaPage::Category, ByCategoryCheck->isChecked());
    show(TCriteriaPage::Size, BySizeCheck->isChecked());
    show(TCriteriaPage::Date, ByDateCheck->isChecked());
    show(TCriteriaPage::Limit, ShowLimitCheck->isChecked());
    show(TCriteriaPage::Settings, ShowSettingsCheck->isChecked());
    m_updating = was;
    if (!Pages->isTabVisible(Pages->currentIndex())) Pages->setCurrentIndex(0);
    UpdateButtons();
}

void TSearchForm::UpdateControls()
{
    if (m_updating) return;
    const int mode = ComboValue(NameCombo);
    NameLabel->setText(NameLabels[mode]);
    NameEdit->setVisible(mode != nmFileType);
    FileTypeCombo->setVisible(mode == nmFileType);
    FileCaseCheck->setVisible(mode != nmFileType);
    FileCaseCheck->setEnabled(mode == nmPartOfName || mode == nmExact);

    DescEdit->setEnabled(DescCheck2->isChecked());
    DescCaseCheck->setEnabled(DescCheck2->isChecked());

    const bool size = SizeCombo->currentIndex() > 0;
    const bool secondSize =
        SizeCombo->currentIndex() == smBetween || SizeCombo->currentIndex() == smNotBetween;
    SizeValues[0]->setEnabled(size);
    SizeUnits[0]->setEnabled(size);
    for (QWidget* w : {static_cast<QWidget*>(SizeValues[1]), static_cast<QWidget*>(SizeUnits[1]),
                       static_cast<QWidget*>(SizeAndLabel)}) {
        w->setVisible(secondSize);
        w->setEnabled(size);
    }
    SizeAllowTollerance->setEnabled(size);
    SizeValues[2]->setEnabled(size && SizeAllowTollerance->isChecked());
    SizeUnits[2]->setEnabled(size && SizeAllowTollerance->isChecked());

    const bool date = DateCombo1->currentIndex() > 0;
    const bool secondDate =
        DateCombo2->currentIndex() == doBetween || DateCombo2->currentIndex() == doNotBetween;
    DateCombo2->setEnabled(date);
    DatePicker1->setEnabled(date);
    DatePicker2->setVisible(secondDate);
    DateAndLabel->setVisible(secondDate);
    DatePicker2->setEnabled(date);
    DateAllowTollerance->setEnabled(date);
    DateTollerance->setEnabled(date && DateAllowTollerance->isChecked());

    const bool time = TimeCombo1->currentIndex() > 0;
    const bool secondTime =
        TimeCombo2->currentIndex() == doBetween || TimeCombo2->currentIndex() == doNotBetween;
    TimeCombo2->setEnabled(time);
    TimePicker1->setEnabled(time);
    TimePicker2->setVisible(secondTime);
    TimeAndLabel->setVisible(secondTime);
    TimePicker2->setEnabled(time);
    TimeAllowTollerance->setEnabled(time);
    TimeTollerance->setEnabled(time && TimeAllowTollerance->isChecked());

    MaxFoundNum->setEnabled(LimitFoundCheck->isChecked());
    UpdateButtons();
}

void TSearchForm::UpdateButtons()
{
    if (!FindBtn || m_updating) return;
    ReadControls();
    const bool searching = Searching();
    FindBtn->setEnabled(FindEnabled(m_criteria, false, searching));
    CancelBtn->setEnabled(searching && !m_thread->Worker().StopRequested());
    NewSearchBtn->setEnabled(!searching);
    IncludeBtn->setEnabled(!searching && SomeCatalogNotIn(m_main.Tree(), ssChecked));
    ExcludeBtn->setEnabled(!searching && SomeCatalogNotIn(m_main.Tree(), ssUnchecked));
    RefreshFoundCommands();
}

bool TSearchForm::Searching() const
{
    return m_thread && m_thread->Running();
}

void TSearchForm::NameModeChanged(int mode)
{
    if (m_updating) return;
    if (m_nameMode >= 0 && m_nameMode < int(m_nameTexts.size()))
        m_nameTexts[size_t(m_nameMode)] = NameEdit->text();
    m_nameMode = mode;
    if (mode >= 0 && mode < int(m_nameTexts.size())) NameEdit->setText(m_nameTexts[size_t(mode)]);
    if (mode == nmFileType) EnsureFileTypes();
    UpdateControls();
}

void TSearchForm::EnsureFileTypes()
{
    if (!m_fileTypes.empty()) return;
    Progress().ShowWait("Scanning for registered file types...", false, false);
    Progress().ShowWaitWindow();
    m_fileTypes = RegisteredFileTypes();
    Progress().CloseWait();
    FileTypeCombo->clear();
    FileTypeCombo->addItem("(none)");
    for (const TFileType& type : m_fileTypes)
        FileTypeCombo->addItem(type.Name);
    FileTypeCombo->setCurrentIndex(-1);
}

void TSearchForm::ComboNoneChosen(QComboBox* combo, int index)
{
    // "(none)" clears the selection; it is never a chosen state.
    if (index == 0) combo->setCurrentIndex(-1);
    UpdateControls();
}

QWidget* TSearchForm::PageWidget(TCriteriaPage page) const
{
    return m_pageWidgets[size_t(page)];
}

void TSearchForm::ShowPage(TCriteriaPage page)
{
    QWidget* widget = PageWidget(page);
    Pages->setTabVisible(Pages->indexOf(widget), true);
    Pages->setCurrentWidget(widget);
    QWidget* first = nullptr;
    switch (page) {
    case TCriteriaPage::Name:
        first =
            ComboValue(NameCombo) == nmFileType ? static_cast<QWidget*>(FileTypeCombo) : NameEdit;
        break;
    case TCriteriaPage::Description:
        first = DescEdit->isEnabled() ? static_cast<QWidget*>(DescEdit) : DescCheck1;
        break;
    case TCriteriaPage::Category:
        first = CategoryList;
        break;
    case TCriteriaPage::Size:
        first = SizeCombo;
        break;
    case TCriteriaPage::Date:
        first = DateCombo1;
        break;
    default:
        break;
    }
    if (first) first->setFocus();
}

void TSearchForm::LeavingPage(int index)
{
    QWidget* widget = Pages->widget(index);
    if (!widget) return;
    ReadControls();
    if (widget == PageWidget(TCriteriaPage::Name))
        NormalizeNamePage(m_criteria);
    else if (widget == PageWidget(TCriteriaPage::Size))
        NormalizeSizePage(m_criteria);
    else if (widget == PageWidget(TCriteriaPage::Date))
        NormalizeDatePage(m_criteria);
    else
        return;
    WriteControls();
}

void TSearchForm::SizeFieldLeft(int which)
{
    QString text = SizeValues[size_t(which)]->text();
    int unit = ComboValue(SizeUnits[size_t(which)]);
    SizeValue(text, unit);
    SizeValues[size_t(which)]->setText(text);
    SizeUnits[size_t(which)]->setCurrentIndex(unit);
}

void TSearchForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (Searching()) return;
    RebuildScopeTree();
    RebuildCategoryLists();
    UpdateButtons();
}

void TSearchForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSearchForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only double clicks no control took reach the window: those on its free area.
    if (event->button() == Qt::LeftButton && FoundArea->isVisible()) {
        SetMaximized(!m_found.Maximized);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

bool TSearchForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (size_t i = 0; i < SizeValues.size(); ++i)
            if (watched == SizeValues[i]) SizeFieldLeft(int(i));
    }
    if ((watched == FoundView || watched == FoundIcons) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            if (key->modifiers() & Qt::ShiftModifier)
                ClearListClick(true);
            else
                DeleteSelectedClick();
            return true;
        }
        if (key->key() == Qt::Key_F10 && (key->modifiers() & Qt::ShiftModifier)) {
            QAbstractItemView* view = CurrentFoundView();
            if (FocusedRow() >= 0)
                FoundContextMenu(view->visualRect(view->currentIndex()).center());
            return true;
        }
        if (key->key() == Qt::Key_T && (key->modifiers() & Qt::ControlModifier)) {
            LocateClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorvex
