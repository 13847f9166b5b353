#include "OptionsForm.h"

#include "BrowseFolderForm.h"
#include "config/Options.h"
#include "config/OptionsFormRules.h"
#include "platform/FileDialogs.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
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
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quorvex {

namespace {

const char* const PageTitles[OptionsPageCount] = {
    "User interface", "General", "Toolbar", "Customize Fonts",
    "Disk Image Settings", "Archive Files", "Descriptions", "Auto Load",
};

} // namespace

QString TOptionsForm::PageTitle(int page) { return QString::fromLatin1(PageTitles[page]); }

TOptionsForm::TOptionsForm(TOptions& options, QWidget* parent) : QDialog(parent), m_options(options)
{
    setObjectName("OptionsForm");
    setWindowTitle("Program Settings");
    PageList = new QListWidget;
    PageList->setObjectName("PageList");
    Pages = new QStackedWidget;
    QWidget* (TOptionsForm::*builders[])() = {
        &TOptionsForm::UserInterfacePage, &TOptionsForm::GeneralPage,   &TOptionsForm::ToolbarPage,
        &TOptionsForm::FontsPage,         &TOptionsForm::DiskImagePage, &TOptionsForm::ArchiveFilesPage,
        &TOptionsForm::DescriptionsPage,  &TOptionsForm::AutoLoadPage,
    };
    for (int p = 0; p < OptionsPageCount; ++p) {
        PageList->addItem(PageTitle(p));
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        auto* title = new QLabel("<b>" + PageTitle(p) + "</b>");
        layout->addWidget(title);
        layout->addWidget((this->*builders[p])(), 1);
        Pages->addWidget(page);
    }
    PageList->setFixedWidth(PageList->sizeHintForColumn(0) + 24);
    connect(PageList, &QListWidget::currentRowChanged, Pages, &QStackedWidget::setCurrentIndex);

    OKBtn = new QPushButton("OK");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setObjectName("CancelBtn");
    ApplyBtn = new QPushButton("Apply");
    ApplyBtn->setObjectName("ApplyBtn");
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptionsForm::reject);
    connect(ApplyBtn, &QPushButton::clicked, this, &TOptionsForm::ApplyClick);
    RunWizardBtn = new QPushButton("Run Setup Wizard");
    RunWizardBtn->setObjectName("RunWizardBtn");
    connect(RunWizardBtn, &QPushButton::clicked, this, &TOptionsForm::RunWizardClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(RunWizardBtn);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(ApplyBtn);
    auto* top = new QHBoxLayout;
    top->addWidget(PageList);
    top->addWidget(Pages, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addLayout(buttons);
    ReadControls();
    PageList->setCurrentRow(0);
}

int TOptionsForm::Execute(int page)
{
    if (m_options.IsChanged()) m_options.Save();
    const int result = Run(page < 0 ? m_lastPage : page);
    m_lastPage = CurrentPage();
    return result;
}

int TOptionsForm::ExecuteSinglePage(int page)
{
    for (int p = 0; p < OptionsPageCount; ++p) PageList->item(p)->setHidden(p != page);
    PageList->hide(); // a list of one entry says nothing
    RunWizardBtn->hide();
    const int result = Run(page);
    for (int p = 0; p < OptionsPageCount; ++p) PageList->item(p)->setHidden(false);
    PageList->show();
    RunWizardBtn->show();
    return result;
}

int TOptionsForm::Run(int page)
{
    ReadControls();
    ShowPage(page);
    const int result = exec();
    if (result == QDialog::Accepted && m_options.IsChanged()) m_options.Apply();
    return result;
}

void TOptionsForm::ShowPage(int page)
{
    if (page >= 0 && page < OptionsPageCount) PageList->setCurrentRow(page);
}

int TOptionsForm::CurrentPage() const { return PageList->currentRow(); }

void TOptionsForm::reject()
{
    // Cancel undoes the edits by reading the store again.
    m_options.Load();
    ReadControls();
    QDialog::reject();
}

void TOptionsForm::ApplyClick()
{
    m_options.Apply();
    m_options.Save();
    ReadControls();
}

void TOptionsForm::RunWizardClick()
{
    m_options.Apply();
    m_options.Save();
    m_options.SetRunWizard(true);
    accept();
}

void TOptionsForm::ReadControls()
{
    m_reading = true;
    for (const auto& read : m_readers) read();
    RefreshToolbarList(ToolbarList->currentRow());
    RefreshImportDescList(ImportDescList->currentRow());
    RefreshStringList(DescList, m_options.DescList(), DescList->currentRow());
    RefreshStringList(AutoloadList, m_options.AutoloadList(), AutoloadList->currentRow());
    RefreshFontPage();
    m_reading = false;
    RefreshEnabling();
}

void TOptionsForm::Edited()
{
    if (m_reading) return;
    RefreshEnabling();
}

void TOptionsForm::RefreshEnabling()
{
    for (auto& [widget, enabled] : m_enablers) widget->setEnabled(enabled());
    ApplyBtn->setEnabled(m_options.IsChanged());
}

QCheckBox* TOptionsForm::Check(TWordSetting id, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(WordSettingDef(id).Name));
    m_readers.push_back([this, box, id] {
        QSignalBlocker block(box);
        box->setChecked(m_options.WordValue(id) != 0);
    });
    connect(box, &QCheckBox::toggled, this, [this, id](bool on) {
        if (m_reading) return;
        m_options.SetWordValue(id, on ? 1 : 0);
        Edited();
    });
    return box;
}

QSlider* TOptionsForm::Slider(TWordSetting id, int min, int max)
{
    auto* bar = new QSlider(Qt::Horizontal);
    bar->setObjectName(QString::fromLatin1(WordSettingDef(id).Name));
    bar->setRange(min, max);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setPageStep(1);
    m_readers.push_back([this, bar, id] {
        QSignalBlocker block(bar);
        bar->setValue(m_options.WordValue(id));
    });
    connect(bar, &QSlider::valueChanged, this, [this, id](int v) {
        if (m_reading) return;
        m_options.SetWordValue(id, v);
        Edited();
    });
    return bar;
}

QSpinBox* TOptionsForm::Spin(TWordSetting id, int min, int max)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(WordSettingDef(id).Name));
    spin->setRange(min, max);
    m_readers.push_back([this, spin, id] {
        QSignalBlocker block(spin);
        spin->setValue(m_options.WordValue(id));
    });
    connect(spin, &QSpinBox::valueChanged, this, [this, id](int v) {
        if (m_reading) return;
        m_options.SetWordValue(id, v);
        Edited();
    });
    return spin;
}

QAbstractButton* TOptionsForm::Radio(TWordSetting id, int value, const QString& caption)
{
    auto* radio = new QRadioButton(caption);
    m_readers.push_back([this, radio, id, value] {
        QSignalBlocker block(radio);
        radio->setChecked(m_options.WordValue(id) == value);
    });
    connect(radio, &QRadioButton::toggled, this, [this, id, value](bool on) {
        if (m_reading || !on) return;
        m_options.SetWordValue(id, value);
        Edited();
    });
    return radio;
}

QLineEdit* TOptionsForm::TextEdit(const char* name, std::function<QString()> read,
                                  std::function<void(const QString&)> write)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    m_readers.push_back([edit, read] {
        QSignalBlocker block(edit);
        edit->setText(read());
    });
    connect(edit, &QLineEdit::textEdited, this, [this, write](const QString& text) {
        write(text);
        Edited();
    });
    return edit;
}

void TOptionsForm::RefreshStringList(QListWidget* list, const QStringList& entries, int select)
{
    QSignalBlocker block(list);
    list->clear();
    list->addItems(entries);
    if (list->count() > 0) list->setCurrentRow(std::clamp(select, 0, list->count() - 1));
}

void TOptionsForm::BrowseFolder(QLineEdit* edit, const QString& caption, const QString& fallback)
{
    const QString current = edit->text();
    const auto chosen = TBrowseFolderForm::ChooseFolder(this, caption, QFileInfo(current).isDir() ? current : fallback);
    if (!chosen) return;
    edit->setText(*chosen);
    emit edit->textEdited(edit->text());
}

void TOptionsForm::BrowseProgram(QLineEdit* edit, const QString& caption)
{
    const QString current = edit->text();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).path();
    const auto chosen = FileDialogs().OpenProgram({caption.toStdString(), folder.toStdString()});
    if (!chosen || chosen->empty()) return;
    edit->setText(WithProgramExtension(QString::fromStdString(*chosen)));
    emit edit->textEdited(edit->text());
}

} // namespace quorvex
