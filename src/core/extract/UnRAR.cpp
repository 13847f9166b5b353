#include "extract/UnRAR.h"

#include "archive/ArchiveErrors.h"
#include "catalog/Progress.h"
#include "extract/ExtractFiles.h"
#include "extract/OutputPath.h"
#include "extract/RarPattern.h"
#include "platform/NativeNames.h"
#include "platform/SafeOutputFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <vector>

#ifdef QUORVEX_HAVE_UNRAR
#define _UNIX
#include <unrar/dll.hpp>
#endif

namespace quorvex
{

namespace
{

constexpr unsigned CommentBufferSize = 65536;
constexpr unsigned MinUnpackVersion = 20;

// The library calls plain functions; only one RAR extraction runs at a time.
TUnRAR* CurrentRar = nullptr;

QString StoredNameOf(const char* name)
{
    QString s = NameFromNative(name);
    s.replace(u'/', u'\\');
    return s;
}

} // namespace

TUnRAR::TUnRAR()
{
    ProgressNotify = TProgressNotify::Five;
}

int TUnRAR::MapResult(int result)
{
    switch (result) {
    case 0:
    case 10:
        return 0;
    case 11:
    case 20:
        return E_OUTOFMEMORY;
    case 12:
        return E_INVALIDCODE;
    case 14:
        return E_UNKNOWNFILETYPE;
    case 15:
        return E_OPEN;
    case 16:
    case 19:
        return E_WRITE;
    case 17:
        return E_CLOSE;
    case 18:
        return E_READ;
    default:
        return E_UNSUPPORTEDARCHIVE;
    }
}

void TUnRAR::FailRar(int code)
{
    ReportError(code, QStringLiteral("RAR Error"), ArchiveFile());
    RaiseError(code, QStringLiteral("RAR Error"), ArchiveFile());
}

int TUnRAR::OnData(int size)
{
    if (size > 0) m_memberDone += m_memberSize > 0 ? std::min<int64_t>(size, m_memberSize) : size;
    const int percent =
        m_memberSize <= 0 ? 100 : int(std::min<int64_t>(m_memberDone * 100 / m_memberSize, 100));
    if (m_extracting && OnProgress) {
        try {
            OnProgress(*this, ArchiveFile(), uint8_t(percent));
        } catch (...) {
        }
    }
    return LastExtractError == ExtractCanceled ? 0 : 1;
}

void TUnRAR::OnVolume(const char* archiveName, int mode)
{
    const QString name = NameFromNative(archiveName);
    ReportError(E_NEXTVOLUME,
                mode == 0 ? QStringLiteral("RAR Insert Volume") : QStringLiteral("RAR New Volume"),
                name);
}

#ifdef QUORVEX_HAVE_UNRAR

bool RarExtractionAvailable()
{
    return true;
}

namespace
{

int PASCAL ChangeVolume(char* archiveName, int mode)
{
    if (CurrentRar) CurrentRar->OnVolume(archiveName, mode);
    // A volume that is asked for is not there: going on would ask again for ever.
    return mode == RAR_VOL_ASK ? 0 : 1;
}

int PASCAL ProcessData(unsigned char*, int size)
{
    return CurrentRar ? CurrentRar->OnData(size) : 1;
}

struct TRarHandle {
    HANDLE Handle = nullptr;
    ~TRarHandle()
    {
        if (Handle) RARCloseArchive(Handle);
        CurrentRar = nullptr;
    }
};

} // namespace

void TUnRAR::Extract()
{
    if (ArchiveFile().isEmpty()) Fail(E_FILENAME);
    if (!AcceptsType(ArcType())) Fail(E_UNSUPPORTEDARCHIVE);
    const QString destination = ExtractOutputRoot(ExtractDir, ArchiveFile());
    const std::string pattern = m_fileSpec.toUpper().toStdString();
    m_matched = 0;
    m_unpacked = 0;

    QByteArray archiveName = NativeFromName(QDir::fromNativeSeparators(ArchiveFile()));
    RAROpenArchiveData open{};
    open.ArcName = archiveName.data();
    open.OpenMode = RAR_OM_EXTRACT;
    TRarHandle rar;
    CurrentRar = this;
    rar.Handle = RAROpenArchive(&open);
    if (!rar.Handle || open.OpenResult != 0) {
        const int code = MapResult(open.OpenResult ? int(open.OpenResult) : 15);
        FailRar(code ? code : E_OPEN);
    }
    RARSetChangeVolProc(rar.Handle, ChangeVolume);
    RARSetProcessDataProc(rar.Handle, ProcessData);
    std::vector<char> comment(CommentBufferSize);
    RARHeaderData header{};
    header.CmtBuf = comment.data();
    header.CmtBufSize = CommentBufferSize;

    const bool oneMember =
        MemberList.isEmpty() && !m_fileSpec.contains(u'*') && !m_fileSpec.contains(u'?');
    bool scanningShown = false;
    for (;;) {
        const int read = RARReadHeader(rar.Handle, &header);
        if (read != 0) {
            if (const int code = MapResult(read)) FailRar(code);
            break;
        }
        if (header.UnpVer < MinUnpackVersion) FailRar(E_VERSION);
        const QString stored = StoredNameOf(header.FileName);
        bool wanted;
        if (!MemberList.isEmpty()) {
            wanted = false;
            for (QString entry : MemberList) {
                entry.replace(u'/', u'\\');
                if (entry.compare(stored, Qt::CaseInsensitive) == 0) wanted = true;
            }
        } else {
            wanted = RarPatternMatch(stored.toStdString(), pattern);
        }
        m_memberDone = 0;
        m_memberSize = int64_t(header.UnpSize);
        // The library would recreate the stored folders below the destination; the path is
        // built here so that no stored name can lead out of it.
        const QString outName =
            ExtractOutputPath(header.FileName, destination, ArchiveFile(), true);
        const bool isFolder = header.Flags & RHDF_DIRECTORY;
        if (wanted && outName.isEmpty()) {
            Report(E_FILENAME);
            wanted = false;
        }
        bool extract = wanted;
        if (wanted && OnBegin) OnBegin(*this, outName, m_matched + 1, extract);
        // The library writes to a temporary of ours, reached without following any link;
        // it takes the member's name only once the library says the member is unpacked.
        TSafeOutputFile file;
        if (extract && !isFolder && !OpenOutput(file, outName, true)) {
            extract = false;
            ++m_matched;
        }
        int result;
        if (extract) {
            m_extracting = true;
            if (isFolder) {
                TSafeFolder folder; // a link in the way is left alone
                folder.Open(NativeString(destination),
                            NativeString(outName.mid(destination.size())));
                result = RARProcessFile(rar.Handle, RAR_SKIP, nullptr, nullptr);
            } else {
                // The library checks the parts of the name after the folder for links.
                std::string temporary = file.TemporaryPath();
                std::string folder = temporary.substr(0, temporary.rfind('/') + 1);
                result = RARProcessFile(rar.Handle, RAR_EXTRACT, folder.data(), temporary.data());
            }
            m_extracting = false;
            ++m_matched;
            if (!isFolder) {
                const bool unpacked = result == ERAR_SUCCESS || result == ERAR_BAD_DATA;
                if (unpacked && file.Commit() != TSafeOutcome::Ok && result == ERAR_SUCCESS)
                    result = ERAR_EWRITE;
                file.Discard();
                if (unpacked) {
                    ++m_unpacked;
                    if (OnEnd) OnEnd(*this, outName, result == ERAR_SUCCESS);
                }
            }
        } else {
            if (!scanningShown && Progress().WaitShown()) {
                scanningShown = true;
                if (OnProgress) OnProgress(*this, ArchiveFile(), 0);
                Progress().SetWaitText(QStringLiteral("Scanning for file to extract..."));
            }
            result = RARProcessFile(rar.Handle, RAR_SKIP, nullptr, nullptr);
        }
        // A cancelled member stops the library, whose result would read as damage.
        if (LastExtractError == ExtractCanceled) throw EExtractAbort();
        if (const int code = MapResult(result)) FailRar(code);
        if (extract && SetDateTo == TSetDate::CurDate && !isFolder) {
            QFile done;
            if (OpenNative(done, outName, QIODevice::ReadWrite))
                done.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        }
        if (!MemberList.isEmpty() && m_matched >= MemberList.size()) break;
        if (oneMember && extract) break;
    }
}

#else

bool RarExtractionAvailable()
{
    return false;
}

void TUnRAR::Extract()
{
    Fail(E_UNSUPPORTEDARCHIVE);
}

#endif

} // namespace quorvex
