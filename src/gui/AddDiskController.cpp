#include "AddDiskController.h"

#include "AddDiskForm.h"
#include "BrowseFolderForm.h"
#include "DiskSelectForm.h"
#include "GuiProgress.h"
#include "MainForm.h"
#include "WaitForms.h"
#include "catalog/TreeNode.h"
#include "config/Options.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace quorvex {

TAddDiskController::TAddDiskController(TMainForm& main) : m_main(main) {}
TAddDiskController::~TAddDiskController() = default;

TBrowseFolderForm& TAddDiskController::Browser()
{
    if (!m_browser) m_browser = std::make_unique<TBrowseFolderForm>(&m_main);
    return *m_browser;
}

void TAddDiskController::Run(TAddDiskMode mode, TTreeNode* replacedDisk)
{
    if (!m_form || m_form->DrivesChanged()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A new set of drives is no reason to close the options panel the user left open.
        const bool advanced = m_form && m_form->AdvancedBtn->isChecked();
        m_form.reset();
        m_form = std::make_unique<TAddDiskForm>(m_main.Tree(), m_main.Icons(), Browser(), &m_main);
        m_form->AdvancedBtn->setChecked(advanced);
        m_form->HelpRequested = [this](int context) { m_main.ShowHelpContext(context); };
        QApplication::restoreOverrideCursor();
    }
    TAddDiskForm& form = *m_form;
    form.Prepare(mode, replacedDisk, m_main.SelectedNode());
    if (Showing) Showing(form);
    if (form.exec() != QDialog::Accepted || !form.TargetCatalog()) return;

    const TAddDiskState& state = form.State();
    TAskSerial ask = AskSerial ? AskSerial : [this] {
        TSerialAskForm serial(&m_main);
        serial.exec();
        return serial.Answer();
    };
    TDiskScanJob job;
    job.CatalogNode = form.TargetCatalog();
    job.Drive = form.SelectedButton()->Drive;
    job.VirtualRoot = form.SelectedButton()->VirtualRoot;
    job.OldDisk = state.ReplacedDisk;
    job.DiskName = form.DiskName->text().trimmed().toStdString();
    job.ChangeSerial = DecideSerialChange(state, Options(), ask);
    job.Switches = state.Switches;
    m_flags = {};
    job.Flags = &m_flags;

    TGuiProgress* progress = m_main.ProgressWindows();
    progress->ScanAbortRequested = [this] { m_flags.Abort = true; };
    progress->ShowScan();
    if (progress->ScanForm()) progress->ScanForm()->ProgressBar->hide();
    QApplication::processEvents();
    const int catalogDisks = job.CatalogNode ? job.CatalogNode->Count() : 0;
    const int oldPlace = job.OldDisk ? job.OldDisk->Index() : -1;
    LastOutcome = RunDiskScan(job);
    progress->ScanAbortRequested = nullptr;
    m_main.RefreshCommands();
    m_main.RefreshStatus();
    progress->CloseScan();
    if (LastOutcome == TDiskScanEnd::Failed) {
        ReportScanFailure(Prompt());
        return;
    }
    // A new Disk is the catalog's last child; an updated one took the old one's place.
    if (LastOutcome == TDiskScanEnd::Finished && job.CatalogNode && job.CatalogNode->Count() > 0 &&
        (job.OldDisk || job.CatalogNode->Count() > catalogDisks))
        m_main.SelectNode(job.CatalogNode->Child(
            oldPlace >= 0 ? std::min(oldPlace, job.CatalogNode->Count() - 1)
                          : job.CatalogNode->Count() - 1));
    if (LastOutcome == TDiskScanEnd::Finished)
        ReportUnreadableFolders(Prompt(), m_flags.UnreadableFolders);
}

} // namespace quorvex
