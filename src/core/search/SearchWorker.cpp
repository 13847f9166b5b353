#include "search/SearchWorker.h"

#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/ResultLists.h"
#include "catalog/TreeNode.h"
#include "search/FoundList.h"
#include "search/SearchHost.h"

#include <exception>

namespace quorvex {

namespace {

constexpr int SlotModulo = 32768;
constexpr int ReportEvery = 128;

bool FilesInMemory(const TItemRec* rec)
{
    if (const auto* folder = ItemIs(rec, ikFolder) ? static_cast<const TFolderRec*>(rec) : nullptr)
        return folder->FilesInMemory != 0;
    if (const auto* disk = ItemIs(rec, ikDisk) ? static_cast<const TDiskRec*>(rec) : nullptr)
        return disk->FilesInMemory != 0;
    return true;
}

} // namespace

int TSearchProgress::Bar() const
{
    if (Total <= 0) return 0;
    const int64_t bar = Checked * 1000 / Total;
    return bar > 1000 ? 1000 : static_cast<int>(bar);
}

QString SearchStatusText(int64_t checked, int found)
{
    return QStringLiteral("Checked %1 items, found %2...").arg(checked).arg(found);
}

TSearchWorker::TSearchWorker(TCatalogTree& tree, TFoundList& list, ISearchHost& host,
                             TSearchCriteria criteria, TCategoryChecks checks, bool useScopeFlags)
    : m_tree(tree), m_list(list), m_host(host), m_criteria(std::move(criteria)),
      m_checks(std::move(checks)), m_useScope(useScopeFlags)
{
}

void TSearchWorker::ItemTaken(TTreeNode* node)
{
    if (!node) return;
    if (m_current.load() == node) m_untouched = false;
    TTreeNode* pending = node;
    m_pendingRelease.compare_exchange_strong(pending, nullptr);
}

void TSearchWorker::OnMain(const std::function<void()>& work)
{
    std::exception_ptr error;
    m_host.Call([&] {
        try {
            ReleasePending();
            work();
        } catch (...) {
            error = std::current_exception();
        }
    });
    if (error) std::rethrow_exception(error);
}

void TSearchWorker::Run()
{
    m_outcome = TSearchOutcome{};
    m_checked = m_total = 0;
    m_found = 0;
    m_firstNew = -1;
    m_pending.clear();
    if (!BuildSnapshot(m_criteria, m_snapshot)) {
        m_outcome.NoCriteria = true;
        return;
    }
    bool notificationsOff = false;
    try {
        OnMain([&] {
            m_flushedCount = m_list.Count();
            m_list.FoundCount = 0;
            if (Events.TreeNotifications) Events.TreeNotifications(false);
        });
        notificationsOff = true;
        Search();
    } catch (const std::exception& e) {
        m_outcome.Error = e.what();
    } catch (...) {
        m_outcome.Error = "Unknown error";
    }
    // The walk ends here in every case: hand over the last hits, switch the tree back on.
    try {
        OnMain([&] {
            Flush();
            if (notificationsOff && Events.TreeNotifications) Events.TreeNotifications(true);
        });
    } catch (...) {
    }
    m_outcome.Cancelled = m_stop;
    m_outcome.Found = m_found;
    m_outcome.FirstNew = m_firstNew;
}

void TSearchWorker::Search()
{
    CountTotal();
    for (int c = 0; c < m_tree.Count(); ++c) {
        if (m_stop) return;
        TTreeNode* catNode = m_tree.Catalog(c);
        const TCatalogRec* cat = AsCatalog(catNode->Data);
        if (!cat) continue;
        m_keepsDescribedFlags = cat->CurrentFormat != 0;
        m_categories = ResolveCategoryChecks(cat, m_checks);
        for (int d = 0; d < catNode->Count(); ++d) {
            if (m_stop) return;
            TTreeNode* diskNode = catNode->Child(d);
            TDiskRec* disk = AsDisk(diskNode->Data);
            if (!disk || !InScope(diskNode)) continue;
            const int64_t before = m_checked;
            if (m_snapshot.Disks && !m_list.Contains(disk) && DiskTest(m_snapshot, *disk, diskNode->Text))
                AddHit(disk);
            if (m_snapshot.Files || m_snapshot.Folders) Walk(diskNode);
            m_checked = before + DiskAmount(diskNode);
            Report();
        }
    }
}

bool TSearchWorker::InScope(const TTreeNode* disk) const
{
    return !m_useScope || ItemIs(disk->Data, ifInScope);
}

int64_t TSearchWorker::DiskAmount(const TTreeNode* diskNode) const
{
    const auto* disk = static_cast<const TDiskRec*>(diskNode->Data);
    int64_t amount = m_snapshot.Disks ? 1 : 0;
    if (m_snapshot.Folders) amount += disk->TotalFolders;
    if (m_snapshot.Files) amount += int64_t(disk->TotalFiles) + disk->TotalArchiveMembers;
    return amount;
}

void TSearchWorker::CountTotal()
{
    m_total = 0;
    for (int c = 0; c < m_tree.Count(); ++c) {
        TTreeNode* catNode = m_tree.Catalog(c);
        if (!AsCatalog(catNode->Data)) continue;
        for (int d = 0; d < catNode->Count(); ++d) {
            TTreeNode* diskNode = catNode->Child(d);
            if (AsDisk(diskNode->Data) && InScope(diskNode)) m_total += DiskAmount(diskNode);
        }
    }
}

bool TSearchWorker::MayHoldDescribedFiles(const TItemRec* rec) const
{
    return !m_snapshot.DescriptionOnly || !m_keepsDescribedFlags || ItemIs(rec->KindFlags, ifDescribedFiles);
}

void TSearchWorker::Walk(TTreeNode* node)
{
    TItemRec* rec = node->Data;
    TFolderRec* folder = AsFolder(rec);
    if (!folder && !AsDisk(rec)) return;
    m_current = node;
    m_untouched = true;
    const int foundBefore = m_found;
    const bool archive = folder && ItemIs(rec, ifArchive);

    // Members of an archive that is skipped are not loaded: they cannot be hits.
    bool loaded = false;
    if (m_snapshot.Files && !FilesInMemory(rec) && (m_snapshot.InsideArchives || !archive) &&
        MayHoldDescribedFiles(rec))
        loaded = LoadFilesOnMain(node);

    if (folder && (archive ? m_snapshot.Files : m_snapshot.Folders)) {
        if (!m_list.Contains(folder) && FolderTest(m_snapshot, *folder, node->Text, m_categories))
            AddHit(folder);
        Advance(1);
    }
    if (m_snapshot.Files && MayHoldDescribedFiles(rec)) WalkFiles(rec);
    if (loaded && m_untouched && m_found == foundBefore) ReleaseOnMain(node);

    if (!folder) {
        for (int i = 0; i < node->Count() && !m_stop; ++i) Walk(node->Child(i));
        return;
    }
    if (folder->SubfolderOffset > 0) OnMain([node] { LoadSubfolders(node, false, false); });
    for (int i = 0; i < node->Count() && !m_stop; ++i) Walk(node->Child(i));
}

void TSearchWorker::WalkFiles(TItemRec* owner)
{
    if (!m_snapshot.InsideArchives && ItemIs(owner, ikFolder) && ItemIs(owner, ifArchive)) {
        Advance(static_cast<TFolderRec*>(owner)->FileCount);
        return;
    }
    for (TFileRec* f = owner->Next; f && !m_stop; f = f->Next) {
        if (!m_list.Contains(f) && FileTest(m_snapshot, *f, m_categories)) AddHit(f);
        Advance(1);
    }
}

void TSearchWorker::AddHit(TItemRec* item)
{
    // The list itself is only changed on the main thread (Flush); until then the slot marks
    // the item as taken, holding the position it will have.
    const int position = m_flushedCount + static_cast<int>(m_pending.size());
    item->Slots[m_list.Entries().Slot()] = static_cast<int16_t>(position % SlotModulo);
    m_pending.push_back(item);
    if (m_firstNew < 0) m_firstNew = position;
    ++m_found;
    if (m_snapshot.HitLimit > 0 && m_found >= m_snapshot.HitLimit) m_stop = true;
}

void TSearchWorker::Advance(int64_t n)
{
    if (n <= 0) return;
    m_checked += n;
    if (n >= 2 || m_checked % ReportEvery == 0) Report();
}

void TSearchWorker::Report()
{
    OnMain([&] {
        Flush();
        if (Events.Progress) Events.Progress({m_checked, m_total, m_found, m_firstNew});
    });
}

void TSearchWorker::Flush()
{
    TResultList& entries = m_list.Entries();
    for (TItemRec* item : m_pending) entries.Add(item);
    m_pending.clear();
    m_flushedCount = entries.Count();
    m_list.FoundCount = m_found;
}

bool TSearchWorker::LoadFilesOnMain(TTreeNode* node)
{
    bool loaded = false;
    OnMain([&] {
        // Looked at again here: the main window may have loaded the list meanwhile.
        if (FilesInMemory(node->Data)) return;
        LoadFiles(node);
        loaded = FilesInMemory(node->Data);
    });
    return loaded;
}

// The release runs on the main thread with the next call there (a load, a report, the
// end), which halves the hand-overs of a search over lazily loaded lists.
void TSearchWorker::ReleaseOnMain(TTreeNode* node)
{
    if (m_pendingRelease.load()) OnMain([] {});
    // Set first, then look again: an item taken meanwhile clears one or the other.
    m_pendingRelease = node;
    TTreeNode* expected = node;
    if (!m_untouched) m_pendingRelease.compare_exchange_strong(expected, nullptr);
}

void TSearchWorker::ReleasePending()
{
    TTreeNode* node = m_pendingRelease.exchange(nullptr);
    if (!node || (Events.FilesInUse && Events.FilesInUse(node))) return;
    ReleaseFileList(node->Data, false);
    ResultLists().CompactPending();
}

} // namespace quorvex
