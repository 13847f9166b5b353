// The Settings menu of the main window.

#include "MainForm.h"

#include "OptionsForm.h"

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

QFont SlotFont(const TOptions& options, int slot, QFont font)
{
    const TFontSlot f = options.EffectiveFont(slot);
    if (!f.Face.isEmpty()) font.setFamily(f.Face);
    if (f.Height < 0) font.setPixelSize(-f.Height);
    font.setBold(f.Style & fsBold);
    font.setItalic(f.Style & fsItalic);
    font.setUnderline(f.Style & fsUnderline);
    font.setStrikeOut(f.Style & fsStrikeOut);
    return font;
}

} // namespace

void TMainForm::CreateSettingsMenu()
{
    m_optionsForm = new TOptionsForm(m_store->Options(), this);
    // What the main window itself shows of the settings: status bar, toolbar, list fonts.
    m_store->Options().AddApplyHook([this](const TOptions& options, const TApplyChanges&) {
        statusBar()->setVisible(options.ViewStatusCheck());
        m_toolbar->setVisible(options.ToolbarVisible());
        const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                         Qt::RightToolBarArea};
        const Qt::ToolBarArea area = areas[int(options.ToolbarDock())];
        if (toolBarArea(m_toolbar) != area) addToolBar(area, m_toolbar);
        const int size = options.ToolbarButtonSize();
        m_toolbar->setIconSize(QSize(size, size));
        if (options.FontSlot(fsCatalogTree).UseCustom) DBTree->setFont(SlotFont(options, fsCatalogTree, DBTree->font()));
        if (options.FontSlot(fsFileList).UseCustom) {
            ListView->setFont(SlotFont(options, fsFileList, ListView->font()));
            IconView->setFont(SlotFont(options, fsFileList, IconView->font()));
        }
    });
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
