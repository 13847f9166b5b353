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
    switch (Scan(request, options).Outcome) {
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

TDiskScanEnd RunDiskScan(const TDiskScanJob& job)
{
    TScanFlags own;
    TDiskScanJob run = job;
    if (!run.Flags) run.Flags = &own;
    run.Flags->Finished = false;
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
