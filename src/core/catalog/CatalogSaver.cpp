#include "catalog/CatalogSaver.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogWriter.h"
#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/ReadAheadStream.h"
#include "catalog/SaveTarget.h"
#include "catalog/SaveTempFile.h"
#include "catalog/TreeNode.h"
#include "catalog/WriteTarget.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Prompt.h"

#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// The new file could not be copied beside the target; it stays where it was written.
class ENewFileLeft : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
        // Without a user the dialog would answer with the same name for ever.
        const bool user = Prompt().HasUser();
        if (OtherCatalogHasFile(catNode, chosen) || OtherCatalogHasFile(catNode, AbsolutePath(chosen))) {
            Prompt().Inform("File create error",
                            "This file already exists and is in use.\rEnter new file name or close this "
                            "file in other applications.",
                            TPromptIcon::Warning);
            if (!user) return {};
            continue;
        }
        if (FileExists(chosen) || CanCreate(chosen)) return AbsolutePath(chosen);
        Prompt().Inform("File create error",
                        "Can not create this file for writing.\rPlease enter a valid file name and path, "
                        "on write-enabled device.",
                        TPromptIcon::Warning);
        if (!user) return {};
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

void AskAccessDenied()
{
    const QString text = QString::fromUtf8(ReplaceProblem) +
                         "It seems this file is still in use, probably in some other application.\r\r" +
                         ReplaceHint;
    if (Prompt().Ask("Save error", text, pbRetry | pbCancel, TPromptIcon::Error, pbRetry) != pbRetry)
        throw ESaveCancelled();
}

std::unique_ptr<TWriteTarget> OpenWriter(const std::string& path, const TSaveOptions& options)
{
    return options.OpenWriter ? options.OpenWriter(path) : std::make_unique<TFileWriter>(path);
}

// A rename cannot cross file systems: the new file is copied into the target's folder under
// a temporary name and put on the disk, so that the rename that follows replaces the old file
// in one step. A failed copy leaves the old file alone.
void CopyBeside(const std::string& source, const std::string& target, TSaveTempFile& copy,
                const TSaveOptions& options)
{
    if (!copy.Create(FolderOf(target))) throw ENewFileLeft(std::strerror(errno));
    try {
        const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw EStreamError(std::strerror(errno));
        struct TCloser {
            int fd;
            ~TCloser() { ::close(fd); }
        } closer{fd};
        struct stat st {};
        if (::fstat(fd, &st) != 0) throw EStreamError(std::strerror(errno));
        std::unique_ptr<TWriteTarget> out = OpenWriter(copy.Path(), options);
        if (!out->CopyFromFile(fd, 0, st.st_size)) {
            std::unique_ptr<char[]> buffer(new char[TFileWriter::DefaultBufferSize]);
            for (off_t at = 0; at < st.st_size;) {
                const ssize_t n = ::pread(fd, buffer.get(), TFileWriter::DefaultBufferSize, at);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) throw EStreamError(std::strerror(errno));
                if (n == 0) throw EStreamError("The temporary file ended early.");
                out->Write(buffer.get(), size_t(n));
                at += n;
            }
        }
        out->Flush();
        if (auto* file = dynamic_cast<TFileWriter*>(out.get())) file->Close(true);
    } catch (const EStreamError& e) {
        copy.Remove();
        throw ENewFileLeft(e.what());
    }
}

// Puts the new file in place of target; copy receives the copy made when the temporary file
// is on another file system.
bool MoveIntoPlace(const std::string& temp, const std::string& target, bool backup,
                   const TSaveOptions& options, TSaveTempFile& copy)
{
    auto rename = options.Rename ? options.Rename : DefaultRename;
    std::string from = temp;
    for (int attempt = 0; attempt < 6; ++attempt) {
        // A file the user made read-only counts as one that cannot be deleted.
        while (IsReadOnlyFile(target)) AskAccessDenied();
        TakePermissionsOf(from, target);
        if (backup && FileExists(target)) MakeBackup(target);
        const int err = rename(from, target);
        if (err == 0) return true;
        if (err == EXDEV && copy.Path().empty()) {
            CopyBeside(temp, target, copy, options);
            from = copy.Path();
            continue;
        }
        if (err == EACCES || err == EPERM || err == EBUSY || err == ETXTBSY) {
            // The old file cannot be replaced: the user decides.
            AskAccessDenied();
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

    // Through a symbolic link the bytes go to the file it leads to; the link stays.
    const std::string file = LinkTargetOf(target);
    RemoveStaleSaveTemps(FolderOf(file));

    IProgress& progress = Progress();
    const auto freeSpace = options.FreeSpace ? options.FreeSpace : FreeSpaceOf;
    const int64_t free = freeSpace(FolderOf(file));
    const bool lowOnSpace = free >= 0 && double(free) <= double(CatalogSizeEstimate(catNode)) * 1.5;
    const std::string tempDir = lowOnSpace ? TempFolder() : FolderOf(file);

    progress.SetStatus("Saving catalog...", StatusBusy);
    progress.ShowWait("Saving catalog, please wait...", true, false);
    progress.SetProgressMax(double(CatalogProgressTotal(catNode)));
    progress.ShowWaitWindow();

    TSaveUndo undo;
    TSaveTempFile tempFile;
    TSaveTempFile copy;
    bool keepTemp = false;
    std::unique_ptr<TReadAheadStream> oldStream;
    bool saved = false;
    try {
        if (!tempFile.Create(tempDir))
            throw EStreamError("Cannot create a temporary file in " + tempDir + ".");
        const std::string& temp = tempFile.Path();
        int64_t tempSize = 0;
        {
            std::unique_ptr<TWriteTarget> out = OpenWriter(temp, options);
            progress.ProcessEvents();
            TWriteCallbacks callbacks{[&](int64_t done) { progress.Advance(double(done)); },
                                      [&] { progress.ProcessEvents(); }};
            WriteCatalog(catNode, *out, callbacks, &undo);
            out->Flush();
            if (auto* writer = dynamic_cast<TFileWriter*>(out.get())) writer->Close();
            tempSize = out->Position();
        }
        if (lowOnSpace) {
            const int64_t available = free + FileSize(file);
            if (tempSize > available)
                throw ESaveAbort("There is not enough disk space on destination drive to save the catalog.");
        } else {
            progress.SetWaitText("Moving catalog file to specified location...");
        }
        oldStream = std::move(cat->Stream);
        oldStream.reset();
        progress.ProcessEvents();
        const bool backup = options.CreateBackup && free >= tempSize;
        saved = MoveIntoPlace(temp, file, backup, options, copy);
    } catch (const ESaveCancelled&) {
    } catch (const ENewFileLeft& e) {
        // That file may now be the only complete copy of what was saved.
        keepTemp = true;
        progress.CloseWait();
        Prompt().Inform("Save error",
                        "An error occurred while saving the catalog " + Q(target) + ".\r" +
                            QString::fromUtf8(e.what()) +
                            "\rThe old catalog file was not changed; the new one was left as " +
                            Q(tempFile.Path()) + ".",
                        TPromptIcon::Error);
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
    // After a rename the temporary name is gone; after a copy the original is left over.
    if (!saved) copy.Remove();
    if (saved ? !copy.Path().empty() : !keepTemp) tempFile.Remove();
    progress.SetStatus({}, 0);
    progress.CloseWait();
    if (saved) MarkCatalogModified(catNode, false);
    return saved;
}

} // namespace quorvex
