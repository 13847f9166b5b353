#pragma once
// The "Categories Setup" dialog: the categories and flags of each open catalog, drawn from
// the core's working state and forwarding the user's actions to it.

#include "categories/CategorySetup.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvex
{

class TCatalogTree;
class TTreeNode;

class TCategoriesForm : public QDialog
{
    Q_OBJECT
public:
    TCategoriesForm(TCatalogTree& tree, TTreeNode* node, QWidget* parent = nullptr);

    void SetClosedHook(std::function<void()> hook) { m_setup.Closed = std::move(hook); }
    TCategorySetup& Setup() { return m_setup; }

    void AddClick();
    void RenameClick();
    void DeleteClick();
    void CopyFromCatalog(int catalogIndex);
    void accept() override;
    void reject() override;

    QComboBox* CatalogCombo = nullptr;
    QListWidget* CategoryListBox = nullptr;
    QLineEdit* CategoryEdit = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* RenameBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* CopyFromBtn = nullptr;
    std::array<QLineEdit*, 3> FlagEdits{};
    std::array<QCheckBox*, 3> RemoveAllChecks{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void FillFlags();
    void UpdateButtons();
    void SelectRow(int row);

    TCategorySetup m_setup;
    bool m_filling = false;
};

} // namespace quorvex
