#include "BrowseFolderForm.h"

#include "config/Options.h"
#include "fileops/FolderOps.h"
#include "platform/Drives.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvex {

namespace {

constexpr int LoadedRole = Qt::UserRole + 2;

QString Clean(const QString& path) { return QDir::cleanPath(path); }

constexpr int CheckSpacing = 22;

// Stops at the first sub-folder: enough for the expansion mark, cheap in large folders.
bool HasSubfolders(const QString& path)
{
    return QDirIterator(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).hasNext();
}

bool IsBelow(const QString& path, const QString& root)
{
    const QString r = Clean(root);
    const QString p = Clean(path);
    return p == r || p.startsWith(r == QLatin1String("/") ? r : r + QLatin1Char('/'));
}

} // namespace

void TFolderTree::EndEdit(bool keep)
{
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    if (keep) commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

TBrowseFolderForm::TBrowseFolderForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("BrowseFolderForm");
    setWindowTitle("Select Folder");
    m_model = new QStandardItemModel(this);
    PathLabel = new QLabel;
    PathLabel->setObjectName("PathLabel");
    PathLabel->setFrameShape(QFrame::StyledPanel);
    PathLabel->setMinimumWidth(320);
    Tree = new TFolderTree;
    Tree->setObjectName("FolderTree");
    Tree->setModel(m_model);
    Tree->setHeaderHidden(true);
    Tree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    Tree->installEventFilter(this);
    connect(Tree, &QTreeView::expanded, this, [this](const QModelIndex& i) { Populate(m_model->itemFromIndex(i)); });
    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SelectionChanged(); });
    connect(m_model, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) { ItemRenamed(item); });

    auto* v = new QVBoxLayout(this);
    v->addWidget(PathLabel);
    v->addWidget(Tree, 1);
    auto* checks = new QVBoxLayout;
    checks->setSpacing(0);
    for (size_t i = 0; i < CheckBoxes.size(); ++i) {
        CheckBoxes[i] = new QCheckBox;
        CheckBoxes[i]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        CheckBoxes[i]->setFixedHeight(CheckSpacing);
        CheckBoxes[i]->hide();
        checks->addWidget(CheckBoxes[i]);
    }
    v->addLayout(checks);
    NewFolderBtn = new QPushButton("New Folder");
    NewFolderBtn->setObjectName("NewFolderBtn");
    RenameBtn = new QPushButton("Rename");
    RenameBtn->setObjectName("RenameBtn");
    DeleteBtn = new QPushButton("Delete");
    DeleteBtn->setObjectName("DeleteBtn");
    OKBtn = new QPushButton("OK");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setObjectName("CancelBtn");
    connect(NewFolderBtn, &QPushButton::clicked, this, &TBrowseFolderForm::NewFolderClick);
    connect(RenameBtn, &QPushButton::clicked, this, &TBrowseFolderForm::RenameClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TBrowseFolderForm::DeleteClick);
    connect(OKBtn, &QPushButton::clicked, this, &TBrowseFolderForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TBrowseFolderForm::reject);
    // A closing name editor hands the focus on to the next button, which then takes Return;
    // the tree keeps it, and Return presses OK again.
    connect(Tree->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        Tree->setFocus();
        OKBtn->setDefault(true);
    });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {NewFolderBtn, RenameBtn, DeleteBtn}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    v->addLayout(buttons);
    resize(420, 420);
    BuildRoots();
}

std::optional<QString> TBrowseFolderForm::ChooseFolder(QWidget* parent, const QString& caption,
                                                       const QString& startFolder)
{
    TBrowseFolderForm browser(parent);
    browser.setWindowTitle(caption);
    browser.SetFolder(startFolder);
    if (browser.exec() != QDialog::Accepted || browser.Folder().isEmpty()) return std::nullopt;
    return WithTrailingSeparator(browser.Folder());
}

void TBrowseFolderForm::BuildRoots()
{
    m_programEdit = true;
    m_stale = false;
    m_model->clear();
    auto addRoot = [this](const QString& text, const QString& path, QStyle::StandardPixmap icon) {
        auto* item = new QStandardItem(text);
        item->setData(Clean(path), PathRole);
        item->setEditable(false);
        item->setIcon(style()->standardIcon(icon));
        item->appendRow(new QStandardItem); // an expansion mark until the folder is read
        m_model->appendRow(item);
    };
    if (!m_driveLimit.isEmpty()) {
        addRoot(m_driveLimit, m_driveLimit, QStyle::SP_DriveHDIcon);
    } else {
        for (const TDrive& drive : Drives().List()) {
            if (drive.Root.isEmpty()) continue;
            const TDriveType type = Drives().DriveType(drive.Id);
            addRoot(drive.Id + QStringLiteral(" (") + drive.Root + QLatin1Char(')'), drive.Root,
                    type == dtRemote ? QStyle::SP_DriveNetIcon
                    : type == dtCDROM ? QStyle::SP_DriveCDIcon
                                      : QStyle::SP_DriveHDIcon);
        }
        addRoot(QStringLiteral("File System"), QStringLiteral("/"), QStyle::SP_DirIcon);
    }
    m_programEdit = false;
    SelectionChanged();
}

QStandardItem* TBrowseFolderForm::AddFolder(QStandardItem* parent, const QString& name, const QString& path)
{
    auto* item = new QStandardItem(style()->standardIcon(QStyle::SP_DirIcon), name);
    item->setData(path, PathRole);
    item->setEditable(!m_readOnly);
    if (HasSubfolders(path)) item->appendRow(new QStandardItem);
    parent->appendRow(item);
    return item;
}

void TBrowseFolderForm::ResetChildren(QStandardItem* item)
{
    item->setData(false, LoadedRole);
    if (Tree->isExpanded(item->index())) {
        Populate(item);
        return;
    }
    item->removeRows(0, item->rowCount());
    if (HasSubfolders(item->data(PathRole).toString())) item->appendRow(new QStandardItem);
}

void TBrowseFolderForm::Populate(QStandardItem* item)
{
    if (!item || item->data(LoadedRole).toBool()) return;
    const bool programEdit = m_programEdit;
    m_programEdit = true;
    item->setData(true, LoadedRole);
    item->removeRows(0, item->rowCount());
    const QString path = item->data(PathRole).toString();
    const QFileInfoList entries =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& e : entries) AddFolder(item, e.fileName(), Clean(e.filePath()));
    m_programEdit = programEdit;
}

void TBrowseFolderForm::Refill(QStandardItem* item)
{
    item->setData(false, LoadedRole);
    Populate(item);
    Tree->expand(item->index());
}

QStandardItem* TBrowseFolderForm::FindChild(QStandardItem* parent, const QString& path)
{
    Populate(parent);
    for (int r = 0; r < parent->rowCount(); ++r)
        if (parent->child(r)->data(PathRole).toString() == path) return parent->child(r);
    return nullptr;
}

void TBrowseFolderForm::SetFolder(const QString& folder)
{
    if (m_stale) BuildRoots();
    if (folder.isEmpty()) return;
    const QString target = Clean(QFileInfo(folder).absoluteFilePath());
    // The deepest root holding the folder: a drive's mount point before the whole file system.
    QStandardItem* best = nullptr;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        QStandardItem* root = m_model->item(r);
        const QString rootPath = root->data(PathRole).toString();
        if (IsBelow(target, rootPath) && (!best || rootPath.size() > best->data(PathRole).toString().size()))
            best = root;
    }
    if (!best) return;
    QStandardItem* item = best;
    const QString rootPath = best->data(PathRole).toString();
    const QString rest = target.mid(rootPath.size());
    QString path = rootPath;
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = path.endsWith(QLatin1Char('/')) ? path + part : path + QLatin1Char('/') + part;
        QStandardItem* child = FindChild(item, path);
        if (!child) break;
        Tree->expand(item->index());
        item = child;
    }
    Tree->setCurrentIndex(item->index());
}

QString TBrowseFolderForm::Folder() const
{
    QStandardItem* item = SelectedItem();
    return item ? item->data(PathRole).toString() : QString();
}

QStandardItem* TBrowseFolderForm::SelectedItem() const { return m_model->itemFromIndex(Tree->currentIndex()); }

void TBrowseFolderForm::SelectionChanged()
{
    PathLabel->setText(QDir::toNativeSeparators(Folder()));
    QStandardItem* item = SelectedItem();
    const bool folder = item && item->parent();
    RenameBtn->setEnabled(folder);
    DeleteBtn->setEnabled(folder);
    NewFolderBtn->setEnabled(item);
    OKBtn->setEnabled(item);
}

void TBrowseFolderForm::SetCheckCount(int count)
{
    count = std::clamp(count, 0, int(CheckBoxes.size()));
    int shown = 0;
    for (QCheckBox* box : CheckBoxes) shown += box->isVisibleTo(this) ? 1 : 0;
    for (int i = 0; i < int(CheckBoxes.size()); ++i) CheckBoxes[size_t(i)]->setVisible(i < count);
    resize(width(), height() + (count - shown) * CheckSpacing);
}

void TBrowseFolderForm::LoadChecks(const QString& valueName, uint32_t defaultBits)
{
    const uint32_t bits = LoadBrowseChecks(Options().Store(), valueName, defaultBits);
    for (size_t i = 0; i < CheckBoxes.size(); ++i) CheckBoxes[i]->setChecked(bits & (1u << i));
}

void TBrowseFolderForm::SaveChecks(const QString& valueName) const
{
    uint32_t bits = 0;
    for (size_t i = 0; i < CheckBoxes.size(); ++i)
        if (CheckBoxes[i]->isChecked()) bits |= 1u << i;
    SaveBrowseChecks(Options().Store(), valueName, bits);
}

void TBrowseFolderForm::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    for (QPushButton* b : {NewFolderBtn, RenameBtn, DeleteBtn}) b->setHidden(readOnly);
    Tree->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : QAbstractItemView::EditKeyPressed);
}

void TBrowseFolderForm::SetDriveLimit(const QString& root)
{
    if (m_driveLimit == root && !m_stale) return;
    m_driveLimit = root;
    BuildRoots();
}

void TBrowseFolderForm::NewFolderClick()
{
    QStandardItem* item = SelectedItem();
    if (!item || m_readOnly) return;
    const auto created = CreateNewFolder(item->data(PathRole).toString(), Prompt());
    if (!created) return;
    Refill(item);
    if (QStandardItem* child = FindChild(item, Clean(*created))) {
        Tree->setCurrentIndex(child->index());
        if (child->isEditable()) Tree->edit(child->index());
    }
}

void TBrowseFolderForm::RenameClick()
{
    QStandardItem* item = SelectedItem();
    if (item && item->parent() && !m_readOnly) Tree->edit(item->index());
}

void TBrowseFolderForm::ItemRenamed(QStandardItem* item)
{
    if (m_programEdit || !item->parent()) return;
    const QString path = item->data(PathRole).toString();
    const QString oldName = QFileInfo(path).fileName();
    const QString newName = item->text();
    if (newName == oldName) return;
    m_programEdit = true;
    if (RenameFolder(path, newName, Prompt())) {
        const QString newPath = Clean(QFileInfo(path).dir().filePath(newName));
        item->setData(newPath, PathRole);
        // The paths below still name the old folder.
        ResetChildren(item);
    } else {
        item->setText(oldName);
    }
    m_programEdit = false;
    SelectionChanged();
}

void TBrowseFolderForm::DeleteClick()
{
    QStandardItem* item = SelectedItem();
    if (!item || !item->parent() || m_readOnly) return;
    if (DeleteFolder(item->data(PathRole).toString(), Prompt()) != TDeleteFolderResult::Deleted) return;
    QStandardItem* parent = item->parent();
    const int row = item->row();
    parent->removeRow(row);
    QStandardItem* next = row < parent->rowCount() ? parent->child(row) : parent;
    Tree->setCurrentIndex(next->index());
}

void TBrowseFolderForm::accept()
{
    if (Tree->Editing()) Tree->EndEdit(true);
    QDialog::accept();
}

void TBrowseFolderForm::reject()
{
    if (Tree->Editing()) Tree->EndEdit(false);
    QDialog::reject();
}

void TBrowseFolderForm::done(int result)
{
    QDialog::done(result);
    // The caller still reads the folder; the next showing reads the drives and folders again,
    // which may have changed meanwhile, and offers every drive.
    m_driveLimit.clear();
    m_stale = true;
}

void TBrowseFolderForm::showEvent(QShowEvent* event)
{
    if (m_stale) SetFolder(Folder());
    QDialog::showEvent(event);
    if (Tree->currentIndex().isValid()) Tree->scrollTo(Tree->currentIndex());
    Tree->setFocus();
}

bool TBrowseFolderForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Tree && event->type() == QEvent::KeyPress && !Tree->Editing()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            DeleteClick();
            return true;
        }
        if (key == Qt::Key_F2) {
            RenameClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvex
