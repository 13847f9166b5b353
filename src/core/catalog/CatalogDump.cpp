#include "catalog/CatalogDump.h"

#include "catalog/CatalogReader.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"

#include <cinttypes>
#include <cstdio>

namespace quorvex {

namespace {

// Control characters (tab and line breaks among them) become \xNN, so every item stays on
// one line and fields stay apart; backslashes are kept, as they separate path parts.
std::string Escaped(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out;
}

class TLine {
public:
    TLine(std::string& out, const char* kind, std::string_view name) : m_out(out)
    {
        m_out += kind;
        m_out += '\t';
        m_out += Escaped(name);
    }
    ~TLine() { m_out += '\n'; }
    TLine& Field(const char* key, std::string_view value)
    {
        m_out += '\t';
        m_out += key;
        m_out += '=';
        m_out += Escaped(value);
        return *this;
    }
    TLine& Num(const char* key, int64_t v) { return Field(key, std::to_string(v)); }
    TLine& Hex(const char* key, uint32_t v, int digits = 2)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%0*" PRIX32, digits, v);
        return Field(key, buf);
    }
    TLine& Real(const char* key, double v)
    {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.10g", v);
        return Field(key, buf);
    }

private:
    std::string& m_out;
};

void DumpFiles(std::string& out, TItemRec* owner, const std::string& folderPath)
{
    for (TFileRec* f = owner->Next; f; f = f->Next) {
        const std::string path = (folderPath == "\\" ? folderPath : folderPath + "\\") + std::string(f->Name());
        TLine(out, "file", path)
            .Hex("kind", f->KindFlags & ~ifFilesLinked)
            .Hex("attr", f->Attr)
            .Hex("created", static_cast<uint32_t>(f->Created), 8)
            .Hex("modified", static_cast<uint32_t>(f->Modified), 8)
            .Hex("accessed", static_cast<uint32_t>(f->Accessed), 8)
            .Num("size", f->Size)
            .Hex("category", f->CategoryByte)
            .Field("description", f->Description.View());
    }
}

void DumpFolder(std::string& out, TTreeNode* node, int depth)
{
    auto* f = static_cast<TFolderRec*>(node->Data);
    const std::string path = ItemPath(f, true, false);
    TLine(out, "folder", path)
        .Num("depth", depth)
        .Hex("kind", f->KindFlags & ~ifFilesLinked)
        .Num("files", f->FileCount)
        .Num("filesOffset", f->FilesOffset)
        .Num("filesLength", f->FilesLength)
        .Num("descBytes", f->FileDescBytes)
        .Num("totalSize", f->TotalSize)
        .Hex("attr", f->Attr)
        .Hex("created", static_cast<uint32_t>(f->Created), 8)
        .Hex("modified", static_cast<uint32_t>(f->Modified), 8)
        .Hex("accessed", static_cast<uint32_t>(f->Accessed), 8)
        .Num("reserved57", f->Reserved57)
        .Hex("category", f->CategoryByte)
        .Field("description", f->Description.View());
    DumpFiles(out, f, path);
    for (int i = 0; i < node->Count(); ++i) DumpFolder(out, node->Child(i), depth + 1);
}

void DumpDisk(std::string& out, TTreeNode* node)
{
    auto* d = static_cast<TDiskRec*>(node->Data);
    TLine(out, "disk", node->Text)
        .Hex("kind", d->KindFlags & ~ifFilesLinked)
        .Num("recordOffset", d->RecordOffset)
        .Num("recordLength", d->RecordLength)
        .Num("folderIndexOffset", d->FolderIndexOffset)
        .Num("filesOffset", d->FilesOffset)
        .Num("filesLength", d->FilesLength)
        .Num("files", d->FileCount)
        .Num("descBytes", d->FileDescBytes)
        .Num("mediaType", d->MediaType)
        .Hex("scanFlags", d->ScanFlags)
        .Num("bytesPerSector", d->BytesPerSector)
        .Num("sectorsPerCluster", d->SectorsPerCluster)
        .Num("maxNameLength", d->MaxNameLength)
        .Num("totalFiles", d->TotalFiles)
        .Num("totalArchiveMembers", d->TotalArchiveMembers)
        .Num("totalFolders", d->TotalFolders)
        .Num("totalClusters", d->TotalClusters)
        .Num("freeClusters", d->FreeClusters)
        .Num("otherClusters", d->OtherClusters)
        .Real("catalogued", d->Catalogued)
        .Hex("serial", d->SerialNumber, 8)
        .Num("reserved91", d->Reserved91)
        .Field("label", d->VolumeLabel)
        .Field("fileSystem", d->FileSystem)
        .Field("virtualRoot", d->VirtualRootPath.View())
        .Field("description", d->Description.View());
    DumpFiles(out, d, "\\");
    for (int i = 0; i < node->Count(); ++i) DumpFolder(out, node->Child(i), 1);
}

} // namespace

std::string DumpCatalog(TTreeNode* catNode)
{
    LoadEverything(catNode);
    auto* cat = static_cast<TCatalogRec*>(catNode->Data);
    std::string out;
    {
        std::string categories;
        for (const auto& [name, number] : cat->Categories)
            categories += (categories.empty() ? "" : "|") + std::to_string(number) + ":" + name;
        std::string flags;
        for (size_t i = 0; i < cat->FlagNames.size(); ++i)
            flags += (i ? "|" : "") + cat->FlagNames[i].Str();
        TLine(out, "catalog", catNode->Text)
            .Num("format", cat->CurrentFormat)
            .Num("modified", cat->Modified)
            .Num("disks", catNode->Count())
            .Field("categories", categories)
            .Field("flags", flags)
            .Field("description", cat->Description.View());
    }
    for (int i = 0; i < catNode->Count(); ++i) DumpDisk(out, catNode->Child(i));
    return out;
}

} // namespace quorvex
