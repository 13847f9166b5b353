#include "scan/DiskScanner.h"

#include "archive/ArchiveLister.h"
#include "catalog/CatalogOpener.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "config/Options.h"
#include "platform/Drives.h"
#include "platform/NativeNames.h"
#include "scan/DiskNaming.h"
#include "scan/DriveInfo.h"
#include "scan/ScanWalker.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace quorvex
{

TScanOptions ScanOptionsFromSettings(const TOptions& o, bool updating)
{
    TScanOptions s;
    s.BrowseArchiveCheck = o.InsideZipCheck();
    s.ArchiveDescOnly = o.ArchiveDescOnly();
    s.ArchiveQuickScan = o.ArchiveQuickScan();
    s.EjectMediaCheck = o.EjectMediaCheck();
    s.ImportDizCheck = o.DescSourceChecked(TDescSource::FileIdDiz);
    s.ImportBBSCheck = o.DescSourceChecked(TDescSource::FilesBbs);
    s.Import4DOSCheck = o.DescSourceChecked(TDescSource::DescriptIon);
    s.ImportCommentCheck = o.DescSourceChecked(TDescSource::ArchiveComment);
    s.KeepCurrentCheck = updating && o.DescKeepCurrentCheck();
    s.ImportDescCombo = 0;
    s.IgnoreFoldersCheck = o.IgnoreFoldersCheck();
    s.IgnoreFilesCheck = o.IgnoreFilesCheck();
    s.IgnoreRecycleCheck = o.IgnoreRecycleCheck();
    s.ImportDescList = o.ImportDescOrder();
    s.DescTruncCheck = o.DescTruncCheck();
    s.DescTruncEdit = o.DescTruncEdit();
    s.ExtractDir = o.ExtractDir().toStdString();
    for (int kind = 1; kind <= ArchiveKindCount; ++kind)
        s.ArchiveKinds.SetEnabled(kind, o.ArchiveKindEnabled(kind));
    return s;
}

QString ScanFailedMessage()
{
    return QStringLiteral(
        "The disk scan was terminated and canceled due to an error encountered in the process. "
        "Please check if data on the media is valid, and there is no damage to media itself "
        "(like scratches on CD-ROM surface).");
}

TScanResult Scan(const TScanRequest& request, const TScanOptions& options)
{
    TDiskScanner scanner(request, options);
    return scanner.Run();
}

TDiskScanner::TDiskScanner(const TScanRequest& request, const TScanOptions& options)
    : m_request(request), m_options(options)
{
}

TDiskScanner::~TDiskScanner() = default;

std::string TDiskScanner::RootPath() const
{
    std::string root = NativeString(DriveRoot(m_request.Drive));
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    // The stored root begins with a separator of its own; the drive's root "/" ends with one.
    QString sub = m_request.VirtualRoot;
    sub.replace(u'\\', u'/');
    const QStringList parts = sub.split(u'/', Qt::SkipEmptyParts);
    if (!parts.isEmpty()) root += '/' + NativeString(parts.join(u'/'));
    return root; // "" for the file system's own root
}

TTreeNode* TDiskScanner::AddNode(TTreeNode* parent, std::string text, TItemRec* rec)
{
    TTreeNode* node = parent->Tree()->AddChild(parent, std::move(text), rec);
    parent->HasChildren = true;
    return node;
}

TScanResult TDiskScanner::Run()
{
    IProgress& progress = Progress();
    const QString drive = m_request.Drive;
    if (!m_request.Catalog || !WaitUntilReady(drive, m_request.PromptWhenNotReady)) return m_result;

    progress.SetStatus(QStringLiteral("Scanning disk for data..."), 2);
    m_abort = false;
    progress.SetScanAbortCallback([this] { m_abort = true; });
    progress.SetScanLabels(QStringLiteral("Initializing catalog update..."), QString(), QString());
    m_lastEvents = std::chrono::steady_clock::now();

    auto endScan = [&] {
        progress.SetScanAbortCallback(nullptr);
        progress.SetStatus(QString(), 0);
    };
    try {
        if (m_request.ChangeSerial) WriteSerial(drive, QRandomGenerator::global()->generate());
        m_disk = new TDiskRec;
        ReadDriveInfo(drive, *m_disk);
    } catch (const std::exception& e) {
        delete m_disk;
        m_disk = nullptr;
        m_result.Outcome = TScanOutcome::Failed;
        m_result.Error = e.what();
        endScan();
        return m_result;
    }
    std::string name = m_options.DiskName;
    if (name.empty()) name = DefaultDiskName(*m_disk, drive, m_request.VirtualRoot);
    name = UniqueDiskName(name, m_request.Catalog, m_request.OldDisk);
    m_diskNode = AddNode(m_request.Catalog, name, m_disk);
    m_disk->Node = m_diskNode;
    if (auto* old = m_request.OldDisk ? AsDisk(m_request.OldDisk->Data) : nullptr)
        m_disk->Description = old->Description;
    if (!m_request.VirtualRoot.isEmpty()) {
        m_disk->KindFlags |= ifVirtualRoot;
        m_disk->VirtualRootPath.Assign(NativeString(m_request.VirtualRoot));
    }
    m_used = double(m_disk->TotalClusters) - double(m_disk->FreeClusters);
    m_base = ProgressBase();
    progress.SetScanProgressMax(m_base);

    try {
        if (m_abort) throw EFolderReadError("cancelled");
        m_pool.Empty();
        if (m_options.KeepCurrentCheck) BuildPool();
        progress.SetScanLabels(QStringLiteral("Scanning disk, please wait..."),
                               QStringLiteral("Reading file data in:"), QString());
        progress.ShowScanBar();
        if (m_disk->TotalClusters > m_disk->FreeClusters || m_disk->TotalClusters == 0) {
            const std::string root = RootPath();
            TFolderEntry rootEntry;
            if (!ReadEntryOf(root.empty() ? "/" : root, rootEntry, true) || !rootEntry.IsDirectory)
                throw EFolderReadError("Cannot open folder " +
                                       (root.empty() ? std::string("/") : root));
            m_rootDevice = rootEntry.Device;
            bool unused = false;
            Walk(m_diskNode, m_request.OldDisk, unused, root, true);
        }
        if (m_abort) {
            m_result.Outcome = TScanOutcome::Aborted;
            RollBack();
        } else {
            Finish();
        }
    } catch (const std::exception& e) {
        m_result.Outcome = m_abort ? TScanOutcome::Aborted : TScanOutcome::Failed;
        m_result.Error = m_abort ? std::string() : e.what();
        RollBack();
    } catch (...) {
        m_result.Outcome = TScanOutcome::Failed;
        m_result.Error = "unexpected error";
        RollBack();
    }
    endScan();
    return m_result;
}

void TDiskScanner::BuildPool()
{
    Progress().SetScanLabels(QStringLiteral("Searching for existing descriptions..."),
                             QStringLiteral("Reading from disk in catalog:"), QString());
    std::vector<TTreeNode*> disks;
    if (m_request.OldDisk && m_options.ImportDescCombo == 0) {
        disks.push_back(m_request.OldDisk);
    } else {
        for (int i = 0; i < m_request.Catalog->Count(); ++i)
            if (m_request.Catalog->Child(i) != m_diskNode)
                disks.push_back(m_request.Catalog->Child(i));
    }
    m_pool.Build(disks);
    m_pool.SortAndIndex();
}

// The drive's used space measures a scan of the whole medium. A folder of it (a virtual
// root) may be a sliver of that, so there the bar goes by what the Disk being updated held
// last time, or, without one, shows only that the scan is busy.
double TDiskScanner::ProgressBase() const
{
    if (const TDiskRec* old = m_request.OldDisk ? AsDisk(m_request.OldDisk->Data) : nullptr) {
        const double oldCluster = double(old->BytesPerSector) * old->SectorsPerCluster;
        const double newCluster = double(m_disk->BytesPerSector) * m_disk->SectorsPerCluster;
        const double counted =
            double(old->TotalClusters) - double(old->FreeClusters) - double(old->OtherClusters);
        if (oldCluster > 0 && newCluster > 0 && counted > 0) return counted * oldCluster / newCluster;
    }
    if (!m_request.VirtualRoot.isEmpty()) return 0;
    return std::max(0.0, m_used);
}

void TDiskScanner::ReportCounts()
{
    Progress().SetScanCounts({m_disk->TotalFiles, std::max(0, m_folders - 1), m_bytes});
}

void TDiskScanner::KeepEventsFlowing()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastEvents < std::chrono::milliseconds(10)) return;
    m_lastEvents = now;
    ReportCounts();
    Progress().ProcessEvents();
}

void TDiskScanner::Reconcile()
{
    const double counted = m_counted;
    if (double(m_disk->TotalClusters) >= counted) {
        m_disk->OtherClusters =
            int32_t(std::clamp(std::trunc(m_used - counted), double(INT32_MIN), double(INT32_MAX)));
    } else {
        m_disk->TotalClusters = int32_t(std::min(std::round(counted), double(INT32_MAX)));
        m_disk->FreeClusters = 0;
        m_disk->OtherClusters = 0;
        m_disk->KindFlags |= ifCompressed;
    }
}

void TDiskScanner::Finish()
{
    IProgress& progress = Progress();
    ReportCounts();
    progress.AdvanceScan(std::max(0.0, m_base - m_counted));
    // The root is not counted; the stored count is 16 bits wide and stops at its largest value.
    m_disk->TotalFolders =
        uint16_t(std::clamp(m_folders - 1, 0, int(std::numeric_limits<uint16_t>::max())));
    Reconcile();
    MarkDiskDirty(m_diskNode, true);
    m_pool.Empty();
    if (m_request.OldDisk) {
        for (auto& [oldNode, newNode] : m_reused)
            oldNode->Data = nullptr;
        // The updated Disk takes the old one's place in the catalog.
        TTreeNode* catalog = m_request.OldDisk->Parent();
        const int place = m_request.OldDisk->Index();
        DeleteItemNode(m_request.OldDisk);
        std::vector<TTreeNode*> order;
        for (const auto& child : catalog->Children())
            if (child.get() != m_diskNode) order.push_back(child.get());
        order.insert(order.begin() + std::min<size_t>(size_t(place), order.size()), m_diskNode);
        catalog->Tree()->ReorderChildren(catalog, order);
    }
    m_reused.clear();
    if (m_options.EjectMediaCheck) {
        progress.SetScanLabels(QStringLiteral("Finished, ejecting media..."), QString(), QString());
        EjectMedium(m_request.Drive);
    }
    m_result.Outcome = TScanOutcome::Finished;
    m_result.NewDisk = m_diskNode;
}

void TDiskScanner::RollBack()
{
    m_pool.Empty();
    for (auto& [oldNode, newNode] : m_reused) {
        TItemRec* rec = newNode->Data;
        newNode->Data = nullptr;
        if (!rec) continue;
        rec->Node = oldNode;
        for (TFileRec* f = rec->Next; f; f = f->Next)
            f->Node = oldNode;
        if (auto* folder = AsFolder(rec)) folder->DiskNode = OwningDisk(oldNode);
    }
    m_reused.clear();
    if (m_diskNode) DeleteItemNode(m_diskNode);
    m_diskNode = nullptr;
    m_disk = nullptr;
}

} // namespace quorvex
