#include "scan/ScanWalker.h"

#include "archive/ArchiveKinds.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "scan/DescriptionFiles.h"
#include "scan/NameCase.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

namespace quorvex
{

namespace
{

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// Only a short extension that begins like one of the table's can name an archive; the
// others skip the table lookup.
int ArchiveKindOf(const std::string& name)
{
    static const std::array<bool, 256> firstLetters = [] {
        std::array<bool, 256> letters{};
        for (int kind = 1; kind <= ArchiveKindCount; ++kind) {
            const unsigned char c = static_cast<unsigned char>(ArchiveKindRow(kind).Extension[0]);
            letters[c] = letters[c + 32] = true;
        }
        return letters;
    }();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot - 1 > 3 || dot + 1 == name.size())
        return akNone;
    if (!firstLetters[static_cast<unsigned char>(name[dot + 1])]) return akNone;
    return ArchiveKindOfName(QString::fromUtf8(name.data() + dot, qsizetype(name.size() - dot)));
}

int32_t SaturatedSize(int64_t size)
{
    return size > INT32_MAX ? INT32_MAX : int32_t(size);
}

QCollator& NameCollator()
{
    static QCollator collator = [] {
        QLocale locale = QLocale::system();
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English, QLocale::UnitedStates);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

} // namespace

double TDiskScanner::ClustersOf(int64_t bytes) const
{
    return bytes <= 0 ? 0.0 : double((bytes + m_clusterBytes - 1) / m_clusterBytes);
}

TFolderRec* TDiskScanner::NewFolderRec(const TFolderEntry& entry)
{
    auto* rec = new TFolderRec;
    rec->KindFlags = ikFolder;
    rec->Attr = entry.Attr;
    rec->Created = entry.Created;
    rec->Modified = entry.Modified;
    rec->Accessed = entry.Accessed;
    rec->DiskNode = m_diskNode;
    return rec;
}

void TDiskScanner::Walk(TTreeNode* node, TTreeNode* old, bool& parentOverride,
                        const std::string& path, bool enter)
{
    ++m_folders;
    m_clusterBytes = int64_t(m_disk->BytesPerSector) * m_disk->SectorsPerCluster;
    if (m_clusterBytes <= 0) throw EFolderReadError("The volume reports a cluster size of 0");
    TWalk walk;
    walk.Node = node;
    walk.Rec = node->Data;
    walk.Folder = AsFolder(node->Data);
    walk.Old = old;
    walk.Path = path;
    walk.Volumes.reserve(8);
    for (TFileRec* f = walk.Rec->Next; f; f = f->Next)
        walk.Tail = f;
    Progress().SetScanDir(QString::fromStdString(path + "/"));

    if (enter) ReadEntries(walk);
    WalkSubfolders(walk);
    if (!m_abort) ApplyFolderSources(walk, parentOverride);
    m_counted += walk.Clusters;
    ReportCounts();
    Progress().AdvanceScan(walk.Clusters);
    SortChildren(node);
}

void TDiskScanner::ReadEntries(TWalk& walk)
{
    TFolderReader reader(walk.Path.empty() ? std::string("/") : walk.Path, walk.Node == m_diskNode);
    if (reader.Result() != TFolderReader::Opened) {
        // A folder the user may not read, or one gone meanwhile, is recorded empty; anything
        // else is the medium failing, and the scan must not pass for complete.
        if (walk.Node == m_diskNode || reader.Result() == TFolderReader::Failed)
            throw EFolderReadError("Cannot open folder " + walk.Path + "/: " +
                                   std::strerror(reader.Error()));
        m_result.UnreadableFolders.push_back(walk.Path);
        return;
    }
    TFolderEntry entry;
    while (!m_abort && reader.Next(entry)) {
        KeepEventsFlowing();
        m_comment.clear();
        const bool hidden = (entry.Attr & faHidden) != 0;
        const bool skip = (hidden && entry.IsDirectory && m_options.IgnoreFoldersCheck) ||
                          (hidden && !entry.IsDirectory && m_options.IgnoreFilesCheck) ||
                          (entry.IsDirectory && m_options.IgnoreRecycleCheck &&
                           EqualsIgnoringCase(entry.Name, "Recycled"));
        if (skip) {
            m_disk->ScanFlags |= 1;
            continue;
        }
        if (entry.IsDirectory) {
            walk.Subfolders.push_back(entry);
            continue;
        }
        m_bytes += entry.Size;
        std::string name = entry.Name;
        ApplyNameCaseRule(name);
        const int kind = ArchiveKindOf(name);
        const bool known = kind != akNone && m_options.ArchiveKinds.Enabled(kind);
        m_captureArmed =
            known && ArchiveKindRow(kind).CommentImportable && m_options.ImportCommentCheck;
        m_pendingDesc.clear();
        if (known && m_options.BrowseArchiveCheck && entry.IsRegular &&
            HandleArchive(walk, entry, name, kind))
            continue;
        RecordFile(walk, entry, std::move(name));
    }
}

void TDiskScanner::RecordFile(TWalk& walk, const TFolderEntry& entry, std::string name)
{
    ++m_disk->TotalFiles;
    TFileRec* rec = TFileRec::New(name);
    rec->KindFlags = ikFile;
    rec->Node = walk.Node;
    rec->Attr = entry.Attr;
    // The record holds 32 bits: larger files show the largest size it holds, the totals get the
    // true one.
    rec->Size = SaturatedSize(entry.Size);
    rec->Created = entry.Created;
    rec->Modified = entry.Modified;
    rec->Accessed = entry.Accessed;
    if (walk.Tail)
        walk.Tail->Next = rec;
    else
        walk.Rec->Next = rec;
    walk.Tail = rec;
    if (walk.Folder)
        ++walk.Folder->FileCount;
    else
        ++m_disk->FileCount;
    m_pool.CopyOnto(rec);
    if (!m_pendingDesc.empty()) {
        SetDescriptionIfEmpty(rec, m_pendingDesc);
        m_pendingDesc.clear();
    }
    if (walk.Folder)
        walk.Folder->TotalSize = SaturatingAdd(walk.Folder->TotalSize, entry.Size * CurrencyScale);
    walk.Clusters += ClustersOf(entry.Size);
    if (!entry.IsRegular) return; // a pipe of that name would stop the scan
    if (EqualsIgnoringCase(entry.Name, FilesBbsName))
        walk.FilesBbs = entry.Name;
    else if (EqualsIgnoringCase(entry.Name, DescriptIonName))
        walk.DescriptIon = entry.Name;
    else if (EqualsIgnoringCase(entry.Name, FileIdDizName))
        walk.FileIdDiz = entry.Name;
}

void TDiskScanner::WalkSubfolders(TWalk& walk)
{
    for (auto it = walk.Subfolders.rbegin(); it != walk.Subfolders.rend() && !m_abort; ++it) {
        const TFolderEntry& entry = *it;
        std::string name = entry.Name;
        ApplyNameCaseRule(name);
        TFolderRec* rec = NewFolderRec(entry);
        TTreeNode* child = AddNode(walk.Node, name, rec);
        rec->Node = child;
        m_pool.CopyOnto(rec);
        TTreeNode* oldChild = nullptr;
        if (walk.Old) {
            if (AsFolder(walk.Old->Data)) LoadSubfolders(walk.Old, false, false);
            for (const auto& c : walk.Old->Children())
                if (c->Text == name) {
                    oldChild = c.get();
                    break;
                }
        }
        // Other file systems mounted inside the medium are recorded, not entered.
        Walk(child, oldChild, walk.Override, walk.Path + "/" + entry.Name,
             entry.Device == m_rootDevice);
        if (walk.Folder)
            walk.Folder->TotalSize = SaturatingAdd(walk.Folder->TotalSize, rec->TotalSize);
    }
    walk.Subfolders.clear();
    walk.Subfolders.shrink_to_fit();
}

void TDiskScanner::ApplyFolderSources(TWalk& walk, bool& parentOverride)
{
    const int limit = m_options.LineLimit();
    try {
        std::string diz;
        if (m_options.ImportDizCheck && !walk.FileIdDiz.empty())
            diz = ReadFileIdDiz(walk.Path + "/" + walk.FileIdDiz);
        for (const TDescSource source : m_options.ImportDescList) {
            switch (source) {
            case TDescSource::FileIdDiz:
                if (m_options.ImportDizCheck && !diz.empty()) {
                    SetDescriptionIfEmpty(walk.Rec, diz);
                    diz.clear();
                    parentOverride = true;
                }
                walk.Override = false;
                break;
            case TDescSource::FilesBbs:
                if (m_options.ImportBBSCheck && !walk.FilesBbs.empty())
                    ApplyFilesBbs(walk.Rec, walk.Path + "/" + walk.FilesBbs, limit);
                break;
            case TDescSource::DescriptIon:
                if (m_options.Import4DOSCheck && !walk.DescriptIon.empty())
                    ApplyDescriptIon(walk.Rec, walk.Path + "/" + walk.DescriptIon, walk.Override,
                                     limit);
                break;
            case TDescSource::ArchiveComment:
                walk.Override = false;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) { // a description file that cannot be used ends this folder's sources only
    }
}

void TDiskScanner::SortChildren(TTreeNode* node)
{
    node->HasChildren = node->Count() > 0;
    if (node->Count() < 2) return;
    std::vector<std::pair<QString, TTreeNode*>> keyed;
    keyed.reserve(size_t(node->Count()));
    for (const auto& c : node->Children())
        keyed.emplace_back(QString::fromStdString(c->Text), c.get());
    QCollator& collator = NameCollator();
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        return collator.compare(a.first, b.first) < 0;
    });
    std::vector<TTreeNode*> order;
    order.reserve(keyed.size());
    for (auto& k : keyed)
        order.push_back(k.second);
    node->Tree()->ReorderChildren(node, order);
}

} // namespace quorvex
