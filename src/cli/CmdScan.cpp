// scan: a folder or a whole medium catalogued as a disk.
#include "CliCommands.h"
#include "CliSupport.h"

#include "catalog/CatalogSaver.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "config/Options.h"
#include "platform/Drives.h"
#include "platform/NativeNames.h"
#include "platform/SettingsStoreMemory.h"
#include "scan/DiskScanner.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/stat.h>

namespace quorvex::cli
{

namespace
{

constexpr char Usage[] = "usage: quorvex-cli scan FILE.ctf DIR [--name DISKNAME] [--update "
                         "DISKNAME] [--no-archives] [--no-descriptions]\n";

volatile std::sig_atomic_t s_interrupted = 0;

void OnInterrupt(int)
{
    s_interrupted = 1;
}

// Ctrl+C becomes the scan window's confirmed Cancel.
class TInterruptibleProgress : public TConsoleProgress
{
public:
    void ProcessEvents() override
    {
        if (s_interrupted) PressScanCancel();
    }
};

} // namespace

int RunScan(int argc, char** argv)
{
    std::string file, dir, name, update;
    bool archives = true, descriptions = true;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--name") && i + 1 < argc)
            name = argv[++i];
        else if (!std::strcmp(argv[i], "--update") && i + 1 < argc)
            update = argv[++i];
        else if (!std::strcmp(argv[i], "--no-archives"))
            archives = false;
        else if (!std::strcmp(argv[i], "--no-descriptions"))
            descriptions = false;
        else if (argv[i][0] != '-' && file.empty())
            file = argv[i];
        else if (argv[i][0] != '-' && dir.empty())
            dir = argv[i];
        else {
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    if (file.empty() || dir.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    struct stat folderStat {};
    if (::stat(dir.c_str(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode)) {
        std::fprintf(stderr, "quorvex-cli: %s: no such folder\n", dir.c_str());
        return 1;
    }
    const QString folder = NativeCanonicalPath(NameFromNative(dir));
    TScanRequest request;
    const std::optional<TFolderPlace> place = FindDriveOfFolder(folder);
    if (!place) {
        std::fprintf(stderr, "quorvex-cli: %s: no drive holds this folder\n", dir.c_str());
        return 1;
    }
    request.Drive = place->Drive;
    request.VirtualRoot = place->VirtualRoot;

    TCatalogTree tree;
    TTreeNode* cat = nullptr;
    if (QFileInfo::exists(QString::fromLocal8Bit(file.c_str()))) {
        cat = OpenOrReport(tree, file.c_str());
        if (!cat) return 1;
    } else {
        auto* rec = new TCatalogRec;
        cat = tree.AddChild(
            nullptr,
            QFileInfo(QString::fromLocal8Bit(file.c_str())).completeBaseName().toStdString(), rec);
        rec->Node = cat;
    }
    request.Catalog = cat;
    request.PromptWhenNotReady = false;
    if (!update.empty()) {
        for (int i = 0; i < cat->Count() && !request.OldDisk; ++i)
            if (cat->Child(i)->Text == update) request.OldDisk = cat->Child(i);
        if (!request.OldDisk) {
            std::fprintf(stderr, "quorvex-cli: %s: no disk named %s\n", file.c_str(),
                         update.c_str());
            return 1;
        }
    }

    TMemorySettingsStore store;
    const TOptions defaults(store);
    TScanOptions options = ScanOptionsFromSettings(defaults, request.OldDisk != nullptr);
    options.DiskName = !name.empty() ? name : update;
    options.EjectMediaCheck = false;
    options.BrowseArchiveCheck = archives;
    if (!descriptions) // no description files; what the catalog knows is still kept
        options.ImportDizCheck = options.ImportBBSCheck = options.Import4DOSCheck =
            options.ImportCommentCheck = false;

    TInterruptibleProgress progress;
    SetProgress(&progress);
    struct sigaction action {
    };
    action.sa_handler = OnInterrupt;
    struct sigaction previous {
    };
    sigaction(SIGINT, &action, &previous);
    std::fprintf(stderr, "quorvex-cli: scanning %s (Ctrl+C cancels)\n",
                 NativeFromName(folder).constData());
    const TScanResult result = Scan(request, options);
    sigaction(SIGINT, &previous, nullptr);
    SetProgress(nullptr);

    for (const std::string& f : result.UnreadableFolders)
        std::fprintf(stderr, "quorvex-cli: %s: not readable, recorded as an empty folder\n",
                     f.c_str());
    switch (result.Outcome) {
    case TScanOutcome::NotReady:
        std::fprintf(stderr, "quorvex-cli: drive %s is not ready\n",
                     request.Drive.toLocal8Bit().constData());
        return 1;
    case TScanOutcome::Aborted:
        std::fprintf(stderr, "quorvex-cli: scan cancelled, %s left as it was\n", file.c_str());
        return 1;
    case TScanOutcome::Failed:
        std::fprintf(stderr, "quorvex-cli: %s\n%s\n", result.Error.c_str(),
                     ScanFailedMessage().toLocal8Bit().constData());
        return 1;
    case TScanOutcome::Finished:
        break;
    }

    auto* catRec = static_cast<TCatalogRec*>(cat->Data);
    TAnswerSave dialogs(file);
    SetFileDialogs(&dialogs);
    const bool saved = SaveCatalog(cat, catRec->FileName.empty());
    SetFileDialogs(nullptr);
    if (!saved) return 1;
    auto* d = static_cast<TDiskRec*>(result.NewDisk->Data);
    std::printf(
        "disk\t%s\tfiles=%d\tfolders=%d\tarchiveMembers=%d\tcapacity=%s\tused=%s\tfree=%s\n",
        result.NewDisk->Text.c_str(), d->TotalFiles, d->TotalFolders, d->TotalArchiveMembers,
        Bytes(DiskSize(d, TDiskSizeKind::Capacity)).c_str(),
        Bytes(DiskSize(d, TDiskSizeKind::Used)).c_str(),
        Bytes(DiskSize(d, TDiskSizeKind::Free)).c_str());
    return 0;
}

} // namespace quorvex::cli
