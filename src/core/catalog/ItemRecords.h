#pragma once
// The item records of the catalog tree: catalog, disk, folder and file.
// Field names, widths and units are those of the stored format; sizes other than a
// file's Size are Currency (bytes x 10000), times are DOS packed date-times.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

class TTreeNode;
class TReadAheadStream;

// Kinds (KindFlags & 7).
constexpr uint8_t ikFile = 1;
constexpr uint8_t ikFolder = 2;
constexpr uint8_t ikDisk = 3;
constexpr uint8_t ikCatalog = 4;

// Flags (bits 3-7 of KindFlags).
constexpr uint8_t ifDescribedFiles = 0x08;
constexpr uint8_t ifArchive = 0x10;
constexpr uint8_t ifCompressed = 0x10;
constexpr uint8_t ifInScope = 0x20;
constexpr uint8_t ifFilesLinked = 0x40;
constexpr uint8_t ifVirtualRoot = 0x80;

// DOS attribute bits.
constexpr uint8_t faReadOnly = 0x01;
constexpr uint8_t faHidden = 0x02;
constexpr uint8_t faSysFile = 0x04;
constexpr uint8_t faDirectory = 0x10;
constexpr uint8_t faArchive = 0x20;

constexpr int64_t CurrencyScale = 10000;

enum TSlotIndex { SearchSlot = 0, UserListSlot = 1, DupSlot = 2 };
constexpr int SlotCount = 3;

// A heap text of up to 65535 bytes kept with its length, so stored bytes survive exactly
// (embedded zero bytes included). Null means absent; an empty text is always absent.
class TText {
public:
    TText() = default;
    explicit TText(std::string_view s) { Assign(s); }
    TText(const TText& other) { Assign(other.View()); }
    TText(TText&& other) noexcept : m_data(std::exchange(other.m_data, nullptr)) {}
    TText& operator=(const TText& other)
    {
        if (this != &other) Assign(other.View());
        return *this;
    }
    TText& operator=(TText&& other) noexcept
    {
        std::swap(m_data, other.m_data);
        return *this;
    }
    ~TText() { Reset(); }

    void Assign(std::string_view s);
    void Reset();
    bool IsNull() const { return m_data == nullptr; }
    size_t Length() const;
    std::string_view View() const;
    std::string Str() const { return std::string(View()); }

private:
    char* m_data = nullptr; // [u32 length][bytes][0]
};

// Common head of every item record.
struct TItemRec {
    struct TFileRec* Next = nullptr; // file: next in its list; folder/disk: first file
    TTreeNode* Node = nullptr;       // own node; for a file: the node of its folder or disk
    std::array<int16_t, SlotCount> Slots{-1, -1, -1};
    uint8_t KindFlags = 0;
};

// A file record is followed in memory by its name's characters (NameLen of them), so one
// folder's list can live in one block and a record costs its fixed part plus its name.
struct TFileRec : TItemRec {
    uint8_t Attr = 0;
    uint8_t CategoryByte = 0;
    int16_t IconIndex = -1;
    int32_t Created = 0;  // archive member: Crc
    int32_t Modified = 0;
    int32_t Accessed = 0; // archive member: PackedSize
    int32_t Size = 0;
    TText Description;
    uint8_t NameLen = 0;
    char NameHead[7]; // the name starts here and runs on past the end of the struct

    static constexpr size_t NameOffset = 57;

    int32_t& Crc() { return Created; }
    int32_t& PackedSize() { return Accessed; }
    char* NameData() { return reinterpret_cast<char*>(&NameLen) + 1; }
    const char* NameData() const { return reinterpret_cast<const char*>(&NameLen) + 1; }
    std::string_view Name() const { return {NameData(), NameLen}; }

    // Bytes a record with a name of n characters takes in a block, kept 8-aligned:
    // at most 64 + n.
    static constexpr size_t RecordBytes(size_t n)
    {
        const size_t bytes = (NameOffset + n + 7) & ~size_t(7);
        return bytes < sizeof(TFileRec) ? sizeof(TFileRec) : bytes;
    }
    // A record allocated on its own (scans); free it with FreeFileRec.
    static TFileRec* New(std::string_view name);
};
void FreeFileRec(TFileRec* rec);
static_assert(sizeof(TFileRec) == 64, "file record layout");

struct TFolderRec : TItemRec {
    uint8_t FilesInMemory = 1;
    int32_t SubfolderOffset = 0;
    // Stored verbatim as the 39-byte run of a folder entry.
    int32_t FilesOffset = -1;
    int32_t FilesLength = -1;
    int32_t FileCount = 0;
    int32_t FileDescBytes = 0;
    int64_t TotalSize = 0;
    uint8_t Attr = 0;
    int32_t Created = 0;
    int32_t Modified = 0;
    int32_t Accessed = 0;
    uint8_t Reserved57 = 0;
    uint8_t CategoryByte = 0;
    // Not stored.
    std::string PathCache; // empty = not built yet
    TTreeNode* DiskNode = nullptr;
    TText Description;
    // The block holding the loaded file list (ifFilesLinked), freed as one.
    std::unique_ptr<unsigned char[]> FileBlock;
};

struct TDiskRec : TItemRec {
    uint8_t FilesInMemory = 1;
    uint8_t Dirty = 1;
    int32_t RecordOffset = -1;
    int32_t RecordLength = -1;
    int32_t FolderIndexOffset = -1;
    int32_t FilesOffset = -1;
    int32_t FilesLength = -1;
    int32_t FileCount = 0;
    int32_t FileDescBytes = 0;
    // Stored verbatim as the 47-byte run of the disk header.
    uint8_t MediaType = 0;
    uint8_t ScanFlags = 0;
    uint8_t Reserved[2] = {0, 0};
    int32_t BytesPerSector = 0;
    int32_t SectorsPerCluster = 0;
    int32_t MaxNameLength = 0;
    int32_t TotalFiles = 0;
    int32_t TotalArchiveMembers = 0;
    uint16_t TotalFolders = 0;
    int32_t TotalClusters = 0;
    int32_t FreeClusters = 0;
    double Catalogued = 0;
    uint32_t SerialNumber = 0;
    uint8_t Reserved91 = 0;
    // Stored in other places of the header.
    int32_t OtherClusters = 0;
    std::string VolumeLabel; // at most 33
    std::string FileSystem;  // at most 8
    TText VirtualRootPath;
    TText Description;
    std::unique_ptr<unsigned char[]> FileBlock;
};

struct TCatalogRec : TItemRec {
    uint8_t Modified = 0;
    uint8_t CurrentFormat = 1;
    TText Description;
    std::unique_ptr<TReadAheadStream> Stream;
    std::vector<std::pair<std::string, uint8_t>> Categories; // name, number 1..31
    std::array<TText, 3> FlagNames;
    std::string FileName;

    TCatalogRec();
    ~TCatalogRec();
};

constexpr size_t MaxVolumeLabel = 33;
constexpr size_t MaxFileSystemName = 8;
constexpr size_t MaxStoredString = 4096;
constexpr size_t MaxShortString = 255;

} // namespace quorvex
