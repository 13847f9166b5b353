#pragma once
// The add/update flow of the main window: the dialog, the serial number question, the scan
// with its window, and the main window's refresh afterwards.

#include "adddisk/AddDiskFlow.h"
#include "adddisk/DiskScanJob.h"

#include <functional>
#include <memory>

namespace quorvex {

class TAddDiskForm;
class TBrowseFolderForm;
class TMainForm;
class TTreeNode;

class TAddDiskController {
public:
    explicit TAddDiskController(TMainForm& main);
    ~TAddDiskController();

    // Runs the whole flow; replacedDisk is the Disk of an update.
    void Run(TAddDiskMode mode, TTreeNode* replacedDisk);

    TAddDiskForm* Form() const { return m_form.get(); }
    TBrowseFolderForm& Browser();
    // Called once the dialog is ready to be shown (tests drive it from here).
    std::function<void(TAddDiskForm&)> Showing;
    // The "Change Serial Number?" dialog; tests put their own answer here.
    TAskSerial AskSerial;
    TDiskScanEnd LastOutcome = TDiskScanEnd::Canceled;

private:
    TMainForm& m_main;
    std::unique_ptr<TAddDiskForm> m_form;
    std::unique_ptr<TBrowseFolderForm> m_browser;
    TScanFlags m_flags;
};

} // namespace quorvex
