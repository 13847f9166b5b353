#include "MainForm.h"

#include "AddDiskController.h"
#include "DescriptionTips.h"
#include "EditForm.h"
#include "GuiProgress.h"
#include "HelpForm.h"
#include "IconCells.h"
#include "SearchForm.h"
#include "SortInterrupt.h"
#include "StatusItemLabel.h"
#include "ToolIcons.h"
#include "app/CatalogCommands.h"
#include "app/FileTypeRegistration.h"
#include "platform/Prompt.h"
#include "browser/BrowserOptions.h"
#include "catalog/ItemRoutines.h"
#include "catalog/ResultLists.h"
#include "search/SearchGuard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace quorvex {

TMainForm::TMainForm(const TMainFormSetup& setup) : m_store(std::make_unique<TMainStore>(setup.StorePath))
{
    setObjectName("MainForm");
    setWindowTitle(QStringLiteral("Quorvex"));
    setWindowIcon(m_icons.Icon(siCatalog));
    setAcceptDrops(true);
    m_progress = std::make_unique<TGuiProgress>(this);
    m_progress->StatusChanged = [this](const QString* text) { ShowStatusText(text); };
    SetProgress(m_progress.get());

    CreateViews();
    CreateActions();
    CreateMenus();
    CreateDiskActions();
    CreateStatusBar();
    CreateSearchCommands();
    CreateToolbar();

    ListUpdateTimer = new QTimer(this);
    ListUpdateTimer->setSingleShot(true);
    ListUpdateTimer->setInterval(500);
    connect(ListUpdateTimer, &QTimer::timeout, this, &TMainForm::ListUpdateTimerFired);
    AutoSaveTimer = new QTimer(this);
    connect(AutoSaveTimer, &QTimer::timeout, this, [this] {
        m_autoSavePending = true;
        ScheduleIdle();
    });

    CatalogEvents().ModifiedChanged = [this](TTreeNode*) {
        if (!m_closing) RefreshStatus();
    };
    CatalogEvents().BeforeDeleteNode = [this](TTreeNode* node) { BeforeDeleteNode(node); };

    if (setup.RegisterFileType) RegisterCatalogFileType(QApplication::applicationFilePath());
    m_settingsPresent = m_store->SettingsPresent();
    CopyOptions(m_store->Options(), BrowserOptions());
    DBTree->setAnimated(!BrowserOptions().DisableSmoothCheck);
    SetOptions(&m_store->Options());
    m_store->Options().AddApplyHook([this](const TOptions& options, const TApplyChanges& changes) {
        const bool showedPrevious = BrowserOptions().ShowPrevCheck;
        CopyOptions(options, BrowserOptions());
        DBTree->setAnimated(!BrowserOptions().DisableSmoothCheck);
        ApplyAutoSave();
        if (showedPrevious != BrowserOptions().ShowPrevCheck && m_shownNode) {
            TTreeNode* shown = m_shownNode;
            m_shownNode = nullptr; // the ".." entry comes or goes: the list is filled again
            ShowNodeContents(shown);
        } else if (changes.ArchivesSortChanged) {
            SortMainList(true);
        }
        if (changes.FormattedSizesChanged) {
            m_listModel->RefreshAll();
            RememberColumnWidths();
            ApplyColumnWidths();
        }
    });
    m_recent.SetNames(m_store->RecentFiles());
    m_recent.Changed = [this] {
        m_store->SetRecentFiles(m_recent.Names());
        RefreshRecentMenu();
    };
    RefreshRecentMenu();
    RestoreToolbarPlacement();
    RestoreLayout();
    ApplyAutoSave();
    RefreshCommands();
    RefreshStatus();
}

TMainForm::~TMainForm()
{
    m_closing = true;
    // Its lists point into the records: it goes before the catalogs do.
    delete m_search;
    m_search = nullptr;
    if (!m_shownNode && m_listModel) m_listModel->Clear();
    SaveLayout();
    CatalogEvents().ModifiedChanged = nullptr;
    CatalogEvents().BeforeDeleteNode = nullptr;
    m_listModel->Clear();
    m_tree.Observer = nullptr;
    m_tree.DeleteChildren(m_tree.Root());
    if (&Progress() == m_progress.get()) SetProgress(nullptr);
    if (&quorvex::Options() == &m_store->Options()) SetOptions(nullptr);
    delete m_help;
}

void TMainForm::CreateViews()
{
    m_treeModel = new TCatalogTreeModel(m_tree, m_icons, this);
    m_treeModel->LoadingSubfolders = [this](bool starting) {
        if (starting) Progress().SetStatus(QStringLiteral("Loading sub-folders..."), StatusBusy);
        else Progress().SetStatus({}, 0);
    };
    m_listModel = new TItemListModel(m_icons, this);

    DBTree = new QTreeView;
    DBTree->setObjectName("DBTree");
    DBTree->setModel(m_treeModel);
    DBTree->setHeaderHidden(true);
    DBTree->setIndentation(22);
    DBTree->setUniformRowHeights(true);
    DBTree->setSelectionMode(QAbstractItemView::SingleSelection);
    DBTree->setContextMenuPolicy(Qt::CustomContextMenu);
    DBTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBTree->installEventFilter(this);
    connect(DBTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { TreeSelectionChanged(); });
    connect(DBTree, &QTreeView::expanded, this, [this](const QModelIndex& i) { m_treeModel->SetExpanded(i, true); });
    connect(DBTree, &QTreeView::collapsed, this, [this](const QModelIndex& i) { m_treeModel->SetExpanded(i, false); });
    connect(DBTree, &QWidget::customContextMenuRequested, this, &TMainForm::TreeContextMenu);

    ListView = new QTreeView;
    ListView->setObjectName("ListView");
    ListView->setModel(m_listModel);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setTextElideMode(Qt::ElideRight);
    ListView->header()->setSectionsMovable(true);
    ListView->header()->setStretchLastSection(true);
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setSortIndicatorShown(true);
    ListView->header()->setDefaultSectionSize(90);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, &TMainForm::HeaderClicked);

    IconView = new QListView;
    IconView->setObjectName("IconView");
    IconView->setModel(m_listModel);
    IconView->setSelectionModel(ListView->selectionModel());
    IconView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    IconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_iconCells = new TIconCells(IconView);
    IconView->setResizeMode(QListView::Adjust);
    IconView->setLayoutMode(QListView::Batched);
    IconView->setBatchSize(2000);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ListView), static_cast<QAbstractItemView*>(IconView)}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { OpenListItem(i.row()); });
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, &TMainForm::ListContextMenu);
    }
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_busy == 0) RefreshStatus();
    });
    connect(ListView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (m_busy == 0) RefreshStatus();
    });

    TDescriptionTips::ApplyOrdinaryDelays();
    auto* tips = new TDescriptionTips(this);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(DBTree), static_cast<QAbstractItemView*>(ListView),
                                    static_cast<QAbstractItemView*>(IconView)})
        tips->Attach(view);

    m_listStack = new QStackedWidget;
    m_listStack->addWidget(ListView);
    m_listStack->addWidget(IconView);
    m_listStack->setCurrentWidget(ListView);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->addWidget(DBTree);
    m_splitter->addWidget(m_listStack);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({230, 570});
    m_splitter->setChildrenCollapsible(false);
    // Live redraw while dragging follows the desktop's setting, as the style reports it.
    m_splitter->setOpaqueResize(m_splitter->style()->styleHint(QStyle::SH_Splitter_OpaqueResize, nullptr, m_splitter));
    setCentralWidget(m_splitter);
}

void TMainForm::CreateActions()
{
    auto make = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* a = new QAction(text, this);
        if (!key.isEmpty()) a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    MenuNew = make("&New Catalog", QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
        // Posted: it runs when the event loop gets to it.
        QMetaObject::invokeMethod(this, [this] { MenuNewClick(); }, Qt::QueuedConnection);
    });
    MenuOpen = make("&Open", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { MenuOpenClick(); });
    MenuSave = make("&Save", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { MenuSaveClick(); });
    MenuSaveAs = make("Save &As...", QKeySequence(), [this] { MenuSaveAsClick(); });
    MenuClose = make("&Close", QKeySequence(Qt::CTRL | Qt::Key_F4), [this] { MenuCloseClick(); });
    MenuCloseAll = make("Close A&ll", QKeySequence(), [this] { MenuCloseAllClick(); });
    MenuExit = make("E&xit", QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
    MenuBack = make("&Back One Level", QKeySequence(), [this] { BackOneLevel(); });
    MenuBack->setText("&Back One Level\tBackspace");
    MenuReverse = make("&Reverse Sort Order", QKeySequence(), [this] { ToggleReverse(); });
    MenuReverse->setCheckable(true);
    MenuHelpContents = make("&Contents", QKeySequence(Qt::Key_F1), [this] { ShowHelp(); });

    MenuNew->setIcon(ToolIcon(tiNew));
    MenuOpen->setIcon(ToolIcon(tiOpen));
    MenuSave->setIcon(ToolIcon(tiSave));
    MenuBack->setIcon(ToolIcon(tiBack));
    MenuReverse->setIcon(ToolIcon(tiReverse));

    auto* viewGroup = new QActionGroup(this);
    const char* viewTexts[] = {"Lar&ge Icons", "S&mall Icons", "&List", "&Details"};
    const TToolIcon viewIcons[] = {tiLargeIcons, tiSmallIcons, tiList, tiDetails};
    for (int i = 0; i < 4; ++i) {
        ViewActions[size_t(i)] = make(QString::fromLatin1(viewTexts[i]), QKeySequence(), [this, i] { SetViewStyle(i); });
        ViewActions[size_t(i)]->setCheckable(true);
        ViewActions[size_t(i)]->setIcon(ToolIcon(viewIcons[i]));
        viewGroup->addAction(ViewActions[size_t(i)]);
    }
    auto* arrangeGroup = new QActionGroup(this);
    for (int i = 0; i < 6; ++i) {
        ArrangeActions[size_t(i)] = make(QString(), QKeySequence(), [this, i] { SortCommand(i); });
        ArrangeActions[size_t(i)]->setCheckable(true);
        arrangeGroup->addAction(ArrangeActions[size_t(i)]);
    }
    const TToolIcon sortIcons[] = {tiSortName, tiSortExt, tiSortSize, tiSortDate};
    for (int i = 0; i < 4; ++i) {
        SortButtons[size_t(i)] = make(QString(), QKeySequence(), [this, i] { SortCommand(i); });
        SortButtons[size_t(i)]->setCheckable(true);
        SortButtons[size_t(i)]->setIcon(ToolIcon(sortIcons[i]));
    }
    TreeAddCatalog = make("Add New Catalog", QKeySequence(), [this] {
        QMetaObject::invokeMethod(this, [this] { MenuNewClick(); }, Qt::QueuedConnection);
    });
    TreeOpenCatalog = make("Open Catalog", QKeySequence(), [this] { MenuOpenClick(); });
    TreeSaveCatalog = make("Save Catalog", QKeySequence(), [this] { MenuSaveClick(); });
    TreeCloseCatalog = make("Close Catalog", QKeySequence(), [this] { CloseTreeCatalog(SelectedNode()); });
    // Opens the list's focused item as a double-click does.
    ListMenuMoveTo = make("Move To...", QKeySequence(), [this] { OpenListItem(CurrentListView()->currentIndex().row()); });
}

void TMainForm::CreateMenus()
{
    m_fileMenu = menuBar()->addMenu("&File");
    m_fileMenu->addAction(MenuNew);
    m_fileMenu->addAction(MenuOpen);
    m_fileMenu->addAction(MenuSave);
    m_fileMenu->addAction(MenuSaveAs);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(MenuClose);
    m_fileMenu->addAction(MenuCloseAll);
    m_recentSeparator = m_fileMenu->addSeparator();
    for (size_t i = 0; i < RecentActions.size(); ++i) {
        auto* a = new QAction(this);
        connect(a, &QAction::triggered, this, [this, i] {
            if (i < m_recent.Names().size()) OpenCatalogFiles({m_recent.Names()[i]}, true);
        });
        RecentActions[i] = a;
        m_fileMenu->addAction(a);
    }
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(MenuExit);

    QMenu* view = menuBar()->addMenu("&View");
    for (QAction* a : ViewActions) view->addAction(a);
    view->addSeparator();
    for (QAction* a : ArrangeActions) view->addAction(a);
    view->addAction(MenuReverse);
    view->addSeparator();
    view->addAction(MenuBack);

    CreateSettingsMenu();

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(MenuHelpContents);
    help->addSeparator();
    help->addAction("&About Quorvex", this, [this] {
        QMessageBox::about(this, "About Quorvex",
                           "<b>Quorvex</b> " QUORVEX_VERSION_TEXT "<br>A disk cataloguer for your media collection.");
    });
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    for (size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* label = i == 1 ? new TStatusItemLabel : new QLabel;
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        StatusPanels[i] = label;
    }
    StatusPanels[0]->setFixedWidth(75);
    StatusPanels[0]->setAlignment(Qt::AlignCenter);
    StatusPanels[3]->setFixedWidth(33);
    StatusPanels[3]->setPixmap(StatusLight(slIdle));
    StatusPanels[3]->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    StatusPanels[1]->setMinimumWidth(50);
    StatusPanels[2]->setMinimumWidth(50);
    bar->addWidget(StatusPanels[0]);
    bar->addWidget(StatusPanels[1], 7);
    bar->addWidget(StatusPanels[2], 3);
    bar->addWidget(StatusPanels[3]);
}

void TMainForm::resizeEvent(QResizeEvent* event) { QMainWindow::resizeEvent(event); }

void TMainForm::RestoreLayout()
{
    const std::optional<TMainLayout> layout = m_store->Layout();
    if (!layout) {
        resize(900, 600);
        SetViewStyle(vsDetails);
        return;
    }
    QRect bounds(layout->Bounds.Left, layout->Bounds.Top, layout->Bounds.Width, layout->Bounds.Height);
    // A rectangle lying wholly off the desktop (a screen since removed) is not taken; the
    // desktop of all screens counts, so a window kept on a second screen stays there.
    const QRect desktop = QApplication::primaryScreen() ? QApplication::primaryScreen()->virtualGeometry() : QRect();
    const QRect relative = bounds.translated(-desktop.topLeft());
    const bool onScreen =
        desktop.isEmpty() || BoundsOnScreen({relative.left(), relative.top(), relative.width(), relative.height()},
                                            TScreenSize{desktop.width(), desktop.height()});
    if (bounds.width() >= 200 && bounds.height() >= 150 && onScreen) setGeometry(bounds);
    else resize(900, 600);
    if (layout->TreeWidth > 20) m_splitter->setSizes({layout->TreeWidth, std::max(100, width() - layout->TreeWidth)});
    m_diskKey = layout->DiskSortKey();
    m_fileKey = layout->FileSortKey();
    m_reverse = layout->SortReversed();
    SetViewStyle(layout->ViewStyle);
}

void TMainForm::SaveLayout()
{
    SaveToolbarPlacement();
    TMainLayout layout;
    const QRect g = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    layout.Bounds = {g.left(), g.top(), g.width(), g.height()};
    layout.TreeWidth = m_splitter->sizes().value(0);
    layout.ViewStyle = static_cast<uint8_t>(m_viewStyle);
    layout.SortByte = TMainWindowRecord::PackSort(m_diskKey, m_fileKey, m_reverse);
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry() : QRect();
    m_store->SetLayout(layout, TScreenSize{screen.width(), screen.height()});
    m_store->Sync();
}

void TMainForm::RefreshRecentMenu()
{
    const auto& names = m_recent.Names();
    m_recentSeparator->setVisible(!names.empty());
    for (size_t i = 0; i < RecentActions.size(); ++i) {
        QAction* a = RecentActions[i];
        a->setVisible(i < names.size());
        if (i >= names.size()) continue;
        const QString name = QString::fromStdString(names[i]);
        const QString shown = fontMetrics().elidedText(name, Qt::ElideMiddle, 250);
        a->setText("&" + QString::number(i + 1) + " " + QString(shown).replace("&", "&&"));
        a->setData(name);
    }
}

void TMainForm::ApplyAutoSave()
{
    const TBrowserOptions& o = BrowserOptions();
    AutoSaveTimer->setInterval(std::max(1, o.AutoSaveEdit) * 60000);
    if (o.AutoSaveCheck) AutoSaveTimer->start();
    else AutoSaveTimer->stop();
}

void TMainForm::ScheduleIdle()
{
    if (m_idleScheduled) return;
    m_idleScheduled = true;
    QTimer::singleShot(0, this, [this] { Idle(); });
}

void TMainForm::Idle()
{
    m_idleScheduled = false;
    if (TSortInterrupt::Active()) {
        QTimer::singleShot(50, this, [this] { ScheduleIdle(); });
        return;
    }
    m_busy = 0;
    if (m_navigationPending) {
        m_navigationPending = false;
        ListUpdateTimer->start();
    }
    if (m_autoSavePending) AutoSave();
}

void TMainForm::ShowStatusText(const QString* text)
{
    m_statusShowsOperation = text != nullptr;
    if (text) {
        static_cast<TStatusItemLabel*>(StatusPanels[1])->SetItemText({}, *text);
        StatusPanels[3]->setPixmap(StatusLight(slBusy));
        StatusPanels[1]->repaint();
    } else {
        StatusPanels[3]->setPixmap(StatusLight(slIdle));
        RefreshStatus();
    }
}

void TMainForm::ShowHelp()
{
    HelpViewer()->ShowPage();
}

void TMainForm::ShowHelpContext(int context)
{
    HelpViewer()->ShowPage(THelpForm::PageOfContext(context));
}

THelpForm* TMainForm::HelpViewer()
{
    if (!m_help) m_help = new THelpForm;
    // A modal dialog blocks every window but its own: asked from one, the viewer becomes its
    // window for the time being.
    QWidget* modal = QApplication::activeModalWidget();
    if (m_help->parentWidget() != modal) {
        const QRect geometry = m_help->geometry();
        m_help->setParent(modal, Qt::Window);
        m_help->setGeometry(geometry);
    }
    return m_help;
}

void TMainForm::TreeContextMenu(const QPoint& pos)
{
    const QModelIndex index = DBTree->indexAt(pos);
    if (index.isValid()) SelectNode(m_treeModel->Node(index));
    TTreeNode* node = index.isValid() ? m_treeModel->Node(index) : nullptr;
    const bool onCatalog = node && node->Data && ItemIs(node->Data, ikCatalog);
    QMenu menu(this);
    if (!node || onCatalog) {
        menu.addAction(TreeAddCatalog);
        menu.addAction(TreeOpenCatalog);
    }
    if (onCatalog) {
        menu.addSeparator();
        menu.addAction(TreeCategories);
        TreeSaveCatalog->setEnabled(MenuSave->isEnabled());
        menu.addAction(TreeSaveCatalog);
        menu.addAction(TreeCloseCatalog);
    }
    if (onCatalog && TreeMenuNewDisk) {
        menu.addSeparator();
        menu.addAction(TreeMenuNewDisk);
    }
    if (node && ItemIs(node->Data, ikDisk) && TreeMenuUpdateDisk) menu.addAction(TreeMenuUpdateDisk);
    if (!menu.isEmpty()) menu.exec(DBTree->viewport()->mapToGlobal(pos));
}

void TMainForm::ListContextMenu(const QPoint& pos)
{
    QAbstractItemView* view = CurrentListView();
    const QModelIndex index = view->indexAt(pos);
    if (index.isValid()) {
        // As everywhere, a right-click on an item outside the selection selects it alone.
        const auto flags = view->selectionModel()->isSelected(index)
                               ? QItemSelectionModel::NoUpdate
                               : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        view->selectionModel()->setCurrentIndex(index, flags);
    }
    TItemRec* rec = m_listModel->Item(view->currentIndex().row());
    if (!rec) return;
    QMenu menu(this);
    if (!ItemIs(rec, ikFile)) {
        menu.addAction(ListMenuMoveTo);
        menu.setDefaultAction(ListMenuMoveTo);
    }
    if (ItemIs(rec, ikDisk) && ListMenuUpdateDisk) menu.addAction(ListMenuUpdateDisk);
    if (!menu.isEmpty()) menu.exec(view->viewport()->mapToGlobal(pos));
}

bool TMainForm::ListHasFocus() const
{
    QWidget* f = QApplication::focusWidget();
    return f && (f == ListView || f == IconView);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    // The drop source waits for this event to return; open afterwards.
    QMetaObject::invokeMethod(this, [this, names] { OpenDroppedFiles(names); }, Qt::QueuedConnection);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool inTree = watched == DBTree;
    const bool inList = watched == ListView || watched == IconView;
    if (event->type() == QEvent::FocusIn && (inTree || inList)) {
        if (inList && m_listModel->rowCount() > 0 && !ListView->selectionModel()->currentIndex().isValid())
            ListView->selectionModel()->setCurrentIndex(m_listModel->index(0, 0), QItemSelectionModel::NoUpdate);
        RefreshCommands();
        RefreshStatus();
    }
    if (event->type() == QEvent::FocusOut && inTree && ListUpdateTimer->isActive()) {
        ListUpdateTimer->stop();
        ListUpdateTimerFired();
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && (inTree || inList)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu ||
                             (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (menuKey) {
            // The menu opens at the focused item, not wherever the mouse happens to be.
            if (event->type() == QEvent::KeyPress) {
                auto* view = static_cast<QAbstractItemView*>(watched);
                const QModelIndex current = view->currentIndex();
                const QPoint pos = current.isValid() ? view->visualRect(current).center() : QPoint(1, 1);
                if (inTree) TreeContextMenu(pos);
                else ListContextMenu(pos);
            }
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && (inTree || inList)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        if (key->key() == Qt::Key_Backspace || (alt && key->key() == Qt::Key_PageUp) ||
            (key->key() == Qt::Key_Escape && (inList || inTree))) {
            if (inTree && key->key() != Qt::Key_Escape && !alt) {
                // Backspace in the tree moves to the parent like the arrow keys do.
                ++m_busy;
                m_navigationPending = true;
                ScheduleIdle();
                if (TTreeNode* node = SelectedNode(); node && node->Parent() && node->Parent()->Data) {
                    m_programSelecting = true;
                    DBTree->setCurrentIndex(m_treeModel->IndexOf(node->Parent()));
                    m_programSelecting = false;
                }
                return true;
            }
            if (MenuBack->isEnabled()) BackOneLevel();
            return true;
        }
        if (inList && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !alt) {
            OpenListItem(CurrentListView()->currentIndex().row());
            return true;
        }
        if (inTree && key->key() == Qt::Key_Delete) {
            TTreeNode* node = SelectedNode();
            if (node && node->Data && ItemIs(node->Data, ikCatalog) &&
                Prompt().Ask("Confirm closing", "Would you really like to close selected catalog?", pbOK | pbCancel,
                             TPromptIcon::Question, pbOK) == pbOK)
                CloseTreeCatalog(node);
            return true;
        }
        if (inTree) {
            switch (key->key()) {
            case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_End: case Qt::Key_Home:
            case Qt::Key_Up: case Qt::Key_Down:
                ++m_busy;
                m_navigationPending = true;
                ScheduleIdle();
                break;
            default: break;
            }
        }
    }
    if (event->type() == QEvent::KeyRelease && inTree && m_busy == 0 && m_firstIdleDone) {
        RefreshStatus();
        if (m_navigationPending || ListUpdateTimer->isActive() || SelectedNode() != m_shownNode) ListUpdateTimer->start();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!EndSearchBeforeExit([] { QApplication::processEvents(); })) {
        event->ignore();
        return;
    }
    TCloseHooks hooks = CloseHooks();
    if (!SavePromptsBeforeExit(m_tree, hooks)) {
        m_busy = 0;
        Progress().SetStatus({}, 0);
        RefreshCommands();
        event->ignore();
        return;
    }
    ExitSequence();
    event->accept();
}

} // namespace quorvex
