#include "ToolbarLook.h"

#include "config/Options.h"

#include <QToolBar>
#include <QToolButton>

namespace quorvex {

void ApplyToolbarLook(QToolBar* toolbar, const TOptions& options)
{
    const int size = options.ToolbarButtonSize();
    toolbar->setIconSize(QSize(size, size));
    for (QToolButton* button : toolbar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setAutoRaise(!options.OldButtonsCheck());
}

} // namespace quorvex
