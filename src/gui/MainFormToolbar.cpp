// Where the main window's toolbar sits: its dock side and floating state live in the
// settings word, the exact placement (floating position, order) in "ToolbarPos".

#include "MainForm.h"
#include "config/Options.h"

#include <QToolBar>

namespace quorvex
{

namespace
{

constexpr char ToolbarPosValue[] = "ToolbarPos";

Qt::ToolBarArea AreaOf(TToolbarDock dock)
{
    switch (dock) {
    case TToolbarDock::Toolbar2:
        return Qt::BottomToolBarArea;
    case TToolbarDock::Toolbar3:
        return Qt::LeftToolBarArea;
    case TToolbarDock::Toolbar4:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

TToolbarDock DockOf(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return TToolbarDock::Toolbar2;
    case Qt::LeftToolBarArea:
        return TToolbarDock::Toolbar3;
    case Qt::RightToolBarArea:
        return TToolbarDock::Toolbar4;
    default:
        return TToolbarDock::Toolbar1;
    }
}

} // namespace

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
        if (!m_toolbar->isFloating() && toolBarArea(m_toolbar) != AreaOf(o.ToolbarDock()))
            addToolBar(AreaOf(o.ToolbarDock()), m_toolbar);
    });
}

void TMainForm::SaveToolbarPlacement()
{
    m_store->Settings().WriteBinary(QString(), ToolbarPosValue, saveState());
    TOptions& options = m_store->Options();
    const bool floating = m_toolbar->isFloating();
    if (!floating && options.ToolbarDock() != DockOf(toolBarArea(m_toolbar)))
        options.SetToolbarDock(DockOf(toolBarArea(m_toolbar)));
    if (options.ToolbarFloating() != floating) options.SetToolbarFloating(floating);
}

} // namespace quorvex
