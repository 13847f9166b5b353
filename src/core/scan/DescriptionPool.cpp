#include "scan/DescriptionPool.h"

#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"

#include <algorithm>

namespace quorvex {

namespace {

std::string_view NameOf(const TItemRec* item)
{
    if (ItemIs(item->KindFlags, ikFile)) return static_cast<const TFileRec*>(item)->Name();
    return item->Node ? std::string_view(item->Node->Text) : std::string_view();
}

unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

// Compares ignoring the case of the letters A to Z only.
int CompareNames(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Upper(static_cast<unsigned char>(a[i])), y = Upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

const TText& DescriptionOf(const TItemRec* item)
{
    if (ItemIs(item->KindFlags, ikFile)) return static_cast<const TFileRec*>(item)->Description;
    return static_cast<const TFolderRec*>(item)->Description;
}

bool SameKindPasses(const TItemRec* entry, const TItemRec* item)
{
    if (ItemIs(item->KindFlags, ikFile)) {
        auto* a = static_cast<const TFileRec*>(entry);
        auto* b = static_cast<const TFileRec*>(item);
        return a->Size == b->Size && a->Modified == b->Modified;
    }
    return static_cast<const TFolderRec*>(entry)->Modified == static_cast<const TFolderRec*>(item)->Modified;
}

} // namespace

void TDescriptionPool::Empty()
{
    m_items.clear();
    m_start.fill(-1);
}

void TDescriptionPool::AddFiles(TItemRec* owner)
{
    for (TFileRec* f = owner->Next; f; f = f->Next)
        if (!f->Description.IsNull()) m_items.push_back(f);
}

void TDescriptionPool::Visit(TTreeNode* node, bool trustFlags)
{
    if (ItemIs(node->Data, ikFolder)) LoadSubfolders(node, false, false);
    for (int i = 0; i < node->Count(); ++i) Visit(node->Child(i), trustFlags);
    if (auto* folder = AsFolder(node->Data)) {
        if (!trustFlags || ItemIs(folder, ifDescribedFiles)) {
            LoadFiles(node);
            AddFiles(folder);
        }
        if (!folder->Description.IsNull()) m_items.push_back(folder);
    } else if (auto* disk = AsDisk(node->Data)) {
        IProgress& progress = Progress();
        progress.SetScanDir(QString::fromStdString(node->Text));
        progress.SetScanDescFound(QStringLiteral("( Descriptions found so far: %1 )").arg(Size()));
        progress.ProcessEvents();
        LoadFiles(node);
        AddFiles(disk);
    }
}

void TDescriptionPool::Build(const std::vector<TTreeNode*>& diskNodes)
{
    m_items.reserve(1024);
    for (TTreeNode* disk : diskNodes) {
        TCatalogRec* cat = OwningCatalogRec(disk);
        Visit(disk, cat && cat->CurrentFormat == 1);
    }
}

void TDescriptionPool::SortAndIndex()
{
    std::sort(m_items.begin(), m_items.end(),
              [](const TItemRec* a, const TItemRec* b) { return CompareNames(NameOf(a), NameOf(b)) < 0; });
    m_start.fill(-1);
    size_t pos = 0;
    for (int letter = 0; letter < 26; ++letter) {
        const unsigned char l = static_cast<unsigned char>('A' + letter);
        while (pos < m_items.size()) {
            const std::string_view name = NameOf(m_items[pos]);
            const unsigned char c = name.empty() ? 0 : Upper(static_cast<unsigned char>(name[0]));
            if (c >= l) break;
            ++pos;
        }
        if (pos < m_items.size()) m_start[size_t(letter)] = static_cast<int>(pos);
    }
}

bool TDescriptionPool::CopyOnto(TItemRec* item) const
{
    if (m_items.empty() || !item) return false;
    const TText& own = ItemIs(item->KindFlags, ikFile) ? static_cast<TFileRec*>(item)->Description
                                                       : static_cast<TFolderRec*>(item)->Description;
    if (!own.IsNull()) return false;
    const std::string_view name = NameOf(item);
    if (name.empty()) return false;
    const unsigned char c = Upper(static_cast<unsigned char>(name[0]));
    const int last = Size() - 1;
    int lo, hi;
    if (c < 'A') {
        lo = 0;
        hi = m_start[0] - 1;
    } else if (c < 'Z') {
        lo = m_start[size_t(c - 'A')];
        hi = m_start[size_t(c - 'A' + 1)] - 1;
    } else {
        lo = m_start[25];
        hi = last;
    }
    if (lo < 0) return false;
    if (hi < 0) hi = last;
    int hit = -1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int cmp = CompareNames(NameOf(m_items[size_t(mid)]), name);
        if (cmp == 0) {
            hit = mid;
            break;
        }
        if (cmp < 0) lo = mid + 1;
        else hi = mid - 1;
    }
    if (hit < 0) return false;
    const bool itemIsFile = ItemIs(item->KindFlags, ikFile);
    const TItemRec* found = nullptr;
    for (int i = hit; i <= last && NameOf(m_items[size_t(i)]) == name; ++i) {
        const TItemRec* entry = m_items[size_t(i)];
        const bool entryIsFile = ItemIs(entry->KindFlags, ikFile);
        if (entryIsFile != itemIsFile || SameKindPasses(entry, item)) {
            found = entry;
            break;
        }
    }
    if (!found) return false;
    const bool foundIsFile = ItemIs(found->KindFlags, ikFile);
    const uint8_t category = foundIsFile ? static_cast<const TFileRec*>(found)->CategoryByte
                                         : static_cast<const TFolderRec*>(found)->CategoryByte;
    if (itemIsFile) {
        auto* file = static_cast<TFileRec*>(item);
        file->Description = DescriptionOf(found);
        file->CategoryByte = category;
        if (file->Node && AsFolder(file->Node->Data)) SetItemBits(file->Node->Data, ifDescribedFiles, true);
    } else {
        auto* folder = static_cast<TFolderRec*>(item);
        folder->Description = DescriptionOf(found);
        folder->CategoryByte = category;
        folder->Reserved57 = foundIsFile ? 0 : static_cast<const TFolderRec*>(found)->Reserved57;
    }
    return true;
}

} // namespace quorvex
