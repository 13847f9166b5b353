// info, ls, save-as and rewrite: catalog commands that load only what they need.
#include "CliCommands.h"
#include "CliSupport.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogSaver.h"
#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "platform/FileDialogs.h"
#include "platform/Prompt.h"

#include <cinttypes>
#include <cstdio>
#include <string>

namespace quorvex::cli {

TTreeNode* OpenOrReport(TCatalogTree& tree, const char* file)
{
    CatalogReaderEvents().FileListDamaged = [](TTreeNode* owner) {
        std::fprintf(stderr, "%s\n", DamagedListMessage(ItemPath(owner->Data, true, false)).c_str());
    };
    try {
        return ReadCatalogFile(tree, file);
    } catch (const EInvalidCatalog& e) {
        std::fprintf(stderr, "%s: %s\n", file, e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Can't load catalog file %s: %s\n", file, e.what());
    }
    return nullptr;
}

std::string Bytes(int64_t currency) { return std::to_string(currency / CurrencyScale); }

namespace {

int SaveTo(int argc, char** argv, bool rewriteAll, const char* usage)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvex-cli %s\n", usage);
        return 2;
    }
    TCatalogTree tree;
    TTreeNode* cat = OpenOrReport(tree, argv[0]);
    if (!cat) return 1;
    if (rewriteAll)
        for (int i = 0; i < cat->Count(); ++i) static_cast<TDiskRec*>(cat->Child(i)->Data)->Dirty = 1;
    TAnswerSave dialogs(argv[1]);
    SetFileDialogs(&dialogs);
    const bool saved = SaveCatalog(cat, true);
    SetFileDialogs(nullptr);
    return saved ? 0 : 1;
}

} // namespace

int RunInfo(int argc, char** argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: quorvex-cli info FILE.ctf\n");
        return 2;
    }
    TCatalogTree tree;
    TTreeNode* cat = OpenOrReport(tree, argv[0]);
    if (!cat) return 1;
    auto* rec = static_cast<TCatalogRec*>(cat->Data);
    std::printf("name\t%s\n", cat->Text.c_str());
    std::printf("description\t%s\n", rec->Description.Str().c_str());
    std::printf("format\t%s\n", rec->CurrentFormat ? "1.01" : "1.00");
    for (const auto& [name, number] : rec->Categories) std::printf("category\t%d\t%s\n", number, name.c_str());
    for (size_t i = 0; i < rec->FlagNames.size(); ++i)
        std::printf("flag\t%zu\t%s\n", i + 1, rec->FlagNames[i].Str().c_str());
    for (int i = 0; i < cat->Count(); ++i) {
        auto* d = static_cast<TDiskRec*>(cat->Child(i)->Data);
        std::printf("disk\t%s\tfiles=%d\tfolders=%d\tarchiveMembers=%d\tcapacity=%s\tused=%s\tfree=%s\t"
                    "label=%s\tserial=%04X-%04X\tfileSystem=%s\n",
                    cat->Child(i)->Text.c_str(), d->TotalFiles, d->TotalFolders, d->TotalArchiveMembers,
                    Bytes(DiskSize(d, TDiskSizeKind::Capacity)).c_str(), Bytes(DiskSize(d, TDiskSizeKind::Used)).c_str(),
                    Bytes(DiskSize(d, TDiskSizeKind::Free)).c_str(), d->VolumeLabel.c_str(),
                    d->SerialNumber >> 16, d->SerialNumber & 0xFFFF, d->FileSystem.c_str());
    }
    return 0;
}

int RunLs(int argc, char** argv)
{
    if (argc < 1 || argc > 2) {
        std::fprintf(stderr, "usage: quorvex-cli ls FILE.ctf [DISK[\\PATH]]\n");
        return 2;
    }
    TCatalogTree tree;
    TTreeNode* cat = OpenOrReport(tree, argv[0]);
    if (!cat) return 1;
    if (argc == 1) {
        for (int i = 0; i < cat->Count(); ++i) std::printf("disk\t%s\n", cat->Child(i)->Text.c_str());
        return 0;
    }
    std::string path = argv[1];
    std::string diskName = path.substr(0, path.find('\\'));
    path = path.size() > diskName.size() ? path.substr(diskName.size() + 1) : std::string();
    TTreeNode* node = nullptr;
    for (int i = 0; i < cat->Count(); ++i)
        if (cat->Child(i)->Text == diskName) node = cat->Child(i);
    try {
        while (node && !path.empty()) {
            const std::string part = path.substr(0, path.find('\\'));
            path = path.size() > part.size() ? path.substr(part.size() + 1) : std::string();
            if (part.empty()) continue;
            LoadSubfolders(node, false, false);
            TTreeNode* next = nullptr;
            for (int i = 0; i < node->Count(); ++i)
                if (node->Child(i)->Text == part) next = node->Child(i);
            node = next;
        }
        if (!node) {
            std::fprintf(stderr, "quorvex-cli: %s: no such disk or folder in the catalog\n", argv[1]);
            return 1;
        }
        LoadSubfolders(node, false, false);
        LoadFiles(node);
    } catch (const EInvalidCatalog& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    for (int i = 0; i < node->Count(); ++i) {
        auto* f = static_cast<TFolderRec*>(node->Child(i)->Data);
        std::printf("%s\t%s\t%s\t%s\n", ItemIs(f, ifArchive) ? "archive" : "folder", node->Child(i)->Text.c_str(),
                    Bytes(f->TotalSize).c_str(), f->Description.Str().c_str());
    }
    for (TFileRec* f = node->Data->Next; f; f = f->Next)
        std::printf("file\t%.*s\t%d\t%s\n", int(f->NameLen), f->NameData(), f->Size, f->Description.Str().c_str());
    return 0;
}

int RunSaveAs(int argc, char** argv) { return SaveTo(argc, argv, false, "save-as IN.ctf OUT.ctf"); }
int RunRewrite(int argc, char** argv) { return SaveTo(argc, argv, true, "rewrite IN.ctf OUT.ctf"); }

} // namespace quorvex::cli
