#include "AddDiskForm.h"

#include "BrowseFolderForm.h"
#include "DiskSelectForm.h"
#include "IconImages.h"
#include "browser/IconList.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "config/Options.h"
#include "platform/Drives.h"
#include "platform/Prompt.h"
#include "scan/DiskNaming.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"
#include "scan/RequestMedium.h"

#include <QApplication>
#include <QCursor>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvex {

TDriveButton::TDriveButton(const QString& drive, QWidget* parent) : QToolButton(parent), Drive(drive)
{
    setCheckable(true);
    setFixedSize(41, 41);
    setIconSize(QSize(32, 32));
    setObjectName(QStringLiteral("Drive_") + drive);
}

TAddDiskForm::TAddDiskForm(TCatalogTree& tree, TIconImages& icons, TBrowseFolderForm& browser, QWidget* parent)
    : QDialog(parent), m_tree(tree), m_icons(icons), m_browser(browser)
{
    setObjectName("AddDiskForm");
    m_drivePanel = new QWidget;
    EmptyDriveLabel = new QLabel("No drives are available", m_drivePanel);
    EmptyDriveLabel->setObjectName("EmptyDriveLabel");
    CreateDriveButtons();

    DiskName = new QLineEdit;
    DiskName->setObjectName("DiskName");
    DatabaseList = new QComboBox;
    DatabaseList->setObjectName("DatabaseList");
    connect(DatabaseList, &QComboBox::currentIndexChanged, this, [this] {
        if (m_selected && !m_readingDrive) {
            FindMatches();
            RefreshStatus();
        }
    });
    VirtualRootCheck = new QCheckBox("Virtual root:");
    VirtualRootCheck->setObjectName("VirtualRootCheck");
    connect(VirtualRootCheck, &QCheckBox::clicked, this, [this] { VirtualRootClicked(); });
    VirtualRootLabel = new QLabel("(none)");
    VirtualRootLabel->setProperty("HelpContext", 10003);
    VirtualRootLabel->setObjectName("VirtualRootLabel");
    FolderBtn = new QPushButton("Folder...");
    FolderBtn->setObjectName("FolderBtn");
    FolderBtn->setToolTip("Catalogue a folder of any drive as a disk of its own");
    FolderBtn->setProperty("HelpContext", 10003);
    connect(FolderBtn, &QPushButton::clicked, this, [this] { FolderClicked(); });
    AdvancedBtn = new QPushButton("Advanced >>");
    AdvancedBtn->setProperty("HelpContext", 10013);
    AdvancedBtn->setObjectName("AdvancedBtn");
    AdvancedBtn->setCheckable(true);
    connect(AdvancedBtn, &QPushButton::toggled, this, [this] { LayOut(); });
    OKBtn = new QPushButton("&OK");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setObjectName("CancelBtn");
    DiskInfoBtn = new QPushButton("Disk &Info");
    DiskInfoBtn->setObjectName("DiskInfoBtn");
    connect(OKBtn, &QPushButton::clicked, this, &TAddDiskForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TAddDiskForm::reject);
    connect(DiskInfoBtn, &QPushButton::clicked, this, [this] { DiskInfoClick(); });

    OptionsPanel = new QFrame;
    OptionsPanel->setObjectName("OptionsPanel");
    OptionsPanel->setFrameShape(QFrame::StyledPanel);
    auto* options = new QVBoxLayout(OptionsPanel);
    BrowseArchiveCheck = Switch("Browse inside compressed files (ZIP, ARJ, RAR...)", TSwitchClick::BrowseArchive);
    ArchiveDescOnly = Switch("Look only for descriptions, do not import file contents", TSwitchClick::None);
    ArchiveQuickScan = Switch("Allow quick archive scan when updating disk image", TSwitchClick::None);
    EjectMediaCheck = Switch("Eject media when finished (if supported by drive)", TSwitchClick::None);
    ImportDizCheck = Switch("Import 'File_id.diz' files", TSwitchClick::ImportDiz);
    ImportBBSCheck = Switch("Import 'Files.bbs' files", TSwitchClick::ImportBBS);
    Import4DOSCheck = Switch("Import 'Descript.ion' files", TSwitchClick::Import4DOS);
    ImportCommentCheck = Switch("Import archive's comment", TSwitchClick::ImportComment);
    KeepCurrentCheck = Switch(QString(), TSwitchClick::KeepCurrent);
    ImportDescCombo = new QComboBox;
    ImportDescCombo->setObjectName("ImportDescCombo");
    ImportDescCombo->addItems({"disk you are updating", "all disks in the catalog"});
    const char* names[] = {"BrowseArchiveCheck", "ArchiveDescOnly", "ArchiveQuickScan", "EjectMediaCheck",
                           "ImportDizCheck",     "ImportBBSCheck",  "Import4DOSCheck",  "ImportCommentCheck",
                           "KeepCurrentCheck"};
    QCheckBox* boxes[] = {BrowseArchiveCheck, ArchiveDescOnly, ArchiveQuickScan, EjectMediaCheck, ImportDizCheck,
                          ImportBBSCheck,     Import4DOSCheck, ImportCommentCheck, KeepCurrentCheck};
    for (int i = 0; i < 9; ++i) boxes[i]->setObjectName(names[i]);
    for (QCheckBox* b : {BrowseArchiveCheck, ArchiveDescOnly, ArchiveQuickScan, EjectMediaCheck}) options->addWidget(b);
    auto* imports = new QGridLayout;
    imports->addWidget(ImportDizCheck, 0, 0);
    imports->addWidget(ImportBBSCheck, 0, 1);
    imports->addWidget(Import4DOSCheck, 1, 0);
    imports->addWidget(ImportCommentCheck, 1, 1);
    options->addLayout(imports);
    // The combo goes under its box: beside it, the box's caption would be cut off.
    options->addWidget(KeepCurrentCheck);
    auto* keep = new QHBoxLayout;
    keep->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                 style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing),
                             0, 0, 0);
    keep->addWidget(ImportDescCombo);
    keep->addStretch(1);
    options->addLayout(keep);
    DefaultCheck = new QCheckBox("Save as default");
    DefaultCheck->setObjectName("DefaultCheck");
    options->addWidget(DefaultCheck);

    StatusBar = new QStatusBar;
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel("Disk name:"), 0, 0);
    form->addWidget(DiskName, 0, 1);
    form->addWidget(new QLabel("Add/Update in Catalog:"), 1, 0);
    form->addWidget(DatabaseList, 1, 1);
    auto* root = new QHBoxLayout;
    root->addWidget(VirtualRootCheck);
    root->addWidget(VirtualRootLabel, 1);
    root->addWidget(FolderBtn);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AdvancedBtn);
    buttons->addStretch(1);
    buttons->addWidget(DiskInfoBtn);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(6);
    v->addWidget(m_drivePanel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 0);
    body->addLayout(form);
    body->addLayout(root);
    body->addLayout(buttons);
    body->addWidget(OptionsPanel);
    v->addLayout(body);
    v->addWidget(StatusBar);
    connect(VirtualRootCheck, &QCheckBox::toggled, this, [this] { RefreshVirtualRoot(); });
    DatabaseList->installEventFilter(this);
    ImportDescCombo->installEventFilter(this);
}

void TAddDiskForm::CreateDriveButtons()
{
    for (const TDrive& drive : Drives().List()) {
        AddDriveButton(drive.Id);
        m_drivesAtCreation << drive.Id;
    }
}

TDriveButton* TAddDiskForm::AddDriveButton(const QString& drive)
{
    auto* button = new TDriveButton(drive, m_drivePanel);
    button->setProperty("HelpContext", 10012);
    const uint8_t type = DriveMediaType(drive);
    button->setIcon(m_icons.Icon(GetDriveIcon(type, 0)));
    const QString volume = VolumeCaption(drive);
    QString tip = MediaTypeName(type) + QStringLiteral(" (") + drive + QStringLiteral(":)");
    if (!volume.isEmpty()) tip += QLatin1Char('\n') + volume;
    button->setToolTip(tip);
    // "vda:" alone tells nothing: the label or mount point goes under it, cut to the cell.
    button->Caption = new QLabel(m_drivePanel);
    const QFontMetrics metrics(button->Caption->font());
    QString caption = QStringLiteral("&") + drive + QLatin1Char(':');
    if (!volume.isEmpty())
        caption += QLatin1Char('\n') + metrics.elidedText(volume, Qt::ElideMiddle, CellWidth - 2);
    button->Caption->setText(caption);
    button->Caption->setBuddy(button);
    button->Caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(button, &QToolButton::clicked, this, [this, button] { ClickDrive(button); });
    DriveButtons.push_back(button);
    return button;
}

bool TAddDiskForm::DrivesChanged() const
{
    QStringList now;
    for (const TDrive& drive : Drives().List()) now << drive.Id;
    return now != m_drivesAtCreation;
}

QCheckBox* TAddDiskForm::Switch(const QString& caption, TSwitchClick click)
{
    auto* box = new QCheckBox(caption);
    connect(box, &QCheckBox::clicked, this, [this, click] { SwitchClicked(click); });
    return box;
}

void TAddDiskForm::ReadSwitches()
{
    TAddDiskSwitches& s = m_state.Switches;
    s.BrowseArchive.Checked = BrowseArchiveCheck->isChecked();
    s.ArchiveDescOnly.Checked = ArchiveDescOnly->isChecked();
    s.ArchiveQuickScan.Checked = ArchiveQuickScan->isChecked();
    s.EjectMedia.Checked = EjectMediaCheck->isChecked();
    s.ImportDiz.Checked = ImportDizCheck->isChecked();
    s.ImportBBS.Checked = ImportBBSCheck->isChecked();
    s.Import4DOS.Checked = Import4DOSCheck->isChecked();
    s.ImportComment.Checked = ImportCommentCheck->isChecked();
    s.KeepCurrent.Checked = KeepCurrentCheck->isChecked();
    s.ImportDescRow = ImportDescCombo->currentIndex();
}

void TAddDiskForm::ShowSwitches()
{
    m_showingSwitches = true;
    const TAddDiskSwitches& s = m_state.Switches;
    const std::pair<QCheckBox*, const TSwitch*> pairs[] = {
        {BrowseArchiveCheck, &s.BrowseArchive}, {ArchiveDescOnly, &s.ArchiveDescOnly},
        {ArchiveQuickScan, &s.ArchiveQuickScan}, {EjectMediaCheck, &s.EjectMedia},
        {ImportDizCheck, &s.ImportDiz},         {ImportBBSCheck, &s.ImportBBS},
        {Import4DOSCheck, &s.Import4DOS},       {ImportCommentCheck, &s.ImportComment},
        {KeepCurrentCheck, &s.KeepCurrent},
    };
    for (const auto& [box, value] : pairs) {
        box->setChecked(value->Checked);
        box->setEnabled(value->Enabled);
    }
    ImportDescCombo->setCurrentIndex(s.ImportDescRow);
    ImportDescCombo->setEnabled(s.ImportDescEnabled);
    m_showingSwitches = false;
}

void TAddDiskForm::SwitchClicked(TSwitchClick click)
{
    if (m_showingSwitches) return;
    ReadSwitches();
    ApplySwitchRules(m_state.Switches, m_state.Mode, click);
    ShowSwitches();
}

void TAddDiskForm::FillCatalogs(TTreeNode* selectedNode)
{
    QSignalBlocker block(DatabaseList);
    DatabaseList->clear();
    TTreeNode* selectedCatalog = selectedNode ? OwningCatalog(selectedNode) : nullptr;
    for (int i = 0; i < m_tree.Count(); ++i) {
        TTreeNode* cat = m_tree.Catalog(i);
        DatabaseList->addItem(QString::fromStdString(cat->Text), QVariant::fromValue<void*>(cat));
        if (cat == selectedCatalog) DatabaseList->setCurrentIndex(i);
    }
}

TTreeNode* TAddDiskForm::TargetCatalog() const
{
    return static_cast<TTreeNode*>(DatabaseList->currentData().value<void*>());
}

void TAddDiskForm::Prepare(TAddDiskMode mode, TTreeNode* replacedDisk, TTreeNode* selectedNode)
{
    m_state = {};
    m_state.Mode = mode;
    m_state.ReplacedDisk = mode == TAddDiskMode::Update ? replacedDisk : nullptr;
    FillCatalogs(mode == TAddDiskMode::Update && replacedDisk ? replacedDisk : selectedNode);
    DatabaseList->setEnabled(mode == TAddDiskMode::Add);
    m_state.Switches = SwitchesFromOptions(Options(), mode);
    ShowSwitches();
    DefaultCheck->setChecked(false);
    setWindowTitle(mode == TAddDiskMode::Add ? "Add New Disk" : "Update Disk");
    KeepCurrentCheck->setText(mode == TAddDiskMode::Add ? "Import existing descriptions from other disks in the catalog"
                                                         : "Import existing descriptions from:");
    ImportDescCombo->setVisible(mode == TAddDiskMode::Update);
    for (TDriveButton* b : DriveButtons) b->VirtualRoot.clear();
    Deselect();
    LayOut();
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
}

void TAddDiskForm::LayOut()
{
    const TDiskRec* replaced = m_state.ReplacedDisk ? AsDisk(m_state.ReplacedDisk->Data) : nullptr;
    std::vector<TDriveButton*> visible;
    for (TDriveButton* b : DriveButtons) {
        const bool show = m_state.Mode == TAddDiskMode::Add || !replaced ||
                          DriveCompatible(DriveMediaType(b->Drive), replaced->MediaType);
        b->setVisible(show);
        b->Caption->setVisible(show);
        if (show) visible.push_back(b);
    }
    const int screenWidth = QApplication::primaryScreen()->geometry().width();
    m_columns = std::max(9, std::min<int>(screenWidth * 2 / 123, int(visible.size())));
    const int rows = std::max<int>(1, (int(visible.size()) + m_columns - 1) / m_columns);
    for (size_t i = 0; i < visible.size(); ++i) {
        const int x = 16 + int(i) % m_columns * CellWidth;
        const int y = 16 + int(i) / m_columns * CellHeight;
        visible[i]->move(x + (CellWidth - 41) / 2, y);
        visible[i]->Caption->setGeometry(x, y + 43, CellWidth, CellHeight - 45);
    }
    EmptyDriveLabel->setVisible(visible.empty());
    EmptyDriveLabel->setGeometry(16, 16, m_columns * CellWidth, 41);
    EmptyDriveLabel->setAlignment(Qt::AlignCenter);
    m_drivePanel->setFixedHeight(16 + rows * CellHeight);
    OptionsPanel->setVisible(AdvancedBtn->isChecked());
    setFixedWidth(m_columns * CellWidth + 33);
    // Rows of the panel shown or hidden while the dialog is hidden are not yet in the sizes
    // the dialog's layout keeps.
    OptionsPanel->layout()->activate();
    OptionsPanel->updateGeometry();
    layout()->activate();
    setFixedHeight(sizeHint().height());
}

TDriveButton* TAddDiskForm::ButtonOf(const QString& drive) const
{
    for (TDriveButton* b : DriveButtons)
        if (b->Drive == drive) return b;
    return nullptr;
}

TMediumChoice TAddDiskForm::Choice() const
{
    TMediumChoice choice;
    if (!m_selected) return choice;
    choice.Drive = m_selected->Drive;
    choice.Medium = &m_medium;
    choice.VirtualRootChecked = VirtualRootCheck->isChecked() && !m_selected->VirtualRoot.isEmpty();
    choice.VirtualRoot = m_selected->VirtualRoot;
    return choice;
}

void TAddDiskForm::Deselect()
{
    if (m_selected) m_selected->setChecked(false);
    for (TDriveButton* b : DriveButtons) b->setChecked(false);
    m_selected = nullptr;
    m_medium = TDiskRec{};
    DiskName->clear();
    m_defaultName.clear();
    OKBtn->setEnabled(false);
    DiskInfoBtn->setEnabled(false);
    VirtualRootCheck->setChecked(false);
    if (m_state.Mode == TAddDiskMode::Add) {
        m_state.Matches.clear();
        m_state.ReplacedDisk = nullptr;
    }
    RefreshVirtualRoot();
    RefreshStatus();
}

void TAddDiskForm::ClickDrive(TDriveButton* button)
{
    if (m_readingDrive || !button) return;
    if (button == m_selected) {
        Deselect();
        return;
    }
    m_readingDrive = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    if (!WaitUntilReady(button->Drive, true)) {
        QApplication::restoreOverrideCursor();
        m_readingDrive = false;
        Deselect();
        return;
    }
    for (TDriveButton* b : DriveButtons) b->setChecked(b == button);
    m_selected = button;
    m_medium = TDiskRec{};
    ReadDriveInfo(button->Drive, m_medium);
    OKBtn->setEnabled(true);
    DiskInfoBtn->setEnabled(true);
    VirtualRootCheck->setChecked(!button->VirtualRoot.isEmpty());
    m_readingDrive = false;
    FindMatches();
    RefreshVirtualRoot();
    RefreshStatus();
    QApplication::restoreOverrideCursor();
}

void TAddDiskForm::FindMatches()
{
    const TMediumChoice choice = Choice();
    if (m_state.Mode == TAddDiskMode::Update) {
        const TDiskRec* disk = m_state.ReplacedDisk ? AsDisk(m_state.ReplacedDisk->Data) : nullptr;
        m_state.MediumMatches = disk && MediumMatchesDisk(*disk, choice);
    } else {
        m_state.Matches = FindMatchingDisks(TargetCatalog(), choice);
        m_state.ReplacedDisk = m_state.Matches.empty() ? nullptr : m_state.Matches.front();
    }
    bool named = false;
    if (TTreeNode* replaced = m_state.ReplacedDisk) {
        if (Options().UpdateNameCheck()) {
            DiskName->setText(QString::fromStdString(replaced->Text));
            named = true;
        }
        m_medium.Description = AsDisk(replaced->Data)->Description;
    }
    // The name the scan would give, shown while the user has not typed one of their own.
    if (!named && m_selected && (DiskName->text().isEmpty() || DiskName->text() == m_defaultName)) {
        const QString root = choice.VirtualRootChecked ? choice.VirtualRoot : QString();
        const std::string wanted = DefaultDiskName(m_medium, m_selected->Drive, root);
        TTreeNode* self = m_state.Mode == TAddDiskMode::Update ? m_state.ReplacedDisk : nullptr;
        TTreeNode* catalog = TargetCatalog();
        m_defaultName = QString::fromStdString(catalog ? UniqueDiskName(wanted, catalog, self) : wanted);
        DiskName->setText(m_defaultName);
    }
    DiskName->selectAll();
}

void TAddDiskForm::RefreshStatus()
{
    const TMediumChoice choice = Choice();
    const bool matched = m_state.Mode == TAddDiskMode::Update ? m_state.MediumMatches : !m_state.Matches.empty();
    StatusBar->showMessage(AddDiskStatusLine(m_state.Mode, m_selected ? &choice : nullptr, matched));
}

void TAddDiskForm::RefreshVirtualRoot()
{
    VirtualRootCheck->setEnabled(m_selected != nullptr);
    const bool shown = m_selected && VirtualRootCheck->isChecked() && !m_selected->VirtualRoot.isEmpty();
    VirtualRootLabel->setEnabled(VirtualRootCheck->isEnabled() && VirtualRootCheck->isChecked());
    // Kept as "\dir\sub\", shown in this system's form.
    const QString root = QString(m_selected ? m_selected->VirtualRoot : QString()).replace(u'\\', u'/');
    VirtualRootLabel->setText(shown ? QDir::toNativeSeparators(root) : QStringLiteral("(none)"));
}

void TAddDiskForm::VirtualRootClicked()
{
    if (m_readingDrive || !m_selected) return;
    QString root;
    if (VirtualRootCheck->isChecked()) {
        const QString driveRoot = DriveRoot(m_selected->Drive);
        const QString title = m_browser.windowTitle();
        m_browser.setWindowTitle("Select virtual root folder");
        m_browser.SetDriveLimit(driveRoot);
        m_browser.SetFolder(driveRoot);
        if (m_browser.exec() == QDialog::Accepted) {
            const QString folder = m_browser.Folder();
            const QString base = QDir::cleanPath(driveRoot);
            if (folder.startsWith(base)) root = NormalizedVirtualRoot(folder.mid(base.size()));
        }
        m_browser.SetDriveLimit({});
        m_browser.setWindowTitle(title);
    }
    m_selected->VirtualRoot = root;
    VirtualRootCheck->setChecked(!root.isEmpty());
    FindMatches();
    RefreshVirtualRoot();
    RefreshStatus();
}

void TAddDiskForm::FolderClicked()
{
    if (m_readingDrive) return;
    const QString title = m_browser.windowTitle();
    m_browser.setWindowTitle("Select folder to catalogue");
    m_browser.SetDriveLimit({});
    const QString start = m_selected ? DriveRoot(m_selected->Drive) : QDir::homePath();
    m_browser.SetFolder(start.isEmpty() ? QDir::homePath() : start);
    const bool chosen = m_browser.exec() == QDialog::Accepted;
    m_browser.setWindowTitle(title);
    if (chosen && !m_browser.Folder().isEmpty()) ChooseFolder(m_browser.Folder());
}

void TAddDiskForm::ChooseFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const std::optional<TFolderPlace> place = FindDriveOfFolder(info.canonicalFilePath());
    if (!place) {
        Prompt().Inform("Folder", "No drive holds the folder " + QDir::cleanPath(folder) + ".",
                        TPromptIcon::Warning);
        return;
    }
    TDriveButton* button = ButtonOf(place->Drive);
    if (!button) { // a drive made for this folder: it gets its button now
        button = AddDriveButton(place->Drive);
        m_drivesAtCreation << place->Drive;
        LayOut();
        button->show();
        button->Caption->show();
    }
    if (!button->isVisible()) return; // update mode: a drive that cannot hold this medium
    button->VirtualRoot = place->VirtualRoot;
    if (m_selected != button) {
        ClickDrive(button);
        return;
    }
    VirtualRootCheck->setChecked(!place->VirtualRoot.isEmpty());
    FindMatches();
    RefreshVirtualRoot();
    RefreshStatus();
}

void TAddDiskForm::DiskInfoClick()
{
    if (!m_selected) return;
    const TDiskRec* replaced =
        m_state.Mode == TAddDiskMode::Update && m_state.ReplacedDisk ? AsDisk(m_state.ReplacedDisk->Data) : nullptr;
    TDiskInfoForm info(m_medium, DiskName->text(), replaced ? replaced->Catalogued : 0, this);
    info.exec();
}

void TAddDiskForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Once per use: a window restored by the system does not ask for the medium again.
    if (!event->spontaneous()) QTimer::singleShot(0, this, [this] { Activate(); });
}

void TAddDiskForm::Activate()
{
    for (TDriveButton* b : DriveButtons) b->VirtualRoot.clear();
    if (m_state.Mode != TAddDiskMode::Update || !m_state.ReplacedDisk) return;
    StatusBar->showMessage("Looking for selected media, please wait...");
    const TRequestedMedium found = RequestMedium(m_state.ReplacedDisk, true, true);
    if (found.Outcome == TRequestedMedium::NotFound) {
        reject();
        return;
    }
    if (found.Outcome == TRequestedMedium::ManualSelect) {
        RefreshStatus();
        return;
    }
    TDriveButton* button = ButtonOf(found.Drive);
    const TDiskRec* disk = AsDisk(m_state.ReplacedDisk->Data);
    if (button && ItemIs(disk, ifVirtualRoot))
        button->VirtualRoot = NormalizedVirtualRoot(QString::fromStdString(disk->VirtualRootPath.Str()));
    if (button) ClickDrive(button);
    else RefreshStatus();
}

int TAddDiskForm::HelpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property("HelpContext");
        if (context.isValid()) return context.toInt();
    }
    return DefaultHelpContext;
}

void TAddDiskForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        QWidget* under = QApplication::widgetAt(QCursor::pos());
        if (!under || !isAncestorOf(under)) under = QApplication::focusWidget();
        if (HelpRequested) HelpRequested(HelpContextOf(under));
        return;
    }
    if (!DriveKey(event)) QDialog::keyPressEvent(event);
}

bool TAddDiskForm::DriveKey(QKeyEvent* event)
{
    const QString text = event->text();
    const bool alt = event->modifiers() & Qt::AltModifier;
    const bool inEdit = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    if (event->modifiers() & Qt::ControlModifier) return false;
    if (text.size() != 1 || !text[0].isLetterOrNumber() || (inEdit && !alt)) return false;
    for (TDriveButton* b : DriveButtons) {
        if (b->isVisible() && b->Drive.startsWith(text, Qt::CaseInsensitive)) {
            ClickDrive(b);
            return true;
        }
    }
    return false;
}

// The lists would take a typed letter for their own search; here it picks a drive.
bool TAddDiskForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && DriveKey(static_cast<QKeyEvent*>(event))) return true;
    return QDialog::eventFilter(watched, event);
}

void TAddDiskForm::accept()
{
    if (!m_selected) return;
    ReadSwitches();
    TSelectDisk select = SelectDisk ? SelectDisk : [this](const std::vector<TTreeNode*>& matches) {
        TDiskSelectForm form(matches, &m_icons, this);
        form.exec();
        return form.Answer();
    };
    switch (PressOk(m_state, Prompt(), select)) {
    case TOkOutcome::StayOpen: return;
    case TOkOutcome::StayOpenAtKeepCurrent:
        AdvancedBtn->setChecked(true);
        KeepCurrentCheck->setFocus();
        return;
    case TOkOutcome::Close: break;
    }
    ShowSwitches();
    if (DefaultCheck->isChecked()) SaveSwitchesAsDefaults(m_state.Switches, Options());
    QDialog::accept();
}

} // namespace quorvex
