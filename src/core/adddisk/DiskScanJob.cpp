#include "adddisk/DiskScanJob.h"

#include "catalog/CatalogErrors.h"
#include "config/Options.h"
#include "platform/Prompt.h"
#include "scan/DiskScanner.h"

namespace quorvex {

namespace {

// The dialog's switches over the settings the scanner reads itself.
void ScanWithDiskScanner(const TDiskScanJob& job)
{
    const TAddDiskSwitches& s = job.Switches;
    TScanOptions options = ScanOptionsFromSettings(Options(), job.OldDisk != nullptr);
    options.DiskName = job.DiskName;
    options.BrowseArchiveCheck = s.BrowseArchive.Checked;
    options.ArchiveDescOnly = s.ArchiveDescOnly.Checked && s.ArchiveDescOnly.Enabled;
    options.ArchiveQuickScan = s.ArchiveQuickScan.Checked && s.ArchiveQuickScan.Enabled;
    options.EjectMediaCheck = s.EjectMedia.Checked;
    options.ImportDizCheck = s.ImportDiz.Checked;
    options.ImportBBSCheck = s.ImportBBS.Checked;
    options.Import4DOSCheck = s.Import4DOS.Checked;
    options.ImportCommentCheck = s.ImportComment.Checked;
    options.KeepCurrentCheck = s.KeepCurrent.Checked;
    options.ImportDescCombo = s.ImportDescRow;
    TScanRequest request;
    request.Catalog = job.CatalogNode;
    request.Drive = job.Drive;
    request.VirtualRoot = job.VirtualRoot;
    request.OldDisk = job.OldDisk;
    request.ChangeSerial = job.ChangeSerial;
    const TScanResult result = Scan(request, options);
    job.Flags->UnreadableFolders = result.UnreadableFolders;
    switch (result.Outcome) {
    case TScanOutcome::Finished: job.Flags->Finished = true; break;
    // Giving up at "Drive Not Ready" is the user's choice, not a failure.
    case TScanOutcome::NotReady:
    case TScanOutcome::Aborted: job.Flags->Abort = true; break;
    case TScanOutcome::Failed: break;
    }
}

TDiskScanFunction& ScanFunction()
{
    static TDiskScanFunction scan = ScanWithDiskScanner;
    return scan;
}

} // namespace

void SetDiskScanFunction(TDiskScanFunction scan)
{
    ScanFunction() = scan ? std::move(scan) : TDiskScanFunction(ScanWithDiskScanner);
}

void ReportScanFailure(IPrompt& prompt)
{
    prompt.Inform(QStringLiteral("Error"), ScanFailedMessage(), TPromptIcon::Error);
}

void ReportUnreadableFolders(IPrompt& prompt, const std::vector<std::string>& folders)
{
    if (folders.empty()) return;
    constexpr size_t listed = 15;
    QString text = QStringLiteral("The disk was catalogued, but these folders could not be read "
                                  "(no permission) and are recorded as empty:\r\n");
    for (size_t i = 0; i < folders.size() && i < listed; ++i)
        text += QStringLiteral("\r\n") + QString::fromStdString(folders[i]);
    if (folders.size() > listed)
        text += QStringLiteral("\r\n... and %1 more").arg(folders.size() - listed);
    prompt.Inform(QStringLiteral("Unreadable Folders"), text, TPromptIcon::Warning);
}

TDiskScanEnd RunDiskScan(const TDiskScanJob& job)
{
    TScanFlags own;
    TDiskScanJob run = job;
    if (!run.Flags) run.Flags = &own;
    run.Flags->Finished = false;
    run.Flags->UnreadableFolders.clear();
    bool escaped = false;
    try {
        ScanFunction()(run);
    } catch (const EAbort&) {
        run.Flags->Abort = true; // a silent abort: no message
    } catch (...) {
        escaped = true;
    }
    if (escaped || (!run.Flags->Finished && !run.Flags->Abort)) return TDiskScanEnd::Failed;
    return run.Flags->Finished ? TDiskScanEnd::Finished : TDiskScanEnd::Canceled;
}

} // namespace quorvex
