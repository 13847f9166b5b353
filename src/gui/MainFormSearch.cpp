// The main window's search and categories commands.

#include "CategoriesForm.h"
#include "MainForm.h"
#include "SearchForm.h"
#include "ToolIcons.h"
#include "catalog/ItemRoutines.h"
#include "search/SearchGuard.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace quorvex
{

void TMainForm::CreateSearchCommands()
{
    MenuSearch = new QAction(
        QIcon::fromTheme("edit-find", style()->standardIcon(QStyle::SP_FileDialogContentsView)),
        "Search &for Items", this);
    MenuSearch->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)});
    MenuSearch->setToolTip("Search for Items");
    connect(MenuSearch, &QAction::triggered, this, [this] { MenuSearchClick(); });
    MenuCategories = new QAction("&Categories Setup", this);
    connect(MenuCategories, &QAction::triggered, this,
            [this] { MenuCategoriesClick(SelectedNode()); });
    TreeCategories = new QAction("Categories Setup", this);
    connect(TreeCategories, &QAction::triggered, this,
            [this] { MenuCategoriesClick(SelectedNode()); });

    QMenu* menu = new QMenu("&Search", this);
    menu->addAction(MenuSearch);
    menu->addSeparator();
    menu->addAction(MenuCategories);
    // Before the Help menu, which stays last.
    const QList<QAction*> menus = menuBar()->actions();
    menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
}

void TMainForm::RefreshSearchCommands()
{
    if (!MenuSearch) return;
    const bool anyCatalog = m_tree.Count() > 0;
    MenuSearch->setEnabled(anyCatalog);
    MenuCategories->setEnabled(anyCatalog);
    if (!anyCatalog && m_search && !m_search->Searching()) m_search->hide();
    if (!m_statusShowsOperation)
        StatusPanels[3]->setPixmap(StatusLight(SearchRunning() ? slSearch : slIdle));
}

void TMainForm::MenuSearchClick()
{
    if (m_tree.Count() == 0) return;
    if (!m_search) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_search = new TSearchForm(*this);
        QApplication::restoreOverrideCursor();
    }
    m_search->show();
    m_search->raise();
    m_search->activateWindow();
}

void TMainForm::MenuCategoriesClick(TTreeNode* node)
{
    if (m_tree.Count() == 0) return;
    TCategoriesForm form(m_tree, node, this);
    form.SetClosedHook([this] {
        if (m_search && !m_search->Searching()) m_search->RebuildCategoryLists();
    });
    if (form.exec() == QDialog::Accepted) {
        m_shownNode = nullptr;
        ShowNodeContents(SelectedNode());
    }
    RefreshCommands();
}

void TMainForm::CatalogsChanged()
{
    if (m_closing || !m_search || m_search->Searching()) return;
    m_search->RebuildScopeTree();
    m_search->RebuildCategoryLists();
}

} // namespace quorvex
