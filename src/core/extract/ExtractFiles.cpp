#include "extract/ExtractFiles.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveKinds.h"
#include "catalog/Progress.h"
#include "config/Options.h"
#include "extract/ExtractMessages.h"
#include "extract/Extractors.h"
#include "extract/UnRAR.h"
#include "platform/NativeNames.h"
#include "platform/PrivateTempFolder.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvex
{

int LastExtractError = 0;
bool SilentExtract = false;
QStringList TempExtractedFiles;

TExtractHooks& ExtractHooks()
{
    static TExtractHooks hooks;
    return hooks;
}

namespace
{

const QString CanceledText = QStringLiteral("Canceled...");

// The handlers every extractor gets for one call.
class TExtractRun
{
public:
    TExtractRun(bool showProgress, bool temporary)
        : m_progress(showProgress), m_temporary(temporary)
    {
    }

    void Attach(TUnBase& unpacker)
    {
        unpacker.OnBegin = [this](TUnBase&, const QString& fn, int, bool&) { UnZipBegin(fn); };
        unpacker.OnProgress = [this](TUnBase&, const QString&, uint8_t p) { UnZipProgress(p); };
        unpacker.OnEnd = [this](TUnBase&, const QString& fn, bool pass) { UnZipEnd(fn, pass); };
        unpacker.OnError = [this](TZipCommon&, const QString& fn, const QString& volume, int code) {
            if (code > 25099 && code < 25900) LastExtractError = code;
            if (code == E_LINKINPATH) m_linkMessage = LinkInPathMessage(fn, volume);
        };
        if (ExtractHooks().FileExists)
            unpacker.OnFileExists = [](TUnBase&, const QString& fn, bool& accept) {
                ExtractHooks().FileExists(fn, accept);
            };
    }

    // The message of a failed call.
    QString ErrorMessage() const
    {
        return LastExtractError == E_LINKINPATH ? m_linkMessage
                                                : ExtractErrorMessage(LastExtractError);
    }

private:
    void UnZipBegin(const QString& fileName)
    {
        if (m_progress && LastExtractError != ExtractCanceled)
            Progress().SetWaitText(QStringLiteral("Extracting ") + QFileInfo(fileName).fileName());
    }

    void UnZipProgress(uint8_t percent)
    {
        if (!m_progress) return;
        IProgress& progress = Progress();
        if (LastExtractError == ExtractCanceled) {
            progress.SetWaitText(QStringLiteral("Canceled, please wait..."));
            SetBar(0);
            progress.ProcessEvents();
        } else {
            SetBar(percent);
        }
        if (progress.Canceled()) {
            const int answer = Prompt().Ask(
                QStringLiteral("Cancel extract"),
                QStringLiteral("Extracting was temporarily halted by user.\rWould you like to "
                               "cancel extracting file(s) from this archive?"),
                pbYes | pbNo, TPromptIcon::Question, pbNo);
            progress.ClearCancel();
            if (answer == pbYes) {
                LastExtractError = ExtractCanceled;
                throw EExtractAbort();
            }
        }
    }

    void UnZipEnd(const QString& fileName, bool crcPass)
    {
        if (!crcPass && !SilentExtract)
            Prompt().Inform(QStringLiteral("Warning"),
                            QStringLiteral("CRC check failed on extracting ") + fileName,
                            TPromptIcon::Error);
        // Unpacked files are never read-only, hidden or system.
        SetNativeMode(fileName, 0644);
        const QString full = QFileInfo(fileName).absoluteFilePath();
        if (m_temporary) {
            if (!TempExtractedFiles.contains(full)) TempExtractedFiles.append(full);
        } else {
            TempExtractedFiles.removeAll(full);
        }
        if (ExtractHooks().MemberEnd) ExtractHooks().MemberEnd(fileName, crcPass);
    }

    void SetBar(int percent)
    {
        Progress().Advance(double(percent) - m_bar);
        m_bar = percent;
    }

    bool m_progress;
    bool m_temporary;
    int m_bar = 0;
    QString m_linkMessage;
};

} // namespace

bool ExtractFiles(int archiveKind, const QString& archive, const QString& destination,
                  bool showProgress, bool useStoredDirs, bool temporary,
                  const QStringList* memberList, const QString& fileSpec)
{
    LastExtractError = 0;
    std::unique_ptr<TUnBase> unpacker = MakeExtractor(archiveKind);
    if (!unpacker) return true;
    if (archiveKind == akRAR && !RarExtractionAvailable()) {
        LastExtractError = ExtractFailed;
        if (!SilentExtract)
            Prompt().Inform(QStringLiteral("Extract Error"),
                            QStringLiteral("RAR extraction is not available"), TPromptIcon::Error);
        return false;
    }

    TExtractRun run(showProgress, temporary);
    unpacker->ProgressNotify = TProgressNotify::Five;
    unpacker->ShowDecoderErrors = !SilentExtract;
    run.Attach(*unpacker);
    unpacker->SetArchiveFile(archive);
    unpacker->ExtractDir = destination;
    unpacker->SetFileSpec(fileSpec);
    unpacker->UseStoredDirs = useStoredDirs;
    if (auto* rar = dynamic_cast<TUnRAR*>(unpacker.get()))
        rar->MemberList = memberList ? *memberList : QStringList();

    IProgress& progress = Progress();
    if (showProgress) {
        progress.ShowWait(QStringLiteral("Extracting files"), true, true);
        progress.SetProgressMax(100);
        progress.ShowWaitWindow();
        progress.SetStatus(QStringLiteral("Extracting file(s), please wait"), StatusBusy);
        progress.ProcessEvents();
    }
    bool ok;
    try {
        unpacker->Extract();
        ok = LastExtractError == 0;
    } catch (...) {
        if (LastExtractError == 0) LastExtractError = ExtractFailed;
        ok = false;
    }
    if (showProgress) {
        progress.CloseWait();
        progress.SetStatus(QString(), 0);
    }
    if (!ok && !SilentExtract)
        Prompt().Inform(QStringLiteral("Extract Error"), run.ErrorMessage(), TPromptIcon::Error);
    return ok;
}

QString TemporaryExtractFolder()
{
    QString base = QDir::fromNativeSeparators(Options().ExtractDir());
    if (base.isEmpty()) base = QDir::tempPath();
    const QString folder = PrivateTempFolder(base);
    return folder.isEmpty() ? QString() : folder + u'/';
}

} // namespace quorvex
