#include "WizardForm.h"

#include "BrowseFolderForm.h"
#include "OptionsForm.h"
#include "config/Options.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvex {

namespace {

using W = TWordSetting;

const char* const PageTitles[WizardPageCount] = {
    "Intro",
    "Catalogs Location",
    "Analyzing compressed files",
    "Skip special files or folders",
    "User interface settings",
    "Double-clicking a file",
    "Temporary folder for extracting",
    "Removing extracted files",
    "Description Assistant",
    "Autoloading catalogs",
    "Finished!",
};

const char FirstRunIntro[] =
    "This seems to be the first time you have started this program, and it is not configured yet. You may "
    "want to use this Quick-Setup Wizard to help you with the most important configuration options needed "
    "for program to run as desired.";
const char RepeatedIntro[] =
    "This Wizard can help you adjust the most important settings for the program to run as desired. You can "
    "use it always if you would like to be guided through basic configuration steps and be sure not to miss "
    "anything important.";

QVBoxLayout* BodyLayout(QWidget* body) { return static_cast<QVBoxLayout*>(body->layout()); }

} // namespace

QString TWizardForm::PageTitle(int page) { return QString::fromLatin1(PageTitles[page]); }

TWizardForm::TWizardForm(TOptions& options, TOptionsForm& optionsForm, bool firstRun, QWidget* parent)
    : QDialog(parent), m_options(options), m_optionsForm(optionsForm), m_firstRun(firstRun)
{
    setObjectName("WizardForm");
    setWindowTitle("Quick-Setup Wizard");
    Pages = new QStackedWidget;
    BuildPages();

    PageCounter = new QLabel;
    PageCounter->setObjectName("PageCounter");
    BackBtn = new QPushButton("< &Back");
    BackBtn->setObjectName("BackBtn");
    NextBtn = new QPushButton("&Next >");
    NextBtn->setObjectName("NextBtn");
    NextBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setObjectName("CancelBtn");
    // "Finish" is wider than "&Next >"; a fixed width keeps the row from jumping.
    NextBtn->setMinimumWidth(std::max(NextBtn->sizeHint().width(), QPushButton("Finish").sizeHint().width()));
    connect(BackBtn, &QPushButton::clicked, this, &TWizardForm::BackClick);
    connect(NextBtn, &QPushButton::clicked, this, &TWizardForm::NextClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TWizardForm::reject);

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PageCounter);
    buttons->addStretch(1);
    buttons->addWidget(BackBtn);
    buttons->addWidget(NextBtn);
    buttons->addSpacing(12);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(Pages, 1);
    main->addWidget(line);
    auto* buttonBox = new QWidget;
    buttonBox->setLayout(buttons);
    main->addWidget(buttonBox);
    resize(580, 380);
    ShowWizardPage(wpIntro);
}

int TWizardForm::Run(TOptions& options, TOptionsForm& optionsForm, bool firstRun, QWidget* parent)
{
    int result = QDialog::Rejected;
    bool normalConfiguration = false;
    {
        TWizardForm wizard(options, optionsForm, firstRun, parent);
        result = wizard.exec();
        normalConfiguration = wizard.NormalConfiguration();
    }
    if (normalConfiguration) optionsForm.Execute(opUserInterface);
    return result;
}

QWidget* TWizardForm::NewPage(int page, const QString& heading, const QString& explanation)
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("WizardHeader%1").arg(page + 1));
    header->setBackgroundRole(QPalette::Base);
    header->setAutoFillBackground(true);
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(20, 14, 20, 14);
    auto* title = new QLabel(heading);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    headerLayout->addWidget(title);
    if (!explanation.isEmpty()) {
        auto* text = new QLabel(explanation);
        text->setWordWrap(true);
        headerLayout->addWidget(text);
    }
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* body = new QWidget;
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(32, 14, 32, 14);

    auto* pageWidget = new QWidget;
    pageWidget->setObjectName(QStringLiteral("WizardPage%1").arg(page + 1));
    auto* v = new QVBoxLayout(pageWidget);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(header);
    v->addWidget(line);
    v->addWidget(body, 1);
    Pages->addWidget(pageWidget);
    m_pageBodies[size_t(page)] = body;
    return body;
}

QAbstractButton* TWizardForm::Check(int page, TWordSetting id, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    BodyLayout(m_pageBodies[size_t(page)])->addWidget(box);
    m_bindings.push_back({id, {{box, 1}}});
    return box;
}

QAbstractButton* TWizardForm::Radio(int page, TWordSetting id, int value, const char* name, const QString& caption)
{
    auto* radio = new QRadioButton(caption);
    radio->setObjectName(QString::fromLatin1(name));
    BodyLayout(m_pageBodies[size_t(page)])->addWidget(radio);
    auto binding =
        std::find_if(m_bindings.begin(), m_bindings.end(), [id](const TWordBinding& b) { return b.Id == id; });
    if (binding == m_bindings.end()) m_bindings.push_back({id, {{radio, value}}});
    else binding->Buttons.push_back({radio, value});
    return radio;
}

QLineEdit* TWizardForm::FolderRow(int page, const char* name, const char* browseName, void (TWizardForm::*browse)())
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    auto* button = new QPushButton("Browse");
    button->setObjectName(QString::fromLatin1(browseName));
    connect(button, &QPushButton::clicked, this, browse);
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    BodyLayout(m_pageBodies[size_t(page)])->addLayout(row);
    return edit;
}

QPushButton* TWizardForm::LinkButton(int page, const char* name, const QString& caption, void (TWizardForm::*click)())
{
    auto* button = new QCommandLinkButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, click);
    BodyLayout(m_pageBodies[size_t(page)])->addWidget(button);
    return button;
}

void TWizardForm::BuildPages()
{
    QWidget* intro = NewPage(wpIntro, "Welcome to Quick-Setup Wizard!", {});
    IntroLabel = new QLabel(QString::fromLatin1(m_firstRun ? FirstRunIntro : RepeatedIntro));
    IntroLabel->setObjectName("IntroLabel");
    IntroLabel->setWordWrap(true);
    BodyLayout(intro)->addWidget(IntroLabel);
    BodyLayout(intro)->addSpacing(8);
    auto* introNext = new QLabel("Press \"Next\" to go through the settings one page at a time, or go straight "
                                 "to the full settings dialog:");
    introNext->setWordWrap(true);
    BodyLayout(intro)->addWidget(introNext);
    LinkButton(wpIntro, "NormalConfigBtn", "Click here for normal configuration",
               &TWizardForm::NormalConfigurationClick);

    QWidget* catalogs = NewPage(wpCatalogsLocation, PageTitle(wpCatalogsLocation),
                                "Choose the folder where you keep your catalog files. The Open and Save dialogs "
                                "start in this folder.");
    BodyLayout(catalogs)->addWidget(new QLabel("Default folder for catalog files:"));
    WizardCatDir =
        FolderRow(wpCatalogsLocation, "WizardCatDir", "WizardCatDirBrowse", &TWizardForm::BrowseCatalogDirClick);
    BodyLayout(catalogs)->addSpacing(12);
    Check(wpCatalogsLocation, W::CreateBakCheck, "WizardBakCheck", "Create backup (.BAK) files when saving catalogs");

    NewPage(wpCompressedFiles, PageTitle(wpCompressedFiles),
            "While reading a disk, the program can look inside compressed files (ZIP, ARJ, RAR and others) and "
            "record the files they hold as if the archive were a folder. You can then browse and search them, "
            "but reading disks takes longer and catalogs grow larger.");
    Radio(wpCompressedFiles, W::InsideZipCheck, 1, "BrowseCompressedYes",
          "YES, enable browsing inside compressed files");
    Radio(wpCompressedFiles, W::InsideZipCheck, 0, "BrowseCompressedNo",
          "NO, treat compressed files just as any other file.");

    NewPage(wpSkipFiles, PageTitle(wpSkipFiles),
            "Choose what the program leaves out when it reads a disk. Hidden files and folders are usually "
            "system data you will not look for; the Recycle Bin holds deleted files.");
    Check(wpSkipFiles, W::IgnoreFilesCheck, "SkipHiddenFiles", "Hidden files");
    Check(wpSkipFiles, W::IgnoreFoldersCheck, "SkipHiddenFolders", "Hidden folders");
    Check(wpSkipFiles, W::IgnoreRecycleCheck, "SkipRecycleBin", "'Recycle Bin' folder");

    QWidget* ui = NewPage(wpUserInterface, PageTitle(wpUserInterface),
                          "Descriptions can pop up as tool-tips when the mouse rests over a file or folder. The "
                          "toolbar buttons can be drawn flat, showing a frame only under the mouse, or always "
                          "with their frame.");
    Check(wpUserInterface, W::DescAsTipsCheck, "ShowDescTooltips", "Enable showing descriptions as tool-tips");
    BodyLayout(ui)->addSpacing(12);
    Radio(wpUserInterface, W::OldButtonsCheck, 0, "NewStyleButtons", "Use the new style, flat buttons (recommended)");
    Radio(wpUserInterface, W::OldButtonsCheck, 1, "OldStyleButtons", "Always show buttons in the old, normal way.");

    NewPage(wpDoubleClick, PageTitle(wpDoubleClick), "Choose what happens when you double-click a file in the list.");
    const std::pair<const char*, const char*> actions[] = {
        {"ActionNothing", "Do nothing"},
        {"ActionProperties", "Show file's properties"},
        {"ActionExplorer", "Open file in Explorer"},
        {"ActionLaunch", "Launch file with associated program"},
        {"ActionView", "View file in ASCII viewer"},
        {"ActionEditDesc", "Open Description Assistant to edit description"},
    };
    for (int row = 0; row < int(std::size(actions)); ++row)
        Radio(wpDoubleClick, W::FileDoubleClickCombo, row, actions[row].first, actions[row].second);

    QWidget* temp = NewPage(wpTempFolder, PageTitle(wpTempFolder),
                            "Files you view or open from inside compressed files are first extracted into this "
                            "folder.");
    BodyLayout(temp)->addWidget(new QLabel("Temporary folder:"));
    WizardExtractDir =
        FolderRow(wpTempFolder, "WizardExtractDir", "WizardExtractDirBrowse", &TWizardForm::BrowseExtractDirClick);

    NewPage(wpRemoveExtracted, PageTitle(wpRemoveExtracted),
            "Extracted files stay in the temporary folder while the program runs. Choose what happens to them "
            "when it ends.");
    Radio(wpRemoveExtracted, W::TempRemoval, int(TTempRemoval::AlwaysRemoveTemp), "AlwaysRemove",
          "Always delete all temporary extracted files");
    Radio(wpRemoveExtracted, W::TempRemoval, int(TTempRemoval::AlwaysLeaveTemp), "AlwaysLeave",
          "Leave extracted files in temporary folder");
    Radio(wpRemoveExtracted, W::TempRemoval, int(TTempRemoval::AskRemoveTemp), "AskRemove",
          "Ask before deleting temporary extracted files");

    NewPage(wpDescAssistant, PageTitle(wpDescAssistant),
            "The Description Assistant looks for description files (such as FILE_ID.DIZ) in a folder and its "
            "subfolders and offers their text as descriptions. Choose which files it looks for and how deep it "
            "searches.");
    LinkButton(wpDescAssistant, "DescAssistantBtn", "Click here to setup Description Assistant",
               &TWizardForm::DescAssistantClick);

    NewPage(wpAutoload, PageTitle(wpAutoload),
            "The program can open the catalogs you use most every time it starts. Choose them and switch "
            "autoloading on.");
    LinkButton(wpAutoload, "AutoloadBtn", "Click here to select catalogs for auto-loading",
               &TWizardForm::AutoloadClick);

    QWidget* finished = NewPage(wpFinished, "Congratulations, Quorvex is configured !", {});
    auto* closing = new QLabel("Press \"Finish\" to keep these settings. You can run this wizard again at any "
                               "time from the Settings menu, where every other setting can be changed as well.");
    closing->setWordWrap(true);
    BodyLayout(finished)->addWidget(closing);

    for (QWidget* body : m_pageBodies) BodyLayout(body)->addStretch(1);
}

void TWizardForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        ShowWizardPage(wpIntro);
        m_normalConfiguration = false;
        ReadSettings();
    }
    QDialog::showEvent(event);
}

void TWizardForm::ReadSettings()
{
    for (const TWordBinding& binding : m_bindings) {
        const int value = m_options.WordValue(binding.Id);
        for (auto [button, v] : binding.Buttons) button->setChecked(value == v);
    }
    WizardCatDir->setText(m_options.CatalogPathEdit());
    WizardExtractDir->setText(m_options.ExtractDir());
}

void TWizardForm::WriteSettings()
{
    for (const TWordBinding& binding : m_bindings) {
        int value = 0;
        for (auto [button, v] : binding.Buttons)
            if (button->isChecked()) value = v;
        m_options.SetWordValue(binding.Id, value);
    }
    m_options.SetCatalogPathEdit(WizardCatDir->text());
    m_options.SetExtractDir(WizardExtractDir->text());
}

void TWizardForm::ShowWizardPage(int page)
{
    Pages->setCurrentIndex(std::clamp(page, 0, WizardPageCount - 1));
    RefreshButtons();
}

int TWizardForm::CurrentPage() const { return Pages->currentIndex(); }

void TWizardForm::RefreshButtons()
{
    const int page = CurrentPage();
    BackBtn->setEnabled(page > 0);
    NextBtn->setText(page == WizardPageCount - 1 ? "Finish" : "&Next >");
    PageCounter->setText(QStringLiteral("Page %1 of %2").arg(page + 1).arg(WizardPageCount));
}

void TWizardForm::BackClick() { ShowWizardPage(CurrentPage() - 1); }

void TWizardForm::NextClick()
{
    if (CurrentPage() < WizardPageCount - 1) {
        ShowWizardPage(CurrentPage() + 1);
        return;
    }
    WriteSettings();
    m_options.Apply();
    m_options.Save();
    accept();
}

void TWizardForm::reject()
{
    if (Prompt().Ask("Exit Setup Wizard", "Would you like to close Setup Wizard and discard all changes?",
                     pbYes | pbNo, TPromptIcon::Question) != pbYes)
        return;
    m_options.Load();
    // The settings pages opened from here pushed their edits into the program; it follows the
    // store again.
    if (m_settingsApplied) m_options.Apply();
    QDialog::reject();
}

void TWizardForm::NormalConfigurationClick()
{
    // Nothing of the wizard's own pages is kept; the settings dialog opens once it has closed.
    m_normalConfiguration = true;
    QDialog::reject();
}

void TWizardForm::OpenSettingsPage(int optionsPage)
{
    if (m_optionsForm.ExecuteSinglePage(optionsPage) == QDialog::Accepted) m_settingsApplied = true;
    ShowWizardPage(CurrentPage() + 1);
}

void TWizardForm::DescAssistantClick() { OpenSettingsPage(opDescriptions); }

void TWizardForm::AutoloadClick() { OpenSettingsPage(opAutoLoad); }

void TWizardForm::BrowseFolder(QLineEdit* edit, const QString& caption, const QString& fallback)
{
    const QString current = edit->text();
    const auto chosen = TBrowseFolderForm::ChooseFolder(this, caption,
                                                        current.isEmpty()                           ? QDir::rootPath()
                                                        : m_options.Environment().IsFolder(current) ? current
                                                                                                    : fallback);
    if (chosen) edit->setText(*chosen);
}

void TWizardForm::BrowseCatalogDirClick()
{
    BrowseFolder(WizardCatDir, "Select Default Catalog Path", m_options.Environment().ProgramFolder);
}

void TWizardForm::BrowseExtractDirClick()
{
    BrowseFolder(WizardExtractDir, "Select Temporary Folder", m_options.Environment().TempFolder);
}

} // namespace quorvex
