// The Settings menu of the main window.

#include "MainForm.h"

#include "OptionsForm.h"
#include "SlotFont.h"
#include "WizardForm.h"

#include <QListView>

#include "config/Options.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

namespace quorvex {

namespace {

// A slot that is not custom gives the toolkit's font back, so switching to the system font
// undoes an earlier custom one.
QFont WindowFont(const TOptions& options, int slot)
{
    return options.FontSlot(slot).UseCustom ? SlotFont(options.EffectiveFont(slot)) : QFont();
}

} // namespace

void TMainForm::CreateSettingsMenu()
{
    m_optionsForm = new TOptionsForm(m_store->Options(), this);
    // What the main window itself shows of the settings: status bar and list fonts (the
    // toolbar follows its layout in MainFormToolbar.cpp).
    m_store->Options().AddApplyHook([this](const TOptions& options, const TApplyChanges&) {
        statusBar()->setVisible(options.ViewStatusCheck());
        DBTree->setFont(WindowFont(options, fsCatalogTree));
        ListView->setFont(WindowFont(options, fsFileList));
        IconView->setFont(WindowFont(options, fsFileList));
    });
    m_optionsForm->ToolbarButtonLook = [this](uint8_t tag) {
        QAction* action = ToolbarAction(tag);
        return std::make_pair(action ? action->icon() : QIcon(), ToolbarTip(tag));
    };
    QMenu* menu = menuBar()->addMenu("&Settings");
    const char* captions[] = {"&User Interface Setup", "&General Settings", "&Toolbar Setup",
                              "Customize &Fonts",      "Disk &Image Settings", "Ar&chive Files Support",
                              "&Description Assistant", "Catalog &Auto-loading"};
    for (int tag = 1; tag <= 8; ++tag) {
        QAction* action = menu->addAction(QString::fromLatin1(captions[tag - 1]));
        action->setObjectName(QStringLiteral("MenuSettings%1").arg(tag));
        connect(action, &QAction::triggered, this, [this, tag] { MenuSettingsClick(tag); });
        SettingsActions[size_t(tag - 1)] = action;
    }
    menu->addSeparator();
    MenuWizard = menu->addAction("Quick-Setup &Wizard");
    MenuWizard->setObjectName("MenuWizard");
    connect(MenuWizard, &QAction::triggered, this, [this] { RunSetupWizard(false); });
}

void TMainForm::MenuSettingsClick(int tag)
{
    // Tags 1..8 name the pages; anything else opens the page last shown.
    TakeToolbarPlacement();
    m_optionsForm->Execute(tag >= 1 && tag <= 8 ? tag - 1 : -1);
    if (m_store->Options().RunWizard()) RunSetupWizard(false);
}

void TMainForm::RunSetupWizard(bool firstRun)
{
    // The settings dialog that "Click here for normal configuration" opens has its own "Run
    // Setup Wizard" button.
    TOptions& options = m_store->Options();
    TakeToolbarPlacement();
    do {
        options.SetRunWizard(false);
        TWizardForm::Run(options, *m_optionsForm, firstRun, this);
        firstRun = false;
    } while (options.RunWizard());
}

} // namespace quorvex
