// The Settings menu of the main window.

#include "MainForm.h"

#include "OptionsForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quorvex {

void TMainForm::CreateSettingsMenu()
{
    m_optionsForm = new TOptionsForm(m_store->Options(), this);
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
}

void TMainForm::MenuSettingsClick(int tag)
{
    // Tags 1..8 name the pages; anything else opens the page last shown.
    m_optionsForm->Execute(tag >= 1 && tag <= 8 ? tag - 1 : -1);
}

} // namespace quorvex
