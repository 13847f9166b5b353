#include "scan/ScanWalker.h"

#include "archive/ArchiveKinds.h"
#include "archive/ArchiveLister.h"
#include "catalog/CatalogOpener.h"
#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "platform/NativeNames.h"
#include "scan/DescriptionFiles.h"
#include "scan/DescriptionText.h"
#include "scan/NameCase.h"
#include "search/DosTime.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace quorvex
{

namespace
{

unsigned char FoldCase(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldCase(static_cast<unsigned char>(a[i])),
                            y = FoldCase(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return CompareIgnoringCase(a, b) == 0;
}

std::string FileNamePart(const QString& path)
{
    return NativeString(QFileInfo(path).fileName());
}

} // namespace

bool TDiskScanner::HandleArchive(TWalk& walk, const TFolderEntry& entry, const std::string& name,
                                 int kind)
{
    const std::string path = walk.Path + "/" + entry.Name;
    for (const auto& volume : walk.Volumes)
        if (SameIgnoringCase(volume.first, path))
            return true; // a further cabinet of a set read before
    IProgress& progress = Progress();
    progress.SetScanDir(NameFromNative(path));
    if (QuickScan(walk, entry, name)) {
        progress.SetScanDir(QString::fromStdString(walk.Path + "/"));
        return true;
    }

    if (!m_lister) {
        m_ownLister = std::make_unique<TArchiveLister>();
        m_lister = m_request.ZipView ? m_request.ZipView : m_ownLister.get();
    }
    TArchiveLister& lister = *m_lister;
    m_read = TArchiveRead{};
    m_read.Walk = &walk;
    m_read.Path = path;
    m_read.Entry = entry;
    m_read.Current = walk.Node;
    const auto savedRead = lister.OnRead;
    const auto savedError = lister.OnError;
    lister.OnRead = [this](TArchiveLister& sender, int32_t, int32_t) { MemberRead(sender); };
    lister.OnError = nullptr;
    try {
        lister.SetFileSpec(QStringLiteral("*.*"));
        lister.SetArchiveFile(NameFromNative(path));
        lister.Activate();
    } catch (...) {
        m_read.ReadFailed = true;
    }
    lister.OnRead = savedRead;
    lister.OnError = savedError;
    m_captureArmed = false;

    if (m_read.ReadFailed && m_read.MembersRead > 0) {
        for (TTreeNode* made : m_read.Made) {
            std::erase_if(walk.Volumes, [&](const auto& v) { return v.second == made; });
            made->Tree()->Delete(made);
        }
        m_read.Made.clear();
        m_read.Current = walk.Node;
    }
    progress.SetScanDir(QString::fromStdString(walk.Path + "/"));

    const bool handled = !m_read.ReadFailed && m_read.MembersRead > 0;
    if (handled) {
        m_disk->TotalArchiveMembers += m_read.MembersRecorded;
        // Every cabinet of a set is a file of the disk of its own.
        for (TTreeNode* made : m_read.Made) {
            const int64_t size = static_cast<TFolderRec*>(made->Data)->TotalSize;
            ++m_disk->TotalFiles;
            walk.Clusters += ClustersOf(size / CurrencyScale);
            if (walk.Folder) walk.Folder->TotalSize = SaturatingAdd(walk.Folder->TotalSize, size);
        }
    }
    if (m_options.ArchiveKinds.Enabled(kind) && ArchiveKindRow(kind).Extractable)
        ApplyArchiveSources(walk, kind);
    return handled;
}

bool TDiskScanner::QuickScan(TWalk& walk, const TFolderEntry& entry, const std::string& name)
{
    if (!m_options.ArchiveQuickScan || !m_options.BrowseArchiveCheck || !walk.Old) return false;
    if (!walk.OldNamesBuilt) {
        if (AsFolder(walk.Old->Data)) LoadSubfolders(walk.Old, false, false);
        walk.OldNames.reserve(std::max(walk.Old->Count(), 16));
        for (const auto& c : walk.Old->Children())
            walk.OldNames.emplace_back(c->Text, c.get());
        std::stable_sort(
            walk.OldNames.begin(), walk.OldNames.end(),
            [](const auto& a, const auto& b) { return CompareIgnoringCase(a.first, b.first) < 0; });
        walk.OldNamesBuilt = true;
    }
    auto it = std::lower_bound(
        walk.OldNames.begin(), walk.OldNames.end(), name,
        [](const auto& e, const std::string& n) { return CompareIgnoringCase(e.first, n) < 0; });
    if (it == walk.OldNames.end() || CompareIgnoringCase(it->first, name) != 0) return false;
    TTreeNode* oldNode = it->second;
    auto* rec = AsFolder(oldNode->Data);
    // Only an archive node can stand for an archive file; a folder of that name cannot.
    if (!rec || !ItemIs(rec, ifArchive) || rec->Modified != entry.Modified ||
        rec->TotalSize != entry.Size * CurrencyScale)
        return false;
    LoadFiles(oldNode);
    TTreeNode* node = AddNode(walk.Node, oldNode->Text, rec);
    m_reused.emplace_back(oldNode, node);
    rec->Node = node;
    for (TFileRec* f = rec->Next; f; f = f->Next)
        f->Node = node;
    rec->DiskNode = m_diskNode;
    walk.Clusters += ClustersOf(entry.Size);
    m_disk->TotalArchiveMembers += rec->FileCount;
    ++m_disk->TotalFiles;
    if (walk.Folder)
        walk.Folder->TotalSize = SaturatingAdd(walk.Folder->TotalSize, entry.Size * CurrencyScale);
    return true;
}

void TDiskScanner::NewArchiveNode(TArchiveLister& lister)
{
    const QString volume = lister.State().VolumeFileName;
    // The first volume is the file met in the folder, under the name the folder gave.
    TFolderEntry entry = m_read.Entry;
    std::string volumePath = m_read.Path;
    TTreeNode* parent = m_read.Walk->Node;
    if (m_read.MembersRead > 0) { // the reader went on to the next cabinet of a set
        m_read.Previous = m_read.Current;
        volumePath = NativeString(volume);
        if (!ReadEntryOf(volumePath, entry)) entry.Name = FileNamePart(volume);
        Progress().SetScanDir(volume);
        parent = m_read.Current->Parent();
    }
    std::string name = entry.Name;
    ApplyNameCaseRule(name);
    TFolderRec* rec = NewFolderRec(entry);
    rec->KindFlags |= ifArchive;
    rec->TotalSize = entry.Size * CurrencyScale;
    TTreeNode* node = AddNode(parent, name, rec);
    rec->Node = node;
    m_read.Walk->Volumes.emplace_back(volumePath, node);
    m_read.Made.push_back(node);
    m_read.Current = node;
    m_read.Volume = volume;
    m_read.Tail = nullptr;
    m_pool.CopyOnto(rec);
}

void TDiskScanner::MemberRead(TArchiveLister& lister)
{
    try {
        if (m_captureArmed) {
            m_comment = lister.State().ArchiveComment;
            m_captureArmed = false;
        }
        const TArchiveMember& m = lister.Member();
        if (!m_options.BrowseArchiveCheck || m.UnpackedSize < 0 || m.ExternalAttr == faDirectory)
            return;
        for (const char c : m.MemberName)
            if (static_cast<unsigned char>(c) < 32) return;
        std::string name = m.MemberName;
        if (name.size() > 1 && name[1] == ':') {
            const std::string folder = NativeString(QFileInfo(lister.ArchiveFile()).path()) + "\\";
            if (name.size() >= folder.size() &&
                SameIgnoringCase(std::string_view(name).substr(0, folder.size()), folder))
                name.erase(0, folder.size());
        }
        const TArcType type = lister.ArcType();
        if (type != atGZip && type != atTAR) ApplyNameCaseRule(name);
        m_read.SeenDiz = m_read.SeenDiz || SameIgnoringCase(name, "File_id.diz");
        if (m_options.ArchiveDescOnly) return;
        m_read.SeenBbs = m_read.SeenBbs || SameIgnoringCase(name, "Files.bbs");
        m_read.SeenIon = m_read.SeenIon || SameIgnoringCase(name, "Descript.ion");

        // A new volume is a new archive node: the reader moved on to the next cabinet. A
        // cabinet this folder listed before on its own has its node already.
        const QString& volume = lister.State().VolumeFileName;
        if (m_read.MembersRead == 0 || volume != m_read.Volume) {
            const std::string volumePath = NativeString(volume);
            const bool known =
                m_read.MembersRead > 0 &&
                std::any_of(m_read.Walk->Volumes.begin(), m_read.Walk->Volumes.end(),
                            [&](const auto& v) { return SameIgnoringCase(v.first, volumePath); });
            m_read.SkipVolume = known;
            if (known) {
                m_read.Volume = volume;
                m_read.Previous = nullptr;
            } else {
                NewArchiveNode(lister);
            }
        }
        if (m_read.SkipVolume) return;
        ++m_read.MembersRead;
        if (m_read.Previous && type == atCAB) {
            // A file continued from the previous cabinet is recorded once, where it starts.
            for (TFileRec* f = m_read.Previous->Data->Next; f; f = f->Next)
                if (f->Name() == name) return;
            m_read.Previous = nullptr;
        }
        auto* owner = static_cast<TFolderRec*>(m_read.Current->Data);
        TFileRec* rec = TFileRec::New(name);
        rec->KindFlags = ikFile | ifArchive;
        rec->Node = m_read.Current;
        rec->Attr = uint8_t(m.ExternalAttr & 0xFF);
        rec->Size = m.UnpackedSize;
        rec->Modified = int32_t(DosFromDayCount(m.MemberDate));
        rec->Crc() = int32_t(m.CRC);
        rec->PackedSize() = m.PackedSize;
        if (m_read.Tail)
            m_read.Tail->Next = rec;
        else
            owner->Next = rec;
        m_read.Tail = rec;
        ++owner->FileCount;
        if (!m.MemberComment.empty()) {
            const std::string text = CleanDescription(m.MemberComment);
            if (!text.empty()) {
                rec->Description.Assign(text);
                owner->KindFlags |= ifDescribedFiles;
            }
        }
        ++m_read.MembersRecorded;
        m_pool.CopyOnto(rec);
    } catch (...) { // one member that cannot be recorded is left out
    }
}

std::string TDiskScanner::TakeOut(int kind, const std::string& member)
{
    return m_options.TakeOut ? m_options.TakeOut(kind, m_read.Path, member)
                             : TakeOutOfArchive(kind, m_read.Path, member);
}

void TDiskScanner::ApplyArchiveSources(TWalk& walk, int kind)
{
    const bool nodeMade = !m_read.ReadFailed && m_read.MembersRead > 0;
    TItemRec* archive = nodeMade ? m_read.Current->Data : nullptr;
    const int limit = m_options.LineLimit();
    auto removeCopy = [](const std::string& copy) {
        if (!copy.empty()) std::remove(copy.c_str());
    };
    try {
        std::string dizTaken;
        for (const TDescSource source : m_options.ImportDescList) {
            switch (source) {
            case TDescSource::FileIdDiz:
                if (m_options.ImportDizCheck && m_read.SeenDiz) {
                    const std::string copy = TakeOut(kind, std::string(FileIdDizName));
                    if (copy.empty()) break;
                    dizTaken = ReadFileIdDiz(copy);
                    removeCopy(copy);
                    if (dizTaken.empty()) break;
                    if (m_options.ArchiveDescOnly || !archive)
                        m_pendingDesc = dizTaken;
                    else
                        SetDescriptionIfEmpty(archive, dizTaken);
                    walk.Override = true;
                }
                break;
            case TDescSource::FilesBbs:
                if (m_options.ImportBBSCheck && m_read.SeenBbs && archive) {
                    const std::string copy = TakeOut(kind, std::string(FilesBbsName));
                    if (!copy.empty()) ApplyFilesBbs(archive, copy, limit);
                    removeCopy(copy);
                }
                break;
            case TDescSource::DescriptIon:
                if (m_options.Import4DOSCheck && m_read.SeenIon && archive) {
                    const std::string copy = TakeOut(kind, std::string(DescriptIonName));
                    if (!copy.empty()) ApplyDescriptIon(archive, copy, false, limit);
                    removeCopy(copy);
                }
                break;
            case TDescSource::ArchiveComment:
                if (m_options.ImportCommentCheck && !m_comment.empty() && archive) {
                    const std::string text = MapBoxCharacters(m_comment);
                    auto* rec = static_cast<TFolderRec*>(archive);
                    if (rec->Description.IsNull() || (walk.Override && dizTaken.empty()))
                        rec->Description.Assign(text);
                    walk.Override = true;
                }
                m_comment.clear();
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) { // the rest of this archive's sources is skipped
    }
}

} // namespace quorvex
