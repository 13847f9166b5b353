#include "DiskSelectForm.h"

#include "IconImages.h"

#include "browser/DisplayText.h"
#include "browser/ItemText.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "platform/Prompt.h"
#include "scan/DriveInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvex {

namespace {

const char* const Columns[] = {"Disk Name",  "Media Type",   "Volume Name", "Capacity",
                               "Free Space", "Last Updated", "Description"};
const int Fields[] = {fdName, fdDiskMedia, fdVolume, fdCapacity, fdFree, fdUpdated, fdDescription};
constexpr int NodeRole = Qt::UserRole + 1;

TDiskRec* DiskOf(TTreeNode* node) { return AsDisk(node->Data); }

// Raw values for sorting, texts where the column is text.
bool DiskLess(TTreeNode* a, TTreeNode* b, int column)
{
    const TDiskRec* x = DiskOf(a);
    const TDiskRec* y = DiskOf(b);
    switch (column) {
    case 3: return DiskSize(x, TDiskSizeKind::Capacity) < DiskSize(y, TDiskSizeKind::Capacity);
    case 4: return DiskSize(x, TDiskSizeKind::Free) < DiskSize(y, TDiskSizeKind::Free);
    case 5: return x->Catalogued < y->Catalogued;
    default:
        return QString::localeAwareCompare(ItemText(x, Fields[column], false), ItemText(y, Fields[column], false)) < 0;
    }
}

} // namespace

QString TDiskSelectForm::HintText()
{
    return QStringLiteral("The next time, if you would like to update data for an existing disk\r in a catalog, it "
                          "is easier to do it by selecting disk in the left pane,\r right click it and select "
                          "\"Update Disk Data\" from its object menu. \rThis way, there will be no need for "
                          "selecting disks like it is now.");
}

TDiskSelectForm::TDiskSelectForm(const std::vector<TTreeNode*>& disks, TIconImages* icons, QWidget* parent)
    : QDialog(parent), m_disks(disks), m_icons(icons)
{
    setObjectName("DiskSelectForm");
    setWindowTitle("Select Disk");
    auto* text = new QLabel("The following disks in catalog have been detected to have the same properties as the "
                            "inserted media. Select the disk you would like to update in catalog (right-click a "
                            "disk to access detailed info about that disk):");
    text->setWordWrap(true);
    DiskList = new QTreeWidget;
    DiskList->setObjectName("DiskList");
    DiskList->setRootIsDecorated(false);
    DiskList->setSelectionMode(QAbstractItemView::SingleSelection);
    DiskList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DiskList->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList headers;
    for (const char* c : Columns) headers << QString::fromLatin1(c);
    DiskList->setHeaderLabels(headers);
    DiskList->header()->setSectionsClickable(true);
    connect(DiskList->header(), &QHeaderView::sectionClicked, this, &TDiskSelectForm::HeaderClicked);
    connect(DiskList, &QWidget::customContextMenuRequested, this, &TDiskSelectForm::ContextMenu);
    connect(DiskList, &QTreeWidget::itemDoubleClicked, this, [this] { Finish(TDiskSelectAnswer::Update); });

    UpdateBtn = new QPushButton("&Update");
    UpdateBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    HintBtn = new QPushButton("Hint");
    AddNewBtn = new QPushButton("Add as New");
    connect(UpdateBtn, &QPushButton::clicked, this, [this] { Finish(TDiskSelectAnswer::Update); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { Finish(TDiskSelectAnswer::Cancel); });
    connect(AddNewBtn, &QPushButton::clicked, this, [this] { Finish(TDiskSelectAnswer::AddAsNew); });
    connect(HintBtn, &QPushButton::clicked, this,
            [] { Prompt().Inform("Hint on updating disks", HintText(), TPromptIcon::Information); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HintBtn);
    buttons->addStretch(1);
    for (QPushButton* b : {UpdateBtn, AddNewBtn, CancelBtn}) buttons->addWidget(b);
    auto* v = new QVBoxLayout(this);
    v->addWidget(text);
    v->addWidget(DiskList, 1);
    v->addLayout(buttons);
    resize(720, 300);
    Refill();
    if (DiskList->topLevelItemCount() > 0) DiskList->setCurrentItem(DiskList->topLevelItem(0));
    for (int c = 0; c < DiskList->columnCount() - 1; ++c) DiskList->resizeColumnToContents(c);
}

void TDiskSelectForm::Refill()
{
    TTreeNode* selected = SelectedDisk();
    DiskList->clear();
    for (TTreeNode* node : m_disks) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < int(std::size(Fields)); ++c) item->setText(c, ItemText(DiskOf(node), Fields[c]));
        item->setData(0, NodeRole, QVariant::fromValue<void*>(node));
        if (m_icons) item->setIcon(0, m_icons->Icon(ItemImage(node->Data, m_icons->List())));
        DiskList->addTopLevelItem(item);
        if (node == selected) DiskList->setCurrentItem(item);
    }
}

TTreeNode* TDiskSelectForm::SelectedDisk() const
{
    QTreeWidgetItem* item = DiskList->currentItem();
    return item ? static_cast<TTreeNode*>(item->data(0, NodeRole).value<void*>()) : nullptr;
}

void TDiskSelectForm::HeaderClicked(int column)
{
    m_sortReversed = column == m_sortColumn ? !m_sortReversed : false;
    m_sortColumn = column;
    std::stable_sort(m_disks.begin(), m_disks.end(), [this](TTreeNode* a, TTreeNode* b) {
        return m_sortReversed ? DiskLess(b, a, m_sortColumn) : DiskLess(a, b, m_sortColumn);
    });
    Refill();
}

void TDiskSelectForm::Finish(TDiskSelectAnswer::TKind kind)
{
    m_answer.Kind = kind;
    m_answer.Disk = kind == TDiskSelectAnswer::Update ? SelectedDisk() : nullptr;
    if (kind == TDiskSelectAnswer::Update && !m_answer.Disk) return;
    kind == TDiskSelectAnswer::Cancel ? reject() : accept();
}

void TDiskSelectForm::ShowProperties()
{
    TTreeNode* node = SelectedDisk();
    if (!node) return;
    TDiskInfoForm info(*DiskOf(node), QString::fromStdString(node->Text), DiskOf(node)->Catalogued, this);
    info.exec();
    Refill();
}

void TDiskSelectForm::ContextMenu(const QPoint& pos)
{
    if (QTreeWidgetItem* item = DiskList->itemAt(pos)) DiskList->setCurrentItem(item);
    if (!SelectedDisk()) return;
    QMenu menu(this);
    menu.addAction("Update This Disk", this, [this] { Finish(TDiskSelectAnswer::Update); });
    menu.addAction("Disk Properties", this, [this] { ShowProperties(); });
    menu.exec(DiskList->viewport()->mapToGlobal(pos));
}

void TDiskSelectForm::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    if (f4 || (alt && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))) {
        ShowProperties();
        return;
    }
    if (event->key() == Qt::Key_F10 && (event->modifiers() & Qt::ShiftModifier)) {
        QTreeWidgetItem* item = DiskList->currentItem();
        ContextMenu(item ? DiskList->visualItemRect(item).center() : QPoint(4, 4));
        return;
    }
    QDialog::keyPressEvent(event);
}

TSerialAskForm::TSerialAskForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("SerialAskForm");
    setWindowTitle("Change Serial Number?");
    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* text = new QLabel("Program has found another disk already in the catalog with the same serial number as "
                            "the current disk. If this disk is not the same, program can change serial number and "
                            "current disk will be recognized in the future.\n\nMay program try to change disk "
                            "serial number?");
    text->setWordWrap(true);
    text->setFixedWidth(390);
    DontAskCheck = new QCheckBox("Don't ask this question again, always change serial number");
    DontAskCheck->setObjectName("DontAskCheck");
    YesBtn = new QPushButton("Yes, change it");
    YesBtn->setDefault(true);
    NoBtn = new QPushButton("No, leave it as is");
    connect(YesBtn, &QPushButton::clicked, this, [this] {
        m_change = true;
        accept();
    });
    connect(NoBtn, &QPushButton::clicked, this, [this] {
        m_change = false;
        accept();
    });
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(YesBtn);
    buttons->addWidget(NoBtn);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(DontAskCheck);
    v->addLayout(buttons);
    v->setSizeConstraint(QLayout::SetFixedSize);
}

// Closed without a button (Escape, the frame's close box): no change, and the box ticked on
// the way out does not silence the question for good.
TSerialAnswer TSerialAskForm::Answer() const
{
    return {m_change, result() == QDialog::Accepted && DontAskCheck->isChecked()};
}

TDiskInfoForm::TDiskInfoForm(const TDiskRec& disk, const QString& name, double catalogued, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("DiskInfoForm");
    setWindowTitle("Disk Info");
    const int64_t clusterBytes = int64_t(disk.BytesPerSector) * disk.SectorsPerCluster;
    const std::pair<QString, QString> rows[] = {
        {"Disk name", name},
        {"Media type", MediaTypeText(disk.MediaType, disk.KindFlags)},
        {"Volume label", QString::fromStdString(disk.VolumeLabel)},
        {"Serial number", FormatSerial(disk.SerialNumber)},
        {"File system", QString::fromStdString(disk.FileSystem)},
        {"Capacity", ExactSize(DiskSize(&disk, TDiskSizeKind::Capacity) / CurrencyScale) + " bytes"},
        {"Free space", ExactSize(DiskSize(&disk, TDiskSizeKind::Free) / CurrencyScale) + " bytes"},
        {"Cluster size", ExactSize(clusterBytes) + " bytes"},
        {"Virtual root", ItemIs(&disk, ifVirtualRoot) ? PathText(disk.VirtualRootPath.View()) : "(none)"},
        {"Catalogued", catalogued > 0 ? CataloguedText(catalogued) : QString("(not yet)")},
        {"Description", QString::fromStdString(disk.Description.Str())},
    };
    Fields = new QTableWidget(int(std::size(rows)), 2);
    Fields->setObjectName("Fields");
    Fields->horizontalHeader()->hide();
    Fields->verticalHeader()->hide();
    Fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fields->setShowGrid(false);
    Fields->setSelectionMode(QAbstractItemView::NoSelection);
    Fields->setFocusPolicy(Qt::NoFocus);
    for (int r = 0; r < int(std::size(rows)); ++r) {
        Fields->setItem(r, 0, new QTableWidgetItem(rows[r].first));
        Fields->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    Fields->resizeColumnsToContents();
    Fields->horizontalHeader()->setStretchLastSection(true);
    auto* ok = new QPushButton("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Fields, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    v->addLayout(buttons);
    Fields->setMinimumHeight(Fields->verticalHeader()->length() + 2 * Fields->frameWidth());
    resize(440, sizeHint().height());
}

} // namespace quorvex
