#pragma once
// Writing a catalog file: unchanged disks and file lists that were never loaded are copied
// byte for byte from the catalog's current file; everything else is encoded anew.

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvex {

class TTreeNode;
class TWriteTarget;
struct TDiskRec;
struct TFolderRec;
struct TCatalogRec;

// What a write changes in the records, remembered so a failed save can put it all back.
class TSaveUndo {
public:
    void Remember(TCatalogRec* cat);
    void Remember(TDiskRec* disk);
    void Remember(TFolderRec* folder);
    void Restore();
    void Clear();

private:
    struct TDiskState {
        TDiskRec* Disk;
        int32_t RecordOffset, RecordLength, FolderIndexOffset, FilesOffset, FilesLength, FileCount,
            FileDescBytes;
        uint8_t Dirty, KindFlags;
    };
    struct TFolderState {
        TFolderRec* Folder;
        int32_t FilesOffset, FilesLength, FileCount, FileDescBytes;
        uint8_t KindFlags;
    };
    TCatalogRec* m_cat = nullptr;
    uint8_t m_modified = 0, m_currentFormat = 0;
    std::vector<TDiskState> m_disks;
    std::vector<TFolderState> m_folders;
};

struct TWriteCallbacks {
    std::function<void(int64_t done)> Advance; // progress in Currency units
    std::function<void()> Idle;                // after every record: let pending work run
};

// Writes the catalog of catNode to out and records the new offsets in its disks and
// folders; clears Dirty of the disks written in full and the catalog's Modified, and sets
// CurrentFormat. Throws EStreamError on read or write failures.
// With undo, every change to a record is remembered first.
void WriteCatalog(TTreeNode* catNode, TWriteTarget& out, const TWriteCallbacks& callbacks = {},
                  TSaveUndo* undo = nullptr);

// What a save shows as its progress maximum (Currency).
int64_t CatalogProgressTotal(TTreeNode* catNode);

} // namespace quorvex
