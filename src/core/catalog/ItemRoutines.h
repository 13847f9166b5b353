#pragma once
// Small routines every part of the program uses on item records and tree nodes.

#include "catalog/ItemRecords.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

class TTreeNode;

inline uint8_t ItemKind(uint8_t kindFlags) { return kindFlags & 7; }
// For m <= 7: the kind equals m. For m > 7: any bit of m is set.
inline bool ItemIs(uint8_t kindFlags, uint8_t m)
{
    return m <= 7 ? (kindFlags & 7) == m : (kindFlags & m) != 0;
}
inline bool ItemIs(const TItemRec* rec, uint8_t m) { return rec && ItemIs(rec->KindFlags, m); }
// For m > 7 sets or clears the flag bits; for m <= 7 replaces the kind, keeping the flags.
void SetItemBits(TItemRec* rec, uint8_t m, bool on);

inline TFileRec* AsFile(TItemRec* r) { return ItemIs(r, ikFile) ? static_cast<TFileRec*>(r) : nullptr; }
inline TFolderRec* AsFolder(TItemRec* r) { return ItemIs(r, ikFolder) ? static_cast<TFolderRec*>(r) : nullptr; }
inline TDiskRec* AsDisk(TItemRec* r) { return ItemIs(r, ikDisk) ? static_cast<TDiskRec*>(r) : nullptr; }
inline TCatalogRec* AsCatalog(TItemRec* r) { return ItemIs(r, ikCatalog) ? static_cast<TCatalogRec*>(r) : nullptr; }

enum class TDiskSizeKind { Capacity, Free, Used, Other };
int64_t DiskSize(const TDiskRec* disk, TDiskSizeKind which); // Currency
// Sums of stored sizes; saturates instead of overflowing on damaged values.
int64_t SaturatingAdd(int64_t a, int64_t b);

TTreeNode* OwningDisk(TTreeNode* node);
TTreeNode* OwningCatalog(TTreeNode* node);
TTreeNode* ItemNode(TItemRec* rec); // a file's folder node, otherwise the record's own node
TDiskRec* OwningDiskRec(TTreeNode* node);
TCatalogRec* OwningCatalogRec(TTreeNode* node);

// Path inside the disk with "\" separators; withRoot puts a virtual root's folder in front.
std::string ItemPath(TItemRec* rec, bool withSelf, bool withRoot);

// Hooks the main window sets to refresh its commands and indicators.
struct TCatalogEvents {
    std::function<void(TTreeNode* catalogNode)> ModifiedChanged;
    // Before a catalog or disk node goes: the browser empties its list and moves the selection.
    std::function<void(TTreeNode* node)> BeforeDeleteNode;
};
TCatalogEvents& CatalogEvents();

void MarkCatalogModified(TTreeNode* node, bool on);
void MarkDiskDirty(TTreeNode* node, bool on);

// Frees the file list of a folder or disk and, with freeOwn, the node's own record.
void ReleaseNodeRecords(TTreeNode* node, bool freeOwn, bool keepSlots);
// Only the file list part: the list goes, the record stays.
void ReleaseFileList(TItemRec* owner, bool keepSlots);

// The first of name, name (2), name (3), ... that no other disk of the catalog has.
std::string UniqueDiskName(std::string_view wanted, TTreeNode* catalogNode,
                           const TTreeNode* self = nullptr);
// A catalog name turned into something usable as a file name.
std::string SafeFileName(std::string_view name);

} // namespace quorvex
