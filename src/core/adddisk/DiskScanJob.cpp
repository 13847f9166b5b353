#include "adddisk/DiskScanJob.h"

#include "catalog/CatalogErrors.h"
#include "platform/Prompt.h"

#include <exception>

namespace quorvex {

namespace {

TDiskScanFunction& ScanFunction()
{
    static TDiskScanFunction scan;
    return scan;
}

} // namespace

void SetDiskScanFunction(TDiskScanFunction scan) { ScanFunction() = std::move(scan); }
bool DiskScanAvailable() { return bool(ScanFunction()); }

QString ScanFailureText()
{
    return QStringLiteral("The disk scan was terminated and canceled due to an error encountered in the process. "
                          "Please check if data on the media is valid, and there is no damage to media itself "
                          "(like scratches on CD-ROM surface).");
}

void ReportScanFailure(IPrompt& prompt)
{
    prompt.Inform(QStringLiteral("Error"), ScanFailureText(), TPromptIcon::Error);
}

TDiskScanEnd RunDiskScan(const TDiskScanJob& job)
{
    TScanFlags own;
    TDiskScanJob run = job;
    if (!run.Flags) run.Flags = &own;
    run.Flags->Finished = false;
    bool escaped = false;
    try {
        if (DiskScanAvailable()) ScanFunction()(run);
    } catch (const EAbort&) {
        run.Flags->Abort = true; // a silent abort: no message
    } catch (const std::exception&) {
        escaped = true;
    }
    if (escaped || (!run.Flags->Finished && !run.Flags->Abort)) return TDiskScanEnd::Failed;
    return run.Flags->Finished ? TDiskScanEnd::Finished : TDiskScanEnd::Canceled;
}

} // namespace quorvex
