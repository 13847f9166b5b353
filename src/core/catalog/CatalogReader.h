#pragma once
// Reading catalog files: the skeleton at open time, and folders and file lists on demand.

#include <functional>
#include <string>

namespace quorvex {

class TCatalogTree;
class TTreeNode;
struct TItemRec;
struct TDiskRec;

// While a save rewrites a disk, that disk already has its new offsets; the lazy readers
// keep reading the old file through the remembered old ones.
struct TSaveState {
    bool Saving = false;
    TDiskRec* Disk = nullptr;
    int32_t OldRecordOffset = -1;
    int32_t OldRootFilesOffset = -1;
};
TSaveState& SaveState();

struct TCatalogReaderEvents {
    // A file list turned out damaged; the records read so far stay. The default shows the
    // recovery message through the prompt.
    std::function<void(TTreeNode* owner)> FileListDamaged;
    // The same for the sub-folder index of a folder being browsed (BrowseSubfolders).
    std::function<void(TTreeNode* folder)> FolderIndexDamaged;
};
TCatalogReaderEvents& CatalogReaderEvents();

// Opens fileName and reads the catalog header, categories, every disk header and the
// top-level folders into a new top-level node, keeping the stream open on the file.
// Throws EInvalidCatalog or EStreamError; on failure nothing is left in the tree.
TTreeNode* ReadCatalogFile(TCatalogTree& tree, const std::string& fileName);

// Makes the folders below node present: its direct sub-folders, or with recursive all of
// them; withFiles loads their file lists too. Throws EInvalidCatalog on structure errors.
void LoadSubfolders(TTreeNode* node, bool recursive, bool withFiles);
// LoadSubfolders (node, not recursive, without files) for browsing: a damaged index keeps the
// folders read before the damage and reports it through FolderIndexDamaged instead of throwing.
void BrowseSubfolders(TTreeNode* node);
// Makes the file list of a folder or disk present.
void LoadFiles(TTreeNode* node);
// Every folder and file list below node (a catalog, disk or folder).
void LoadEverything(TTreeNode* node);

// The message shown for a damaged file list.
std::string DamagedListMessage(const std::string& folderPath);

} // namespace quorvex
