#include "adddisk/AddDiskSwitches.h"

#include "config/Options.h"

namespace quorvex {

TAddDiskSwitches SwitchesFromOptions(const TOptions& options, TAddDiskMode mode)
{
    TAddDiskSwitches s;
    s.BrowseArchive.Checked = options.InsideZipCheck();
    s.ArchiveDescOnly.Checked = options.ArchiveDescOnly();
    s.ArchiveQuickScan.Checked = options.ArchiveQuickScan();
    s.EjectMedia.Checked = options.EjectMediaCheck();
    s.ImportDiz.Checked = options.DescSourceChecked(TDescSource::FileIdDiz);
    s.ImportBBS.Checked = options.DescSourceChecked(TDescSource::FilesBbs);
    s.Import4DOS.Checked = options.DescSourceChecked(TDescSource::DescriptIon);
    s.ImportComment.Checked = options.DescSourceChecked(TDescSource::ArchiveComment);
    s.KeepCurrent.Checked = mode == TAddDiskMode::Update && options.DescKeepCurrentCheck();
    s.ImportDescRow = 0;
    ApplySwitchRules(s, mode, TSwitchClick::None);
    return s;
}

void ApplySwitchRules(TAddDiskSwitches& s, TAddDiskMode mode, TSwitchClick clicked)
{
    if (clicked == TSwitchClick::BrowseArchive && !s.BrowseArchive.Checked) s.ImportComment.Checked = false;
    if (clicked == TSwitchClick::ImportComment && s.ImportComment.Checked) s.BrowseArchive.Checked = true;
    const bool anyImport =
        s.ImportDiz.Checked || s.ImportBBS.Checked || s.Import4DOS.Checked || s.ImportComment.Checked;
    s.ArchiveDescOnly.Enabled = s.BrowseArchive.Checked && anyImport;
    s.ArchiveQuickScan.Enabled = mode == TAddDiskMode::Update && s.BrowseArchive.Checked;
    s.ImportDescEnabled = s.KeepCurrent.Checked;
}

void SaveSwitchesAsDefaults(const TAddDiskSwitches& s, TOptions& options)
{
    options.SetDescSourceChecked(TDescSource::FileIdDiz, s.ImportDiz.Checked);
    options.SetDescSourceChecked(TDescSource::FilesBbs, s.ImportBBS.Checked);
    options.SetDescSourceChecked(TDescSource::DescriptIon, s.Import4DOS.Checked);
    options.SetDescSourceChecked(TDescSource::ArchiveComment, s.ImportComment.Checked);
    options.SetDescKeepCurrentCheck(s.KeepCurrent.Checked);
    options.SetInsideZipCheck(s.BrowseArchive.Checked);
    options.SetEjectMediaCheck(s.EjectMedia.Checked);
    options.SetArchiveDescOnly(s.ArchiveDescOnly.Checked);
    options.SetArchiveQuickScan(s.ArchiveQuickScan.Checked);
    options.SetChanged();
}

} // namespace quorvex
