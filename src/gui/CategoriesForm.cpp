#include "CategoriesForm.h"

#include "EditForm.h"
#include "browser/DisplayText.h"
#include "catalog/TreeNode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex
{

TCategoriesForm::TCategoriesForm(TCatalogTree& tree, TTreeNode* node, QWidget* parent)
    : QDialog(parent), m_setup(tree, node)
{
    setObjectName("CategoriesForm");
    setWindowTitle("Categories Setup");

    CatalogCombo = new QComboBox;
    CatalogCombo->setObjectName("CatalogCombo");
    auto* catalogLabel = new QLabel("Ca&talog:");
    catalogLabel->setBuddy(CatalogCombo);
    auto* copyMenu = new QMenu(this);
    for (int i = 0; i < m_setup.CatalogCount(); ++i) {
        const QString name = DisplayText(m_setup.CatalogNode(i)->Text);
        CatalogCombo->addItem(name);
        QAction* a = copyMenu->addAction(name);
        connect(a, &QAction::triggered, this, [this, i] { CopyFromCatalog(i); });
    }
    connect(copyMenu, &QMenu::aboutToShow, this, [this, copyMenu] {
        const QList<QAction*> actions = copyMenu->actions();
        for (int i = 0; i < actions.size(); ++i)
            actions[i]->setVisible(i != m_setup.Shown());
    });

    auto* categories = new QGroupBox("&Categories List");
    CategoryListBox = new QListWidget;
    CategoryListBox->setObjectName("CategoryListBox");
    CategoryEdit = new QLineEdit;
    CategoryEdit->setObjectName("CategoryEdit");
    CategoryEdit->installEventFilter(this);
    AddBtn = new QPushButton("&Add");
    RenameBtn = new QPushButton("&Rename");
    DeleteBtn = new QPushButton("&Delete");
    CopyFromBtn = new QPushButton("&Copy from");
    CopyFromBtn->setMenu(copyMenu);
    CopyFromBtn->setEnabled(m_setup.CopyFromEnabled());
    for (QPushButton* b : {AddBtn, RenameBtn, DeleteBtn, CopyFromBtn})
        b->setAutoDefault(false);
    auto* catGrid = new QGridLayout(categories);
    catGrid->addWidget(CategoryListBox, 0, 0, 4, 1);
    catGrid->addWidget(RenameBtn, 0, 1);
    catGrid->addWidget(DeleteBtn, 1, 1);
    catGrid->addWidget(CopyFromBtn, 2, 1);
    catGrid->addWidget(CategoryEdit, 4, 0);
    catGrid->addWidget(AddBtn, 4, 1);
    catGrid->setRowStretch(3, 1);

    auto* flags = new QGroupBox("User Defined &Flags");
    auto* flagGrid = new QGridLayout(flags);
    const char* labels[] = {"Flag &1:", "Flag &2:", "Flag &3:"};
    for (int f = 0; f < 3; ++f) {
        FlagEdits[size_t(f)] = new QLineEdit;
        FlagEdits[size_t(f)]->setObjectName(QStringLiteral("FlagEdit%1").arg(f + 1));
        FlagEdits[size_t(f)]->installEventFilter(this);
        RemoveAllChecks[size_t(f)] = new QCheckBox("Remove All");
        RemoveAllChecks[size_t(f)]->setObjectName(QStringLiteral("RemoveAll%1").arg(f + 1));
        auto* label = new QLabel(labels[f]);
        label->setBuddy(FlagEdits[size_t(f)]);
        flagGrid->addWidget(label, f, 0);
        flagGrid->addWidget(FlagEdits[size_t(f)], f, 1);
        flagGrid->addWidget(RemoveAllChecks[size_t(f)], f, 2);
        connect(RemoveAllChecks[size_t(f)], &QCheckBox::clicked, this, [this, f](bool on) {
            m_setup.SetRemoveAll(f, on);
            FillFlags();
        });
    }
    flagGrid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &TCategoriesForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TCategoriesForm::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(catalogLabel);
    top->addWidget(CatalogCombo, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(categories, 1);
    layout->addWidget(flags);
    layout->addWidget(buttons);

    CatalogCombo->setCurrentIndex(m_setup.Shown());
    connect(CatalogCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0) return;
        m_setup.ShowCatalog(index);
        Fill();
    });
    connect(CategoryEdit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(CategoryListBox, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(CategoryListBox, &QListWidget::itemDoubleClicked, this, [this] { RenameClick(); });
    connect(AddBtn, &QPushButton::clicked, this, &TCategoriesForm::AddClick);
    connect(RenameBtn, &QPushButton::clicked, this, &TCategoriesForm::RenameClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TCategoriesForm::DeleteClick);
    CategoryEdit->clear();
    Fill();
    resize(420, 420);
}

void TCategoriesForm::Fill()
{
    m_filling = true;
    const int row = CategoryListBox->currentRow();
    CategoryListBox->clear();
    for (const TCategoryRow& r : m_setup.Rows())
        CategoryListBox->addItem(DisplayText(r.Name));
    if (row >= 0 && row < CategoryListBox->count()) CategoryListBox->setCurrentRow(row);
    if (m_setup.EditEnabled()) {
        if (!CategoryEdit->isEnabled()) CategoryEdit->clear();
        CategoryEdit->setEnabled(true);
    } else {
        CategoryEdit->setEnabled(false);
        CategoryEdit->setText(MaxCategoriesText);
    }
    m_filling = false;
    FillFlags();
    UpdateButtons();
}

void TCategoriesForm::FillFlags()
{
    for (int f = 0; f < 3; ++f) {
        FlagEdits[size_t(f)]->setText(DisplayText(m_setup.FlagText(f)));
        RemoveAllChecks[size_t(f)]->setEnabled(m_setup.RemoveAllEnabled(f));
        RemoveAllChecks[size_t(f)]->setChecked(m_setup.RemoveAll(f));
    }
}

void TCategoriesForm::UpdateButtons()
{
    AddBtn->setEnabled(CategoryEdit->isEnabled() && !CategoryEdit->text().isEmpty());
    const bool selected = CategoryListBox->currentRow() >= 0;
    RenameBtn->setEnabled(selected);
    DeleteBtn->setEnabled(selected);
}

void TCategoriesForm::SelectRow(int row)
{
    if (row >= 0 && row < CategoryListBox->count()) CategoryListBox->setCurrentRow(row);
    UpdateButtons();
}

void TCategoriesForm::AddClick()
{
    if (!CategoryEdit->isEnabled()) return;
    const std::string name = StoredText(CategoryEdit->text());
    if (!m_setup.Add(name)) return;
    CategoryEdit->clear();
    Fill();
    for (int i = 0; i < int(m_setup.Rows().size()); ++i)
        if (m_setup.Rows()[size_t(i)].Name == name) SelectRow(i);
    if (CategoryEdit->isEnabled()) CategoryEdit->setFocus();
}

void TCategoriesForm::RenameClick()
{
    const int row = CategoryListBox->currentRow();
    if (row < 0) return;
    QString text = DisplayText(m_setup.Rows()[size_t(row)].Name);
    TEditForm edit(this);
    if (!edit.Run("Rename Category", "New Category Name:", text)) return;
    const std::string name = StoredText(text);
    if (!m_setup.Rename(row, name)) return;
    Fill();
    for (int i = 0; i < int(m_setup.Rows().size()); ++i)
        if (m_setup.Rows()[size_t(i)].Name == name) SelectRow(i);
}

void TCategoriesForm::DeleteClick()
{
    const int row = CategoryListBox->currentRow();
    if (row < 0 || !m_setup.Delete(row)) return;
    CategoryListBox->setCurrentRow(-1);
    Fill();
    SelectRow(m_setup.RowAfterDelete(row));
}

void TCategoriesForm::CopyFromCatalog(int catalogIndex)
{
    m_setup.CopyFrom(catalogIndex);
    Fill();
}

void TCategoriesForm::accept()
{
    // A flag edit still being typed in counts as left.
    for (int f = 0; f < 3; ++f)
        if (FlagEdits[size_t(f)]->hasFocus())
            m_setup.LeaveFlagEdit(f, StoredText(FlagEdits[size_t(f)]->text()));
    if (m_setup.Accept()) QDialog::accept();
}

void TCategoriesForm::reject()
{
    if (m_setup.Cancel()) QDialog::reject();
}

bool TCategoriesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CategoryEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            AddClick(); // Enter in the edit means Add, elsewhere OK
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        for (int f = 0; f < 3; ++f) {
            if (watched != FlagEdits[size_t(f)]) continue;
            m_setup.LeaveFlagEdit(f, StoredText(FlagEdits[size_t(f)]->text()));
            FillFlags();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvex
