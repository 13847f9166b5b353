// The commands of the main window that add and update disks.

#include "MainForm.h"

#include "AddDiskController.h"
#include "catalog/ItemRoutines.h"
#include "search/SearchGuard.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>

namespace quorvex {

void TMainForm::CreateDiskActions()
{
    m_addDisk = std::make_unique<TAddDiskController>(*this);
    auto make = [this](const QString& text, const char* name) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, action] { AddDiskCommand(action); });
        return action;
    };
    MenuAddDisk = make("&Add/Update Disk Image", "MenuAddDisk");
    MenuAddDisk->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    MenuAddDisk->setIcon(m_icons.Icon(siCdRom));
    TreeMenuNewDisk = make("Add New Disk Image", "TreeMenuNewDisk");
    TreeMenuUpdateDisk = make("Update Disk Image", "TreeMenuUpdateDisk");
    ListMenuUpdateDisk = make("Update Disk Image", "ListMenuUpdateDisk");
    m_fileMenu->insertAction(m_recentSeparator, MenuAddDisk);
    m_fileMenu->insertSeparator(MenuAddDisk);
}

void TMainForm::AddDiskCommand(QAction* sender)
{
    if (!m_addDisk || RefuseWhileSearching(TSearchBlocked::UpdateCatalog)) return;
    // Runs once the menu has closed.
    QMetaObject::invokeMethod(this, [this, sender] {
        const bool add = sender == MenuAddDisk || sender == TreeMenuNewDisk;
        TTreeNode* disk = nullptr;
        if (!add) {
            if (sender == ListMenuUpdateDisk) {
                TItemRec* rec = m_listModel->Item(CurrentListView()->currentIndex().row());
                if (ItemIs(rec, ikDisk)) disk = rec->Node;
            } else if (TTreeNode* node = SelectedNode()) {
                disk = OwningDisk(node);
            }
            if (!disk) return;
        }
        m_addDisk->Run(add ? TAddDiskMode::Add : TAddDiskMode::Update, disk);
        CatalogsChanged(); // the search window's scope tree lists the disks
    }, Qt::QueuedConnection);
}

} // namespace quorvex
