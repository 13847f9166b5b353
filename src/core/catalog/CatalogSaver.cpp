#include "catalog/CatalogSaver.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogWriter.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Prompt.h"

#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace quorvex {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A save abandoned with a message of its own.
class ESaveAbort : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Cancel in the replace prompt: no further message.
class ESaveCancelled : public std::exception {};

bool OtherCatalogHasFile(TTreeNode* catNode, const std::string& fileName)
{
    TCatalogTree* tree = catNode->Tree();
    for (int i = 0; i < tree->Count(); ++i) {
        TTreeNode* other = tree->Catalog(i);
        if (other != catNode && AsCatalog(other->Data)->FileName == fileName) return true;
    }
    return false;
}

bool CanCreate(const std::string& fileName)
{
    FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f) return false;
    std::fclose(f);
    std::remove(fileName.c_str());
    return true;
}

// The dialog loop; empty when the user cancelled.
std::string ChooseTarget(TTreeNode* catNode, TCatalogRec* cat, const std::string& fileName,
                         const std::string& initialDir)
{
    TSaveDialogRequest request;
    request.Title = "Save Catalog \"" + catNode->Text + "\" As ...";
    request.FileName = fileName.empty() ? SafeFileName(catNode->Text) : fileName;
    request.InitialDir = initialDir;
    for (;;) {
        const std::optional<std::string> answer = FileDialogs().SaveCatalog(request);
        if (!answer || answer->empty()) return {};
        const std::string& chosen = *answer;
        request.FileName = chosen;
        if (chosen == cat->FileName) return AbsolutePath(chosen);
        if (OtherCatalogHasFile(catNode, chosen) || OtherCatalogHasFile(catNode, AbsolutePath(chosen))) {
            Prompt().Inform("File create error",
                            "This file already exists and is in use.\rEnter new file name or close this "
                            "file in other applications.",
                            TPromptIcon::Warning);
            continue;
        }
        if (FileExists(chosen) || CanCreate(chosen)) return AbsolutePath(chosen);
        Prompt().Inform("File create error",
                        "Can not create this file for writing.\rPlease enter a valid file name and path, "
                        "on write-enabled device.",
                        TPromptIcon::Warning);
    }
}

int64_t FileSize(const std::string& path)
{
    QFileInfo info(Q(path));
    return info.exists() ? info.size() : 0;
}

int DefaultRename(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Keeps the old file as the backup; a hard link leaves the old name in place until the new
// file replaces it in one step.
void MakeBackup(const std::string& target)
{
    const std::string bak = BackupNameOf(target);
    std::remove(bak.c_str());
    if (::link(target.c_str(), bak.c_str()) != 0) std::rename(target.c_str(), bak.c_str());
}

const char* ReplaceProblem = "There was a problem while trying to replace old catalog file.\r";
const char* ReplaceHint = "If everything else fails, you can select 'Cancel', and use 'Save As...'"
                          "\r"
                          "to save the catalog under different name.";

bool MoveIntoPlace(const std::string& temp, const std::string& target, bool backup,
                   const TSaveOptions& options)
{
    auto rename = options.Rename ? options.Rename : DefaultRename;
    for (int attempt = 0; attempt < 6; ++attempt) {
        if (backup && FileExists(target)) MakeBackup(target);
        const int err = rename(temp, target);
        if (err == 0) return true;
        if (err == EACCES || err == EPERM || err == EBUSY || err == ETXTBSY) {
            // The old file cannot be replaced: the user decides.
            const QString text = QString::fromUtf8(ReplaceProblem) +
                                 "It seems this file is still in use, probably in some other application.\r\r" +
                                 ReplaceHint;
            if (Prompt().Ask("Save error", text, pbRetry | pbCancel, TPromptIcon::Error, pbRetry) != pbRetry)
                throw ESaveCancelled();
            continue;
        }
        if (options.Sleep) options.Sleep(50);
        else std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Progress().ProcessEvents();
    }
    Prompt().Inform("Save error", QString::fromUtf8(ReplaceProblem) + ReplaceHint, TPromptIcon::Error);
    return false;
}

} // namespace

std::string BackupNameOf(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return fileName + ".BAK";
    return fileName.substr(0, dot) + ".BAK";
}

int64_t CatalogSizeEstimate(TTreeNode* catNode)
{
    int64_t estimate = 38;
    for (int i = 0; i < catNode->Count(); ++i) {
        auto* d = static_cast<TDiskRec*>(catNode->Child(i)->Data);
        estimate += 102 + 31 * int64_t(d->TotalFiles) + 39 * int64_t(d->TotalFolders);
    }
    return estimate;
}

bool SaveCatalog(TTreeNode* catNode, bool saveAs, const TSaveOptions& options)
{
    auto* cat = AsCatalog(catNode ? catNode->Data : nullptr);
    if (!cat) return false;
    if (!saveAs && !cat->Modified) return true;

    std::string target = cat->Stream ? cat->FileName : std::string();
    if (saveAs || target.empty()) {
        const std::string initialDir = cat->Stream ? FolderOf(cat->FileName) : options.DefaultCatalogFolder;
        target = ChooseTarget(catNode, cat, target, initialDir);
        if (target.empty()) return false;
    }

    IProgress& progress = Progress();
    const auto freeSpace = options.FreeSpace ? options.FreeSpace : FreeSpaceOf;
    const int64_t free = freeSpace(FolderOf(target));
    const bool lowOnSpace = free >= 0 && double(free) <= double(CatalogSizeEstimate(catNode)) * 1.5;
    const std::string tempDir = lowOnSpace ? TempFolder() : FolderOf(target);

    progress.SetStatus("Saving catalog...", StatusBusy);
    progress.ShowWait("Saving catalog, please wait...", true, false);
    progress.SetProgressMax(double(CatalogProgressTotal(catNode)));
    progress.ShowWaitWindow();

    TSaveUndo undo;
    std::string temp;
    std::unique_ptr<TReadAheadStream> oldStream;
    bool saved = false;
    try {
        temp = CreateTempFile(tempDir, "ctf");
        if (temp.empty()) throw EStreamError("Cannot create a temporary file in " + tempDir + ".");
        int64_t tempSize = 0;
        {
            std::unique_ptr<TWriteTarget> out =
                options.OpenWriter ? options.OpenWriter(temp) : std::make_unique<TFileWriter>(temp);
            progress.ProcessEvents();
            TWriteCallbacks callbacks{[&](int64_t done) { progress.Advance(double(done)); },
                                      [&] { progress.ProcessEvents(); }};
            WriteCatalog(catNode, *out, callbacks, &undo);
            out->Flush();
            if (auto* file = dynamic_cast<TFileWriter*>(out.get())) file->Close();
            tempSize = out->Position();
        }
        if (lowOnSpace) {
            const int64_t available = free + FileSize(target);
            if (tempSize > available)
                throw ESaveAbort("There is not enough disk space on destination drive to save the catalog.");
        } else {
            progress.SetWaitText("Moving catalog file to specified location...");
        }
        oldStream = std::move(cat->Stream);
        oldStream.reset();
        progress.ProcessEvents();
        const bool backup = options.CreateBackup && free >= tempSize;
        saved = MoveIntoPlace(temp, target, backup, options);
    } catch (const ESaveCancelled&) {
    } catch (const ESaveAbort& e) {
        progress.CloseWait();
        Prompt().Inform("Save error", QString::fromUtf8(e.what()), TPromptIcon::Error);
    } catch (const EStreamError& e) {
        progress.CloseWait();
        Prompt().Inform("Save error",
                        "An error occurred while saving the catalog " + Q(target) + ".\r" + QString::fromUtf8(e.what()),
                        TPromptIcon::Error);
    } catch (const std::exception&) {
        progress.CloseWait();
        Prompt().Inform("Save error", "An error occurred while saving the catalog " + Q(target) + ".",
                        TPromptIcon::Error);
    }

    if (saved) {
        cat->FileName = target;
    } else {
        // The records go back to describing the old file, which was not touched.
        undo.Restore();
    }
    if (!cat->Stream && !cat->FileName.empty() && (saved || FileExists(cat->FileName))) {
        try {
            cat->Stream = std::make_unique<TReadAheadStream>(cat->FileName, TReadAheadStream::CatalogBufferSize);
        } catch (const EStreamError&) {
        }
    }
    if (!temp.empty() && FileExists(temp)) std::remove(temp.c_str());
    progress.SetStatus({}, 0);
    progress.CloseWait();
    if (saved) MarkCatalogModified(catNode, false);
    return saved;
}

} // namespace quorvex
