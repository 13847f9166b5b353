#pragma once
// The settings the browser reads while it fills and paints its lists, under their control
// names. The program copies them from its settings object whenever the settings are applied.

#include <string>
#include <vector>

namespace quorvex {

struct TBrowserOptions {
    bool ShowPrevCheck = true;       // "Show '..' folders (&previous folder)"
    bool FormattedSizesCheck = true; // "Display formated sizes for files and folders ..."
    bool ArchivesSortCheck = true;   // "Sort archive files as folders (default as files)"
    bool DescAsTipsCheck = true;     // "S&how descriptions as tips"
    int DescWaitBar = 12;            // x 100 ms before a description tip shows
    int DescHideBar = 5;             // x 1000 ms before it hides
    bool AutohideCheck = true;       // "Autohide after"
    int FileDoubleClickCombo = 1;
    bool ShowShortcutsCheck = true;  // "Display keyboard shortcuts in button tooltips"
    bool DisableSmoothCheck = true;
    bool AutoSaveCheck = true;       // "Auto-save catalog(s) every"
    int AutoSaveEdit = 15;           // minutes
    bool AutoloadCheck = false;      // "&Enable catalog autoload on program startup"
    std::vector<std::string> AutoloadList;
    bool TipsCheck = false;          // "Show tips at program startup" (no tips window yet)
    std::string CatalogPathEdit;     // default catalog folder
    bool CreateBakCheck = true;      // "Create backup (.BAK) files"
};

TBrowserOptions& BrowserOptions();

class TOptions;
// Takes the values from the program's settings object.
void CopyOptions(const TOptions& from, TBrowserOptions& to);

} // namespace quorvex
