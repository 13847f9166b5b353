// The eight pages of the settings dialog.

#include "OptionsForm.h"
#include "SlotFont.h"

#include "config/Options.h"
#include "config/OptionsFormRules.h"
#include "platform/FileDialogs.h"
#include "platform/Prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPixmap>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvex {

namespace {

using W = TWordSetting;

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true)
{
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    if (stretch) row->addStretch(1);
    return row;
}

QPushButton* Button(const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// Labels evenly spread under the slider's ticks: the first at its left end, the last at its
// right end, each other one centred on the boundary of two grid columns of equal width.
QWidget* SliderWithLabels(QSlider* bar, const QStringList& labels)
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    const int last = int(labels.size()) - 1;
    const int columns = 2 * last;
    grid->addWidget(bar, 0, 0, 1, columns);
    for (int c = 0; c < columns; ++c) grid->setColumnStretch(c, 1);
    for (int i = 0; i <= last; ++i) {
        auto* label = new QLabel(labels[i]);
        if (i == 0) grid->addWidget(label, 1, 0, Qt::AlignLeft);
        else if (i == last) grid->addWidget(label, 1, columns - 1, Qt::AlignRight);
        else grid->addWidget(label, 1, 2 * i - 1, 1, 2, Qt::AlignHCenter);
    }
    bar->setMinimumWidth(160);
    return box;
}

} // namespace

QWidget* TOptionsForm::UserInterfacePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    QCheckBox* tips = Check(W::DescAsTipsCheck, "S&how descriptions as tips");
    v->addWidget(tips);
    QSlider* wait = Slider(W::DescWaitBar, 0, 20);
    QCheckBox* autohide = Check(W::AutohideCheck, "Autohide after");
    QSlider* hide = Slider(W::DescHideBar, 0, 15);
    auto* waitLabel = new QLabel("Wait before showing");
    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 0, 0, 0);
    grid->addWidget(waitLabel, 0, 0);
    grid->addWidget(SliderWithLabels(wait, {"0", "1", "2 s"}), 0, 1);
    grid->addWidget(autohide, 1, 0);
    grid->addWidget(SliderWithLabels(hide, {"0", "5", "10", "15 s"}), 1, 1);
    v->addLayout(grid);
    m_enablers.push_back({wait, [this] { return OptionsEnabling(m_options, {}).DescWaitBar; }});
    m_enablers.push_back({waitLabel, [this] { return OptionsEnabling(m_options, {}).DescWaitBar; }});
    m_enablers.push_back({autohide, [this] { return OptionsEnabling(m_options, {}).AutohideCheck; }});
    m_enablers.push_back({hide, [this] { return OptionsEnabling(m_options, {}).DescHideBar; }});
    v->addWidget(Check(W::ShowPrevCheck, "Show '..' folders (&previous folder)"));
    v->addWidget(Check(W::ViewStatusCheck, "Display &status bar"));
    v->addWidget(Check(W::ArchivesSortCheck, "Sort archive files as folders (default as files)"));
    v->addWidget(Check(W::TipsCheck, "Show tips at program startup"));
    v->addWidget(Check(W::FormattedSizesCheck, "Display formated sizes for files and folders (default full numbers)"));
    auto* combo = new QComboBox;
    combo->setObjectName("FileDoubleClickCombo");
    combo->addItems({"Nothing", "Display File's Properties", "Open File in Explorer", "Launch File", "View File",
                     "Open Description Assistant"});
    m_readers.push_back([this, combo] {
        QSignalBlocker block(combo);
        combo->setCurrentIndex(m_options.FileDoubleClickCombo());
    });
    connect(combo, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (m_reading) return;
        m_options.SetFileDoubleClickCombo(row);
        Edited();
    });
    v->addLayout(Row({new QLabel("Double-clicking file means:"), combo}));
    v->addWidget(Check(W::ShowShortcutsCheck, "Display keyboard shortcuts in button tooltips"));
    v->addWidget(Check(W::DisableSmoothCheck, "Disable smooth expanding/collapsing in the catalog tree"));
    v->addStretch(1);
    return page;
}

QWidget* TOptionsForm::GeneralPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    CatalogPathEdit = TextEdit("CatalogPathEdit", [this] { return m_options.CatalogPathEdit(); },
                               [this](const QString& t) { m_options.SetCatalogPathEdit(t); });
    auto* catalogBrowse = Button("Browse", "CatalogPathBrowse");
    connect(catalogBrowse, &QPushButton::clicked, this, [this] {
        BrowseFolder(CatalogPathEdit, "Select Default Catalog Path", m_options.Environment().ProgramFolder);
    });
    v->addWidget(new QLabel("Default path to catalog files:"));
    auto* catalogRow = new QHBoxLayout;
    catalogRow->addWidget(CatalogPathEdit, 1);
    catalogRow->addWidget(catalogBrowse);
    v->addLayout(catalogRow);
    v->addLayout(Row({Check(W::AutoSaveCheck, "Auto-save catalog(s) every"), Spin(W::AutoSaveEdit, 2, 240),
                      new QLabel("minutes.")}));
    v->addWidget(Check(W::CreateBakCheck, "Create backup (.BAK) files"));

    auto* viewerBox = new QGroupBox("Viewer");
    auto* vv = new QVBoxLayout(viewerBox);
    QAbstractButton* internal = Radio(W::ExternalViewerCheck, 0, "Use internal, built-in viewer");
    internal->setObjectName("InternalViewerCheck");
    QAbstractButton* external = Radio(W::ExternalViewerCheck, 1, "View files with this external program:");
    external->setObjectName("ExternalViewerCheck");
    vv->addWidget(internal);
    vv->addWidget(external);
    ViewerEdit = TextEdit("ViewerEdit", [this] { return m_options.ViewerEdit(); },
                          [this](const QString& t) { m_options.SetViewerEdit(t); });
    auto* viewerBrowse = Button("Browse", "ViewerBrowse");
    connect(viewerBrowse, &QPushButton::clicked, this, [this] { BrowseProgram(ViewerEdit, "External ASCII Viewer"); });
    auto* viewerRow = new QHBoxLayout;
    viewerRow->setContentsMargins(24, 0, 0, 0);
    viewerRow->addWidget(ViewerEdit, 1);
    viewerRow->addWidget(viewerBrowse);
    vv->addLayout(viewerRow);
    QCheckBox* shortNames = Check(W::ShortFilenamesCheck, "Always use short filenames as parameters");
    auto* shortRow = Row({shortNames});
    shortRow->setContentsMargins(24, 0, 0, 0);
    vv->addLayout(shortRow);
    for (QWidget* w : {static_cast<QWidget*>(ViewerEdit), static_cast<QWidget*>(viewerBrowse),
                       static_cast<QWidget*>(shortNames)})
        m_enablers.push_back({w, [this] { return OptionsEnabling(m_options, {}).ViewerEdit; }});
    v->addWidget(viewerBox);

    ShellEdit = TextEdit("ShellEdit", [this] { return m_options.ShellEdit(); },
                         [this](const QString& t) { m_options.SetShellEdit(t); });
    auto* shellBrowse = Button("Browse", "ShellBrowse");
    connect(shellBrowse, &QPushButton::clicked, this, [this] { BrowseProgram(ShellEdit, "External Shell Program"); });
    v->addWidget(new QLabel("Use this program as a shell instead of Windows Explorer:"));
    auto* shellRow = new QHBoxLayout;
    shellRow->addWidget(ShellEdit, 1);
    shellRow->addWidget(shellBrowse);
    v->addLayout(shellRow);
    v->addStretch(1);
    return page;
}

QWidget* TOptionsForm::ToolbarPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* dock = new QGroupBox("Position");
    auto* dv = new QVBoxLayout(dock);
    const char* dockCaptions[] = {"&Top", "Bo&ttom", "&Left side", "&Right side"};
    for (int i = 0; i < 4; ++i) {
        QAbstractButton* r = Radio(W::ToolbarDock, i, dockCaptions[i]);
        r->setObjectName(QStringLiteral("Toolbar%1").arg(i + 1));
        dv->addWidget(r);
    }
    left->addWidget(dock);
    left->addWidget(Check(W::ToolbarVisible, "&Visible"));
    left->addWidget(Check(W::ToolbarFloating, "&Floating"));
    auto* sizeLabel = new QLabel("&Button Size:");
    QSlider* sizeBar = Slider(W::ButtonSizeBar, 0, 7);
    sizeLabel->setBuddy(sizeBar);
    left->addWidget(sizeLabel);
    left->addWidget(sizeBar);
    left->addWidget(Check(W::OldButtonsCheck, "Old Style Buttons"));
    left->addStretch(1);
    h->addLayout(left);

    ToolbarList = new QListWidget;
    ToolbarList->setObjectName("ToolbarList");
    ToolbarList->setIconSize(QSize(20, 20));
    auto* right = new QVBoxLayout;
    right->addWidget(ToolbarList, 1);
    auto* up = Button("&Up", "ToolbarUp");
    auto* down = Button("&Down", "ToolbarDown");
    auto* remove = Button("&Remove", "ToolbarRemove");
    auto* separator = Button("Add &Separator", "ToolbarSeparator");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {up, down, remove, separator}) buttons->addWidget(b);
    right->addLayout(buttons);
    h->addLayout(right, 1);
    auto edit = [this](auto change) {
        std::vector<uint8_t> entries = m_options.ToolbarLayout().Entries();
        int row = ToolbarList->currentRow();
        if (!change(entries, row)) return;
        m_options.SetToolbarEntries(std::move(entries));
        RefreshToolbarList(row);
        Edited();
    };
    auto move = [edit](int delta) {
        return [edit, delta] {
            edit([delta](std::vector<uint8_t>& e, int& row) {
                const int to = row + delta;
                if (row < 0 || to < 0 || to >= int(e.size())) return false;
                std::swap(e[size_t(row)], e[size_t(to)]);
                row = to;
                return true;
            });
        };
    };
    connect(up, &QPushButton::clicked, this, move(-1));
    connect(down, &QPushButton::clicked, this, move(1));
    connect(remove, &QPushButton::clicked, this, [edit] {
        edit([](std::vector<uint8_t>& e, int& row) {
            // Only separators go for good; a button moves behind the divider, where it is hidden.
            if (row < 0 || row >= int(e.size()) || e[size_t(row)] == TToolbarLayout::Divider) return false;
            const uint8_t entry = e[size_t(row)];
            e.erase(e.begin() + row);
            if (entry != TToolbarLayout::Separator) e.push_back(entry);
            return true;
        });
    });
    connect(separator, &QPushButton::clicked, this, [edit] {
        edit([](std::vector<uint8_t>& e, int& row) {
            const int at = row < 0 ? 0 : row;
            e.insert(e.begin() + std::min<size_t>(size_t(at), e.size()), TToolbarLayout::Separator);
            row = at;
            return true;
        });
    });
    return page;
}

void TOptionsForm::RefreshToolbarList(int select)
{
    QStringList captions;
    const std::vector<uint8_t>& entries = m_options.ToolbarLayout().Entries();
    for (uint8_t entry : entries) captions << TToolbarLayout::EntryCaption(entry);
    RefreshStringList(ToolbarList, captions, select);
    // Entries without a picture get a blank one, so that every caption starts in one column.
    QPixmap blank(ToolbarList->iconSize());
    blank.fill(Qt::transparent);
    for (int row = 0; row < ToolbarList->count(); ++row) {
        const uint8_t entry = entries[size_t(row)];
        QListWidgetItem* item = ToolbarList->item(row);
        item->setIcon(QIcon(blank));
        if (entry == TToolbarLayout::Divider) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        } else if (entry != TToolbarLayout::Separator && ToolbarButtonLook) {
            const auto [icon, tip] = ToolbarButtonLook(entry);
            if (!icon.isNull()) item->setIcon(icon);
            item->setToolTip(tip);
        }
    }
}

QWidget* TOptionsForm::FontsPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    FontSettingsCombo = new QComboBox;
    FontSettingsCombo->setObjectName("FontSettingsCombo");
    FontSettingsCombo->addItems({"Catalog Tree (Left Window)", "File List (Right Window)", "Descriptions in Properties",
                                 "Description File Contents", "Descriptions as Tips", "ASCII Viewer"});
    v->addWidget(FontSettingsCombo);
    auto* system = new QRadioButton("Use &system default font");
    system->setObjectName("UseSystemFont");
    auto* custom = new QRadioButton("&Custom font:");
    custom->setObjectName("UseCustomFont");
    auto* group = new QButtonGroup(page);
    group->addButton(system);
    group->addButton(custom);
    auto* fontButton = Button("Select &Font", "FontButton");
    v->addWidget(system);
    v->addLayout(Row({custom, fontButton}));
    FontSample = new QLabel("AaBbCc 12345");
    FontSample->setObjectName("FontSample");
    FontSample->setFrameShape(QFrame::StyledPanel);
    FontSample->setAlignment(Qt::AlignCenter);
    FontSample->setMinimumHeight(80);
    v->addWidget(FontSample);
    v->addStretch(1);
    connect(FontSettingsCombo, &QComboBox::currentIndexChanged, this, [this] { RefreshFontPage(); });
    auto setCustom = [this](bool on) {
        if (m_reading) return;
        TFontSlot slot = m_options.FontSlot(FontSettingsCombo->currentIndex());
        if (slot.UseCustom == on) return;
        if (on && slot.Face.isEmpty()) slot = m_options.EffectiveFont(FontSettingsCombo->currentIndex());
        slot.UseCustom = on;
        m_options.SetFontSlot(FontSettingsCombo->currentIndex(), slot);
        RefreshFontPage();
        Edited();
    };
    connect(custom, &QRadioButton::toggled, this, setCustom);
    connect(fontButton, &QPushButton::clicked, this, [this] {
        const int index = FontSettingsCombo->currentIndex();
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, FontSample->font(), this);
        if (!ok) return;
        // A font chosen while the system's is used makes the slot custom.
        TFontSlot slot = FontSlotOf(chosen);
        slot.UseCustom = true;
        m_options.SetFontSlot(index, slot);
        RefreshFontPage();
        Edited();
    });
    return page;
}

void TOptionsForm::RefreshFontPage()
{
    if (!FontSettingsCombo) return;
    const int index = std::max(0, FontSettingsCombo->currentIndex());
    const TFontSlot slot = m_options.EffectiveFont(index);
    const bool custom = m_options.FontSlot(index).UseCustom;
    {
        auto* system = findChild<QRadioButton*>("UseSystemFont");
        auto* customRadio = findChild<QRadioButton*>("UseCustomFont");
        QSignalBlocker b1(system), b2(customRadio);
        (custom ? customRadio : system)->setChecked(true);
    }
    FontSample->setFont(SlotFont(slot, FontSample->font()));
    if (!m_reading) RefreshEnabling();
}

QWidget* TOptionsForm::DiskImagePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel("Import descriptions from this sources (in the following order):"));
    ImportDescList = new QListWidget;
    ImportDescList->setObjectName("ImportDescList");
    ImportDescList->setMaximumHeight(ImportDescList->sizeHintForRow(0) * 4 + 90);
    auto* hi = Button("Higher priority", "HiPriorityBtn");
    auto* lo = Button("Lower priority", "LoPriorityBtn");
    auto* sourceButtons = new QVBoxLayout;
    sourceButtons->addWidget(hi);
    sourceButtons->addWidget(lo);
    sourceButtons->addStretch(1);
    auto* sources = new QHBoxLayout;
    sources->addWidget(ImportDescList, 1);
    sources->addLayout(sourceButtons);
    v->addLayout(sources);
    connect(ImportDescList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_reading) return;
        const int row = ImportDescList->row(item);
        m_options.SetDescSourceChecked(m_options.DescSourceAt(row), item->checkState() == Qt::Checked);
        Edited();
    });
    auto move = [this](int delta) {
        return [this, delta] {
            const int row = ImportDescList->currentRow();
            if (row < 0 || row + delta < 0 || row + delta >= DescSourceCount) return;
            m_options.MoveDescSourceRow(row, delta);
            RefreshImportDescList(row + delta);
            Edited();
        };
    };
    connect(hi, &QPushButton::clicked, this, move(-1));
    connect(lo, &QPushButton::clicked, this, move(1));

    QCheckBox* trunc = Check(W::DescTruncCheck, "Truncate descriptions if longer than");
    QSpinBox* lines = Spin(W::DescTruncEdit, 1, 15);
    m_enablers.push_back({lines, [this] { return OptionsEnabling(m_options, {}).DescTruncEdit; }});
    v->addLayout(Row({trunc, lines, new QLabel("lines.")}));
    v->addWidget(Check(W::DescKeepCurrentCheck, "Keep current descriptions (if available) when updating disk data"));
    v->addWidget(Check(W::UpdateNameCheck, "Keep old disk name when updating disk already in the catalog"));
    v->addWidget(Check(W::EjectMediaCheck, "Eject media after cataloguing (if supported by drive)"));
    v->addWidget(Check(W::IgnoreFoldersCheck, "Ignore hidden folders"));
    v->addWidget(Check(W::IgnoreFilesCheck, "Ignore hidden files"));
    v->addWidget(Check(W::IgnoreRecycleCheck, "Ignore Recycle Bin folder"));
    v->addWidget(Check(W::SetSerialCheck, "Allow program to change disk serial number when needed"));
    QCheckBox* ask = Check(W::SerialAskCheck, "Ask first");
    auto* askRow = Row({ask});
    askRow->setContentsMargins(24, 0, 0, 0);
    v->addLayout(askRow);
    m_enablers.push_back({ask, [this] { return OptionsEnabling(m_options, {}).SerialAskCheck; }});
    v->addStretch(1);
    return page;
}

void TOptionsForm::RefreshImportDescList(int select)
{
    const bool reading = m_reading;
    m_reading = true;
    ImportDescList->clear();
    for (int row = 0; row < DescSourceCount; ++row) {
        const TDescSource source = m_options.DescSourceAt(row);
        // The comment row has a caption of its own; its stored and command-line name stays.
        const QString caption = source == TDescSource::ArchiveComment
                                    ? QStringLiteral("Compressed file's comment if available")
                                    : DescSourceName(source);
        auto* item = new QListWidgetItem(caption, ImportDescList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_options.DescSourceChecked(source) ? Qt::Checked : Qt::Unchecked);
    }
    ImportDescList->setCurrentRow(std::clamp(select, 0, DescSourceCount - 1));
    m_reading = reading;
}

QWidget* TOptionsForm::ArchiveFilesPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel("Temporary folder to extract files to:"));
    ExtractDir = TextEdit("ExtractDir", [this] { return m_options.ExtractDir(); },
                          [this](const QString& t) { m_options.SetExtractDir(t); });
    auto* browse = Button("Browse", "ExtractDirBrowse");
    connect(browse, &QPushButton::clicked, this,
            [this] { BrowseFolder(ExtractDir, "Select Temporary Folder", m_options.Environment().TempFolder); });
    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(ExtractDir, 1);
    dirRow->addWidget(browse);
    v->addLayout(dirRow);
    const char* removalNames[] = {"AskRemoveTemp", "AlwaysRemoveTemp", "AlwaysLeaveTemp"};
    const char* removalCaptions[] = {"Always ask before deleting extracted files from temporary folder",
                                     "On program exit, delete all extracted files from temporary folder",
                                     "Leave extracted files in temporary folder when program exits"};
    for (int i : {1, 2, 0}) {
        QAbstractButton* r = Radio(W::TempRemoval, i, removalCaptions[i]);
        r->setObjectName(removalNames[i]);
        v->addWidget(r);
    }
    v->addWidget(Check(W::RestoreDirCheck, "Restore folder structure stored in archive file when extracting"));
    v->addWidget(Check(W::InsideZipCheck, "Browse inside compressed files when making disk image"));
    auto* kinds = new QGroupBox;
    auto* grid = new QGridLayout(kinds);
    const std::pair<W, const char*> boxes[] = {
        {W::ArcZIP, "ZIP"}, {W::ArcARJ, "ARJ"}, {W::ArcARC, "ARC"}, {W::ArcCAB, "CAB"}, {W::ArcRAR, "RAR"},
        {W::ArcTAR, "TAR"}, {W::ArcZOO, "ZOO"}, {W::ArcPAK, "PAK"}, {W::ArcLZH, "LZH"}, {W::ArcLHA, "LHA"},
        {W::ArcEXE, "EXE (self-extract)"}, {W::ArcHA, "HA"}, {W::ArcGZIP, "GZIP"}, {W::ArcZ, "Z"},
    };
    int i = 0;
    for (const auto& [id, caption] : boxes) {
        QCheckBox* box = Check(id, caption);
        grid->addWidget(box, i / 5, i % 5);
        m_enablers.push_back({box, [this] { return OptionsEnabling(m_options, {}).ArchiveKinds; }});
        ++i;
    }
    v->addWidget(kinds);
    for (auto [id, caption] : {std::pair{W::ArchiveDescOnly, "Browse only for descriptions, do not import compressed files info"},
                               std::pair{W::ArchiveQuickScan, "Allow quick scan through archive file when updating existing disk image"}}) {
        QCheckBox* box = Check(id, caption);
        v->addWidget(box);
        m_enablers.push_back({box, [this] { return OptionsEnabling(m_options, {}).ArchiveKinds; }});
    }
    v->addStretch(1);
    return page;
}

QWidget* TOptionsForm::DescriptionsPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel("Search for this files in Description Assistant:"));
    DescList = new QListWidget;
    DescList->setObjectName("DescList");
    DescList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DescEdit = new QLineEdit;
    DescEdit->setObjectName("DescEdit");
    auto* add = Button("Add", "DescAdd");
    auto* del = Button("Delete", "DescDelete");
    auto* up = Button("Up", "DescUp");
    auto* down = Button("Down", "DescDown");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(DescEdit);
    for (QPushButton* b : {add, del, up, down}) buttons->addWidget(b);
    buttons->addStretch(1);
    auto* h = new QHBoxLayout;
    h->addWidget(DescList, 1);
    h->addLayout(buttons);
    v->addLayout(h, 1);
    connect(DescEdit, &QLineEdit::textChanged, this, [this] { RefreshEnabling(); });
    connect(add, &QPushButton::clicked, this, [this] {
        const QString mask = CleanDescMask(DescEdit->text());
        if (mask.isEmpty()) return;
        m_options.SetDescList(m_options.DescList() + QStringList{mask});
        RefreshStringList(DescList, m_options.DescList(), int(m_options.DescList().size()) - 1);
        DescEdit->clear();
        Edited();
    });
    connect(del, &QPushButton::clicked, this, [this] {
        QStringList list = m_options.DescList();
        for (int row = DescList->count() - 1; row >= 0; --row)
            if (DescList->item(row)->isSelected()) list.removeAt(row);
        m_options.SetDescList(list);
        RefreshStringList(DescList, list, DescList->currentRow());
        Edited();
    });
    auto move = [this](int delta) {
        return [this, delta] {
            QStringList list = m_options.DescList();
            const int row = DescList->currentRow();
            if (!MoveListEntry(list, row, delta)) return;
            m_options.SetDescList(list);
            RefreshStringList(DescList, list, row + delta);
            Edited();
        };
    };
    connect(up, &QPushButton::clicked, this, move(-1));
    connect(down, &QPushButton::clicked, this, move(1));
    m_enablers.push_back({add, [this] { return OptionsEnabling(m_options, DescEdit->text()).DescAdd; }});
    for (QPushButton* b : {del, up, down})
        m_enablers.push_back({b, [this] { return OptionsEnabling(m_options, {}).DescListButtons; }});
    QSpinBox* levels = Spin(W::DescMaxLevels, 1, 8);
    m_enablers.push_back({levels, [this] { return OptionsEnabling(m_options, {}).DescMaxLevels; }});
    v->addLayout(Row({Check(W::DescAlwaysCheck, "Search in subfolders (max."), levels, new QLabel("levels deep)")}));
    return page;
}

QWidget* TOptionsForm::AutoLoadPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(Check(W::AutoloadCheck, "&Enable catalog autoload on program startup"));
    auto* label = new QLabel("Catalogs to load:");
    v->addWidget(label);
    AutoloadList = new QListWidget;
    AutoloadList->setObjectName("AutoloadList");
    AutoloadList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* add = Button("&Add", "AutoloadAdd");
    auto* remove = Button("&Remove", "AutoloadRemove");
    auto* up = Button("&Up", "AutoloadUp");
    auto* down = Button("&Down", "AutoloadDown");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, remove, up, down}) buttons->addWidget(b);
    buttons->addStretch(1);
    auto* h = new QHBoxLayout;
    h->addWidget(AutoloadList, 1);
    h->addLayout(buttons);
    v->addLayout(h, 1);
    connect(add, &QPushButton::clicked, this, [this] {
        const auto names = FileDialogs().OpenCatalogs(m_options.CatalogPathEdit().toStdString());
        QStringList list = m_options.AutoloadList();
        for (const std::string& n : names) {
            const QString name = QString::fromStdString(n);
            if (!CanAddAutoload(list, name)) {
                Prompt().Inform("Notice", "Selected catalog is already listed for autoloading.",
                                TPromptIcon::Information);
                continue;
            }
            if (list.size() < MaxAutoloadCatalogs) list << name;
        }
        m_options.SetAutoloadList(list);
        RefreshStringList(AutoloadList, list, int(list.size()) - 1);
        Edited();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        QStringList list = m_options.AutoloadList();
        for (int row = AutoloadList->count() - 1; row >= 0; --row)
            if (AutoloadList->item(row)->isSelected()) list.removeAt(row);
        m_options.SetAutoloadList(list);
        RefreshStringList(AutoloadList, list, AutoloadList->currentRow());
        Edited();
    });
    auto move = [this](int delta) {
        return [this, delta] {
            QStringList list = m_options.AutoloadList();
            const int row = AutoloadList->currentRow();
            if (!MoveListEntry(list, row, delta)) return;
            m_options.SetAutoloadList(list);
            RefreshStringList(AutoloadList, list, row + delta);
            Edited();
        };
    };
    connect(up, &QPushButton::clicked, this, move(-1));
    connect(down, &QPushButton::clicked, this, move(1));
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(AutoloadList), static_cast<QWidget*>(remove)})
        m_enablers.push_back({w, [this] { return OptionsEnabling(m_options, {}).AutoloadControls; }});
    m_enablers.push_back({add, [this] { return OptionsEnabling(m_options, {}).AutoloadAdd; }});
    for (QPushButton* b : {up, down})
        m_enablers.push_back({b, [this] { return OptionsEnabling(m_options, {}).AutoloadUpDown; }});
    return page;
}

} // namespace quorvex
