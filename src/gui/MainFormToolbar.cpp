// The main window's toolbar: its buttons by tag, the order and visibility the settings' toolbar
// layout gives them, their size, style and tooltips, and where the toolbar sits (dock side and
// floating state in the settings word, the exact placement in "ToolbarPos").

#include "MainForm.h"
#include "MainToolbarTags.h"
#include "SearchForm.h"
#include "ToolbarLook.h"
#include "config/Options.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QToolBar>

namespace quorvex
{

namespace
{

constexpr char ToolbarPosValue[] = "ToolbarPos";

// By dock setting: Toolbar1 (top) to Toolbar4 (right).
constexpr Qt::ToolBarArea DockAreas[] = {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                         Qt::RightToolBarArea};

Qt::ToolBarArea AreaOf(TToolbarDock dock) { return DockAreas[int(dock) & 3]; }

TToolbarDock DockOf(Qt::ToolBarArea area)
{
    for (int dock = 0; dock < 4; ++dock)
        if (DockAreas[dock] == area) return TToolbarDock(dock);
    return TToolbarDock::Toolbar1;
}

struct TButtonText {
    const char* Name;
    const char* Tip; // null: the button sets its own tooltip (the sort buttons)
    const char* Shortcut;
};

// Indexed by tag; tags of commands not offered yet have no action and never show.
const TButtonText ButtonTexts[MainToolbarTagCount + 1] = {
    {},
    {"ButtonNew", "Create New Catalog", "Ctrl+N"},
    {"ButtonOpen", "Open Catalog", "Ctrl+O"},
    {"ButtonSave", "Save Current Catalog", "Ctrl+S"},
    {"ButtonPrint", "Generate Report", "Ctrl+R"},
    {"ButtonAddDisk", "Add/Update Disk Image in Catalog", "Ctrl+A"},
    {"ButtonCompare", "Compare to Media", nullptr},
    {"ButtonSearch", "Search for Items", "Ctrl+F, F3"},
    {"ButtonUserList", "View User List", "Ctrl+U"},
    {"ButtonBack", "Back One Level", "Backspace"},
    {"ButtonEditDesc", "Edit Description", "Ctrl+E"},
    {"ButtonProperties", "Item Properties", "Ctrl+P, Alt-Enter, F4"},
    {"ButtonSetCategory", "Set Category and Flags", nullptr},
    {"ButtonExplorer", "Open in Explorer", nullptr},
    {"ButtonView", "View File in ASCII Viewer", "Ctrl+I"},
    {"ButtonLaunch", "Launch File in Associated Program", nullptr},
    {"ButtonCopyTo", "Copy from Catalog to...", nullptr},
    {"ButtonExtract", "Extract from Compressed File", nullptr},
    {"ButtonAddList", "Add to User List", "Ctrl+L"},
    {"ButtonLargeIcons", "Show Large Icons", nullptr},
    {"ButtonSmallIcons", "Show Small Icons", nullptr},
    {"ButtonIconList", "Show Icon List", nullptr},
    {"ButtonDetails", "Show Details", nullptr},
    {"ButtonSort1", nullptr, nullptr},
    {"ButtonSort2", nullptr, nullptr},
    {"ButtonSort3", nullptr, nullptr},
    {"ButtonSort4", nullptr, nullptr},
    {"ButtonReverse", "Reverse Sort Order", nullptr},
    {"ButtonHelp", "What Is This?", "F1"},
};

} // namespace

void TMainForm::CreateToolbar()
{
    m_toolbar = addToolBar("Toolbar");
    m_toolbar->setObjectName("Toolbar");
    m_toolbar->setMovable(true);
    m_toolbar->setIconSize(QSize(22, 22));

    m_toolbarActions[tbNew] = MenuNew;
    m_toolbarActions[tbOpen] = MenuOpen;
    m_toolbarActions[tbSave] = MenuSave;
    m_toolbarActions[tbAddDisk] = MenuAddDisk;
    m_toolbarActions[tbSearch] = MenuSearch;
    m_toolbarActions[tbBack] = MenuBack;
    for (int i = 0; i < 4; ++i) {
        m_toolbarActions[size_t(tbLargeIcons + i)] = ViewActions[size_t(i)];
        m_toolbarActions[size_t(tbSortName + i)] = SortButtons[size_t(i)];
    }
    m_toolbarActions[tbReverse] = MenuReverse;

    // The toolbar as designed, which a stored layout is merged with.
    const uint8_t S = TToolbarLayout::Separator;
    const std::vector<uint8_t> design = {
        tbNew,      tbOpen,       tbSave,    S,         tbAddDisk,  tbSearch,     S,
        tbBack,     S,            tbSortName, tbSortSecond, tbSortSize, tbSortFourth, tbReverse,
        S,          tbLargeIcons, tbSmallIcons, tbIconList, tbDetails};
    std::vector<uint8_t> controls;
    for (uint8_t entry : design)
        if (entry == S || ToolbarAction(entry)) controls.push_back(entry);
    TOptions& options = m_store->Options();
    options.SetToolbarControls(controls);
    ApplyToolbarLayout(options);
}

QAction* TMainForm::ToolbarAction(uint8_t tag) const
{
    return tag >= 1 && tag <= MainToolbarTagCount ? m_toolbarActions[tag] : nullptr;
}

QString TMainForm::ToolbarTip(uint8_t tag) const
{
    QAction* action = ToolbarAction(tag);
    if (!action) return {};
    return ButtonTexts[tag].Tip ? QString::fromLatin1(ButtonTexts[tag].Tip) : action->toolTip();
}

void TMainForm::ApplyToolbarLayout(const TOptions& options)
{
    m_toolbar->clear();
    for (uint8_t entry : options.ToolbarLayout().Entries()) {
        if (entry == TToolbarLayout::Divider) break;
        if (entry == TToolbarLayout::Separator) {
            m_toolbar->addSeparator();
        } else if (QAction* action = ToolbarAction(entry)) {
            m_toolbar->addAction(action);
            if (QWidget* button = m_toolbar->widgetForAction(action))
                button->setObjectName(QString::fromLatin1(ButtonTexts[entry].Name));
        }
    }
    const bool shortcuts = options.ShowShortcutsCheck();
    for (int tag = 1; tag <= MainToolbarTagCount; ++tag) {
        QAction* action = m_toolbarActions[size_t(tag)];
        const TButtonText& text = ButtonTexts[tag];
        if (!action || !text.Tip) continue;
        const QString tip = QString::fromLatin1(text.Tip);
        action->setToolTip(shortcuts && text.Shortcut ? tip + " (" + text.Shortcut + ")" : tip);
    }
    ApplyToolbarLook(m_toolbar, options);
    if (m_search) m_search->ApplyToolbarLook(options);
}

void TMainForm::RestoreToolbarPlacement()
{
    TOptions& options = m_store->Options();
    addToolBar(AreaOf(options.ToolbarDock()), m_toolbar);
    if (const auto state = m_store->Settings().ReadBinary(QString(), ToolbarPosValue)) {
        restoreState(*state);
        // The settings may have been changed by another copy of the program meanwhile.
        if (!m_toolbar->isFloating() && toolBarArea(m_toolbar) != AreaOf(options.ToolbarDock()))
            addToolBar(AreaOf(options.ToolbarDock()), m_toolbar);
    }
    options.AddApplyHook([this](const TOptions& o, const TApplyChanges&) {
        ApplyToolbarLayout(o);
        const bool floating = m_toolbar->isFloating();
        if ((floating && !o.ToolbarFloating()) || (!floating && toolBarArea(m_toolbar) != AreaOf(o.ToolbarDock())))
            addToolBar(AreaOf(o.ToolbarDock()), m_toolbar);
        m_toolbar->setVisible(o.ToolbarVisible());
        if (o.ToolbarFloating() && !m_toolbar->isFloating() && m_toolbar->isVisible()) FloatToolbar();
    });
}

void TMainForm::FloatToolbar()
{
    // The toolkit floats a toolbar only when its handle is dragged off the window, so the
    // setting makes that drag: pressed on the handle, moved beyond the window's top left corner,
    // clear of every dock area, and released there; then the toolbar is put over the window.
    const bool vertical = m_toolbar->orientation() == Qt::Vertical;
    QStyleOptionToolBar option;
    option.initFrom(m_toolbar);
    option.features = QStyleOptionToolBar::Movable;
    if (!vertical) option.state |= QStyle::State_Horizontal;
    const QPoint handle = m_toolbar->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, m_toolbar).center();
    const QPoint awayGlobal = mapToGlobal(QPoint(-frameGeometry().width(), -frameGeometry().height()));
    auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(m_toolbar->mapFromGlobal(global)), QPointF(global), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_toolbar, &event);
    };
    send(QEvent::MouseButtonPress, m_toolbar->mapToGlobal(handle), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, awayGlobal, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, awayGlobal, Qt::LeftButton, Qt::NoButton);
    if (m_toolbar->isFloating()) m_toolbar->move(geometry().topLeft() + QPoint(40, 40));
}

void TMainForm::SaveToolbarPlacement()
{
    m_store->Settings().WriteBinary(QString(), ToolbarPosValue, saveState());
    TakeToolbarPlacement();
}

void TMainForm::TakeToolbarPlacement()
{
    TOptions& options = m_store->Options();
    const bool floating = m_toolbar->isFloating();
    if (!floating && options.ToolbarDock() != DockOf(toolBarArea(m_toolbar)))
        options.SetToolbarDock(DockOf(toolBarArea(m_toolbar)));
    if (options.ToolbarFloating() != floating) options.SetToolbarFloating(floating);
}

} // namespace quorvex
