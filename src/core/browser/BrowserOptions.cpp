#include "browser/BrowserOptions.h"

#include "config/Options.h"

namespace quorvex {

TBrowserOptions& BrowserOptions()
{
    static TBrowserOptions options;
    return options;
}

void CopyOptions(const TOptions& from, TBrowserOptions& to)
{
    to.ShowPrevCheck = from.ShowPrevCheck();
    to.FormattedSizesCheck = from.FormattedSizesCheck();
    to.ArchivesSortCheck = from.ArchivesSortCheck();
    to.DescAsTipsCheck = from.DescAsTipsCheck();
    to.DescWaitBar = from.DescWaitBar();
    to.DescHideBar = from.DescHideBar();
    to.AutohideCheck = from.AutohideCheck();
    to.FileDoubleClickCombo = from.FileDoubleClickCombo();
    to.ShowShortcutsCheck = from.ShowShortcutsCheck();
    to.DisableSmoothCheck = from.DisableSmoothCheck();
    to.AutoSaveCheck = from.AutoSaveCheck();
    to.AutoSaveEdit = from.AutoSaveEdit();
    to.AutoloadCheck = from.AutoloadCheck();
    to.AutoloadList.clear();
    for (const QString& name : from.AutoloadList()) to.AutoloadList.push_back(name.toStdString());
    to.TipsCheck = from.TipsCheck();
    to.CatalogPathEdit = from.CatalogPathEdit().toStdString();
    to.CreateBakCheck = from.CreateBakCheck();
}

} // namespace quorvex
